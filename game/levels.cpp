#include "levels.h"

#include "depths.h"
#include "display.h"
#include "formation.h"
#include "game_state.h"
#include "hud.h"
#include "mothership.h"
#include "samples.h"
#include "shields.h"
#include "sprite.h"
#include "tank.h"
#include "text_surface.h"
#include "texture.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr float kBannerFadeIn = 0.01f;
constexpr float kBannerFadeOut = -0.01f;
constexpr float kFadedAlienAlpha = 0.02f;

void setUpFormation()
{
    for (int r = 0; r < kFormationRows; ++r) {
        entrySpeed[r] = 0.0;
        for (int c = 0; c < kFormationColumns; ++c) {
            AlienRecord& a = alien[r * kFormationColumns + c];
            Sprite* sprite = alienSprite[r * kFormationColumns + c];
            a.alive = 1;
            a.x = alienStartX(c);
            a.y = alienStartY(r);
            sprite->setPosition(a.x, a.y, kAlienDepth);
            sprite->show();
            if (!levelHasFadingAliens(level)) {
                a.alpha = 1.0;
                sprite->resetAlpha();
            } else {
                a.alpha = kFadedAlienAlpha;
                sprite->setAlpha(a.alpha);
            }
        }
    }
    entrySpeed[kFormationRows - 1] = kEntryRowSpeed;
    marchSpeed = kStartMarchSpeed;
}

void replaceDigit(Sprite*& slot, int digit, double x, double depth)
{
    delete slot;
    slot = makeAdditiveSprite(digitTexture[digit], x, kDigitY, depth);
}

}  // namespace

int levelFormationBase(int32_t n)
{
    return ((n - 1) % 4) * 54;
}

int levelFlareBand(int32_t n)
{
    return ((n - 1) % 16) / 4;
}

bool levelHasSlowFlares(int32_t n)
{
    return (n - 1) % 16 < 8;
}

bool levelHasDriftingShields(int32_t n)
{
    return (n - 1) % 32 >= 16;
}

bool levelHasFadingAliens(int32_t n)
{
    return n >= 33;
}

void makeEndBanner(bool won)
{
    Texture* text = won ? youWinTexture : gameOverTexture;
    Sprite* banner = makeAdditiveSprite(text, centredX(text->imageWidth()), kBannerY, kFrontDepth);
    banner->setAlpha(0.0);
    setEndBanner(banner);
}

void showLevelBanner()
{
    char text[20];
    std::snprintf(text, sizeof text, "LEVEL %d", int(level));
    levelBannerSurface->restore();
    levelBannerSurface->drawText(0, kBannerTextY, text);

    delete levelBannerSprite;
    delete levelBannerTexture;
    levelBannerTexture = new Texture(levelBannerSurface, 0, 0, kLevelBannerWidth, kLevelBannerHeight);
    levelBannerSprite = makeAdditiveSprite(levelBannerTexture, kLevelBannerX, kBannerY, kFrontDepth);
    levelBannerSprite->setAlpha(0.0);

    bannerFadeStep = kBannerFadeIn;
    gameOver = false;

    if (level <= kLastLevel) {
        shieldsGone = false;
        formationArrived = false;
        tank[0].vx = 0.0f;
        tank[0].tilt = 0.0;
        tank[0].tiltVel = 0.0;
        setUpFormation();
        const bool slow = levelHasSlowFlares(level);
        fireDivisor = slow ? kSlowFireDivisor : kFastFireDivisor;
        shieldPushStrength = slow ? kSlowPushStrength : kFastPushStrength;
        levelCleared = false;
        aliensAlive = kAlienCount;
        shieldsLevelSetUp();
    } else {
        // Level 63 is cleared: the game is won.
        gameOver = true;
        roundPause = 0;
        makeEndBanner(true);
    }
}

void bannerFade()
{
    if (bannerFadeStep > 0.0f) {
        levelBannerSprite->setAlpha(levelBannerSprite->alpha() + bannerFadeStep);
        if (levelBannerSprite->alpha() >= 1.0)
            bannerFadeStep = kBannerFadeOut;
    } else if (levelBannerSprite->alpha() != 0.0) {
        levelBannerSprite->setAlpha(levelBannerSprite->alpha() + bannerFadeStep);
    }
}

void showLives()
{
    // Two tanks lost in one pass can take the count below zero; the digit
    // shown never leaves the digits there are.
    const int highest = kDigitTextures - 1;
    const int shown = lives < 0 ? 0 : (lives > highest ? highest : lives);
    delete livesDigitSprite;
    livesDigitSprite = makeAdditiveSprite(digitTexture[shown], centredX(digitTexture[shown]->imageWidth()), kDigitY,
                                          kRemadeDigitDepth);
}

void startNextRound()
{
    roundPause = -1;
    showLives();
    tank[0].x = kOnePlayerStartX;
    tank[0].y = kTankTop;
    tank[1].x = kTwoPlayerStartX[1];
    tank[1].y = kTankTop;
    if (levelCleared)
        showLevelBanner();
    shieldsRoundStart();
    if (playerCount == 2)
        tank[0].x = kTwoPlayerStartX[0];
    hideAllFlares();
    mothershipOff();
    for (uint32_t p = 0; p < playerCount; ++p) {
        shot[p].active = false;
        shot[p].bulletSprite->hide();
        placeTankAtRest(int(p));
        showTank(int(p));
    }
}

void aliensLanded()
{
    makeEndBanner(false);
    gameOver = true;
}

void showScore(int player)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%u", unsigned(tank[player].score));
    if (n > kScoreDigits)
        return;  // seven digits or more: the display keeps its last six
    Sprite** digits = player == 0 ? p1ScoreDigitSprite : p2ScoreDigitSprite;
    for (int j = kScoreDigits - n; j < kScoreDigits; ++j)
        replaceDigit(digits[j], text[j - (kScoreDigits - n)] - '0', scoreDigitX(player, j), kDigitDepth);
}

void resetGame()
{
    levelBannerSprite->setAlpha(0.0);
    if (!FSOUND_IsPlaying(kMusicChannel)) {
        const int channel = FSOUND_Stream_Play(kMusicChannel, musicStream);
        FSOUND_SetVolume(channel, kFullVolume);
    }
    level = 1;
    lives = kStartLives;
    showLives();

    p1ScoreLabelSprite->show();
    p1ScoreLabelSprite2->hide();
    p2ScoreLabelSprite->hide();
    leftPanelSprite->hide();
    for (int j = 0; j < kScoreDigits; ++j) {
        replaceDigit(p2ScoreDigitSprite[j], 0, scoreDigitX(1, j), kRemadeDigitDepth);
        p2ScoreDigitSprite[j]->hide();
        replaceDigit(p1ScoreDigitSprite[j], 0, scoreDigitX(0, j), kRemadeDigitDepth);
    }

    showLevelBanner();
}
