// Pausing a game: P during play, or the window losing the keyboard focus or
// being minimised, holds everything where it is (no game step, no effect
// step, no sprite motion, every sound channel held) and shows "Paused". P
// resumes; Escape resumes and abandons the game as it always does. Nothing
// pauses while the title menu, the hall of fame or name entry is up.
#pragma once

// Pauses a game in progress; does nothing on the menu screens or when paused.
void pauseGame();
// Lets a paused game go on exactly where it stopped.
void resumeGame();
// The P key: pauses a game, or resumes a paused one.
void pauseKeyPressed();
