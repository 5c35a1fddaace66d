// The start-up sequence: the display, the loading screen with its fades, the
// sound library and the music, and the scene built behind the loading cover.
#pragma once

// Everything from process start to the first pass of the main loop.
void runStartupSequence();

// The sound library with its channel plan, and the music stream opened.
void initSound();
