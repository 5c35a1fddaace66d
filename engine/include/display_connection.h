// The connection to the display, from before SDL starts to the end.
//
// SDL, left to itself, falls back to an off-screen video driver when there
// is no display, and the game would then run unseen for ever. So the game
// connects to the X display first itself: with none there it ends at once
// with kDisplayFailureExit and one line, and otherwise it holds SDL to its
// X11 driver. Its own connection stays open for the whole run as a witness
// of the server: should the GL driver crash because the server died under
// it (it may, during start-up), the crash becomes the lost display's end.
#pragma once

// The X screen's size in pixels; zero when not known (the player chose
// SDL's video driver, or the display is a Wayland one).
struct ScreenSize {
    int width;
    int height;
};

// Chooses SDL's video driver and checks that the display is there, before
// SDL first connects: SDL_VIDEODRIVER as the player set it; else X11 when
// DISPLAY is set, Wayland when only WAYLAND_DISPLAY is. With no display it
// ends the game with kDisplayFailureExit and one line ("korvath: no
// display: DISPLAY is not set" or "...: cannot open display :N"). From
// here a lost connection ends the game with kDisplayLostExit.
ScreenSize connectToDisplay();

// Has the X server gone away, waiting for it at most this long? False
// when the game holds no connection of its own.
bool displayServerGone(int waitMs);

// Between frames, for a wait that makes no X call of its own (the hall of
// fame's lock): reads what the display has sent, so that a lost display
// ends the game now rather than at the next frame.
void checkDisplayConnection();
