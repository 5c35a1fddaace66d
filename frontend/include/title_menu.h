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
// The end of a game's way back to the title menu: the one reset of the game
// state (keeping what the last game leaves, game_state.h), the mothership
// off, the flares hidden, the music stopped, level 1 set up again with the
// menu up (resetToTitleMenu), the players' tanks hidden and the shields
// back at their start.
void backToTitleMenu();
// The title menu as loading leaves it, from any moment of the game: the
// whole reset and the way back above, with what loading shows that the end
// of a game does not: player 1's tank under the menu, and no hall-of-fame
// screen, typed name, shot, debris or smoke left. The tests and the
// benchmark start their games from here.
void titleMenuAsLoaded();
// Takes the menu down and restarts the music for a game.
void startPlay();
// The credits' fade: one line fades out, then the next fades in.
void creditsStep();
