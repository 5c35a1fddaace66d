// The picture on the screen: how the game's 640 x 480 frame reaches a window
// or a screen of any size.
//
// The game draws each frame into a 640 x 480 frame buffer of its own and
// copies it, enlarged, into the middle of the window, black bars around it:
// by whole multiples with the sharp filter (nearest neighbour), through
// memory shared with the X server (shared_picture.h); as large as fits with
// the smooth one (linear), through OpenGL, and then a window of 640 x 480 is
// drawn into straight. The layer SDL 1.2 runs on would enlarge it too, but
// always smoothly, filling the screen, clearing and handing over every pixel
// of it each frame: at 3840 x 2160 that costs twice the frame. Here the bars
// are drawn only when they need it, and only the picture goes to X.
//
// The window's size in window mode is a whole multiple of 640 x 480 (the
// scale), and a full screen is filled whatever the window manager does, or
// when there is none.
#pragma once

#include "display_connection.h"

enum class ScaleFilter { kSharp, kSmooth };

// The largest window scale a player may ask for.
constexpr int kLargestWindowScale = 4;

// The largest whole multiple of 640 x 480 whose height fits in 80 % of the
// screen's height (and whose width fits its width); at least 1.
int automaticWindowScale(ScreenSize screen);
// The window's scale: the player's (1 or more; 0 for automatic), but never
// larger than fits the screen.
int windowScale(int requested, ScreenSize screen);

// Where the picture goes in a drawable of w x h pixels: its lower-left
// corner (OpenGL's window coordinates) and size.
struct PictureRect {
    int x, y, width, height;
};
PictureRect pictureRect(int drawableWidth, int drawableHeight, ScaleFilter filter);

// ---- Set by the game before initDisplay ---------------------------------------

struct PresentationChoice {
    int scale = 0;  // the window's scale, 0 for automatic
    ScaleFilter filter = ScaleFilter::kSharp;
};
extern PresentationChoice presentationChoice;

// ---- Used by the display --------------------------------------------------------

// Before SDL starts: whether the game presents its frame itself (the screen
// is larger than 640 x 480, and the player left SDL 1.2's own scaling
// alone), and the video mode to ask for.
void choosePresentation(ScreenSize screen, bool fullScreen, int& modeWidth, int& modeHeight);
// Once the OpenGL context is up: the frame buffer, when it is needed.
void initPresentation();
// Frame by frame: where the frame is drawn (the frame buffer or the window),
// then its copy into the window (before the frame's wait), and the hand-over
// to X (after it).
void beginFrame();
void finishFrame();
void showFrame();
// Lets go of what the presentation holds of X's, before SDL closes the
// connection.
void closePresentation();
// After the window changed in a way its size does not tell (uncovered,
// switched between window and full screen): everything is drawn anew.
void presentationDamaged();
// Switches between window and full screen; false where it cannot.
bool togglePresentationFullScreen();
