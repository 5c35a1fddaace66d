// The display and the frame pass.
//
// initDisplay brings up SDL, a 640 x 480 OpenGL display (full screen, or a
// window when windowedDisplay is set) and the font library, and sets the
// fixed 2-D drawing state every sprite relies on. pollEvents is called once
// per pass of the main loop: it drains the event queue and then draws one
// frame with renderFrame, which paces the game at one frame per 15 ms at
// most. All game time is counted in these frames.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

// The screen, in pixels, and its middle column.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr double kScreenCentreX = kScreenWidth / 2;

// Minimum time between two buffer swaps, milliseconds.
constexpr Uint32 kFramePeriodMs = 15;

// Exit code after a failed start-up step (SDL, the display mode or the font
// library): the message is printed, SDL shut down, and the program ends.
constexpr int kDisplayFailureExit = 2;

// The x at which an image of this width stands centred on the screen, as
// the banners and labels do: the middle less half the width, rounded down.
double centredX(unsigned imageWidth);

// How the frame waits for its time. Exact: a busy wait, so each frame
// starts the moment its 15 ms are up, one core busy all the while. Gentle:
// a sleep until kGentleMarginMs before, then the same busy wait, so frames
// start on time with the processor mostly idle.
enum class Pacing { kExact, kGentle };
constexpr Uint32 kGentleMarginMs = 2;

// Tick count (SDL_GetTicks) when the previous frame's pacing wait ended.
extern Uint32 lastFrameTick;
// Set before initDisplay: a 640 x 480 window instead of the full screen.
extern bool windowedDisplay;
// Exact unless the player chose otherwise.
extern Pacing framePacing;

// Start-up, in order: SDL, the display mode, the font library, the GL state.
void initDisplay();
// The fixed orthographic 2-D state: y down, depth -100 (far) to +100 (near).
void initGl();

// Drains the event queue (Escape presses go to the handler below), then
// renders one frame. Returns true if a quit event was seen.
bool pollEvents();

// What pollEvents does with each Escape key press; the game installs its
// own handler, which ignores Escape while the title menu is up.
void setEscapeHandler(void (*handler)());
// What pollEvents does with every other event but a quit (other keys, the
// window's focus, gamepad buttons); null for nothing.
void setEventHandler(void (*handler)(const SDL_Event& event));

// Switches between the window and the full screen, keeping the GL context
// and everything drawn; returns false where the platform cannot.
bool toggleFullScreen();

// Clears the screen and draws the scene list, then waits out the 15 ms pacing
// and swaps the buffers.
void renderFrame();
// The drawing half of renderFrame alone: clear and draw the scene, and any
// notice over it (notice.h); no wait, no swap. The sprites go in batches
// (sprite_batch.h), which shows what drawSceneReference shows with far
// fewer OpenGL calls.
void drawScene();
// Clears these buffers of the screen (GL_COLOR_BUFFER_BIT,
// GL_DEPTH_BUFFER_BIT), the colour to black.
void clearScreenBuffers(GLbitfield buffers);
// The same frame drawn one Sprite::draw per sprite: the reference the
// batched drawing is checked and measured against.
void drawSceneReference();
// The pacing half: waits until kFramePeriodMs have passed since
// lastFrameTick (as framePacing says), then takes a fresh tick reading into
// lastFrameTick.
void waitForFrameTime();
