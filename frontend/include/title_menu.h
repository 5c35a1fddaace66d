// The title menu: four choices moved with Up and Down and taken with Space,
// one action per key press through the shared key latch, and the credit
// lines that fade in and out beneath it, one at a time.
#pragma once

enum MenuItem { kOnePlayer = 0, kTwoPlayer = 1, kHallOfFame = 2, kQuit = 3 };

// One pass of the title-menu branch (also runs the hall-of-fame screen).
void titleMenuStep();
// Shows the item under the cursor lit and the others plain, with a blip.
void highlightMenuItem();
// The end of a game, or "Back" from the hall of fame: level 1 set up again
// (resetGame) and the title menu up, with the cursor on "One Player".
void resetToTitleMenu();
// Takes the menu down and restarts the music for a game.
void startPlay();
// The credits' fade: one line fades out, then the next fades in.
void creditsStep();
