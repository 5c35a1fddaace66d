#include "pause.h"

#include "fsound.h"
#include "game_state.h"
#include "hud.h"
#include "sprite.h"

void pauseGame()
{
    if (menuActive || gamePaused)
        return;
    gamePaused = true;
    spriteMotionFrozen = true;
    FSOUND_SetPaused(FSOUND_ALL, 1);
    pausedSprite->show();
}

void resumeGame()
{
    if (!gamePaused)
        return;
    gamePaused = false;
    spriteMotionFrozen = false;
    FSOUND_SetPaused(FSOUND_ALL, 0);
    pausedSprite->hide();
}

void pauseKeyPressed()
{
    if (gamePaused)
        resumeGame();
    else
        pauseGame();
}
