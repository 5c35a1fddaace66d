#include "scene.h"

#include "effect_pools.h"
#include "frame_strip.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "levels.h"
#include "samples.h"
#include "sprite.h"
#include "text_sprites.h"
#include "text_surface.h"
#include "texture.h"

#include <cstdio>

SDL_Color gameTextColour = {94, 112, 159, 0};
SDL_Color highlightTextColour = {0, 0, 0, 0};

Texture* backdropTexture;
Texture* tankWheelsTexture[2];
Texture* tankWheelTexture;
Texture* tankBodyTexture[2];
Texture* tankBridgeTexture[2];
Texture* tankCannonTexture[2];
FrameStrip* mothershipStrip;
Texture* mothershipPieceTexture[5];
FrameStrip* alienStrip;
Texture* bulletTexture;
FrameStrip* shieldArcStrip;
FrameStrip* shieldBallStrip;
Texture* flareTexture;
Texture* panelTexture;
Sprite* backdropSprite;

Texture* p1ScoreLabelTexture;
Texture* p1ScoreLabelTexture2;
Texture* p2ScoreLabelTexture;
Texture* livesLabelTexture;
Sprite* p2ScoreLabelSprite;
Sprite* p1ScoreLabelSprite2;
Sprite* p1ScoreLabelSprite;
Sprite* leftPanelSprite;
Sprite* rightPanelSprite;
Sprite* livesLabelSprite;
Sprite* livesPanelSprite;
Texture* digitTexture[10];
Sprite* livesDigitSprite;
Sprite* p2ScoreDigitSprite[kScoreDigits];
Sprite* p1ScoreDigitSprite[kScoreDigits];

Texture* menuWindowTexture;
Sprite* menuWindowSprite;
Sprite* menuShadeSprite;
Sprite* menuItemSprite[kMenuItems];
Sprite* menuItemHighlightSprite[kMenuItems];
Sprite* backSprite;
Texture* gameOverTexture;
Texture* youWinTexture;
Texture* pausedTexture;
Sprite* pausedSprite;
Sprite* creditSprite[kCreditLines];
Texture* menuItemTexture[kMenuItems];
Texture* menuItemHighlightTexture[kMenuItems];
Texture* backTexture;
Texture* creditTexture[kCreditLines];

const char creditLines[kCreditLines][kCreditLineSize] = {
    "A Brenlow Game",
    "Programming by the Korvath team",
    "Art by the Korvath team",
    "Music by the Korvath team",
    "Special Thanks To:",
    "libsdl.org & github.com/libsdl-org",
    "For the use of their resources.",
};

TextSurface* levelBannerSurface;
Texture* levelBannerTexture;
TextSurface* nameSurface;

namespace {

constexpr const char* kMenuItemText[kMenuItems] = {"One Player", "Two Player", "Hall Of Fame", "Quit"};

constexpr const char* kLabelPlatePath = "media\\windows\\score_0.tga";
constexpr unsigned kLabelWidth = 170;
constexpr unsigned kLabelHeight = 50;

// Where the parts sit on a tank whose top-left is (x, y).
constexpr double kWheelCoverDx = 1, kWheelCoverDy = 30;
constexpr double kWheelDx = 2, kWheelSpacing = 11, kWheelDy = 37;
constexpr double kBodyDx = 6, kBodyDy = 23;
constexpr double kBridgeDx = 14, kBridgeDy = 15;
constexpr double kCannonDx = 20, kCannonDy = 4;

Sprite* hiddenSprite(Sprite* sprite)
{
    sprite->hide();
    return sprite;
}

// A panel: the one-pixel panel image stretched to w x h with its top-left
// at (x, y), drawn dark and translucent behind a label or the menu.
Sprite* makePanel(double builtX, double x, double y, double w, double h, double depth)
{
    Sprite* panel = new Sprite(builtX, 0, depth, panelTexture);
    panel->setScale(w, h);
    panel->setPosition(x, y, depth);
    panel->setAlpha(0.75);
    return panel;
}

void setInitialGameState()
{
    shieldsGone = false;
    formationArrived = false;
    playerCount = 2;
    level = 1;
    levelCleared = false;
    tank[0].x = 287;
    tank[0].y = 432;
    lives = 3;
    tank[0].score = 0;
    tank[1].x = 125;
    tank[1].y = 432;
    for (TankState& t : tank) {
        t.outline.y[0] = t.outline.y[1] = 436;
        t.outline.y[2] = t.outline.y[3] = 465;
    }
}

void loadTankTextures()
{
    const char* const folder[2] = {"media\\sprites\\", "media\\sprites\\sp\\"};
    char path[64];
    for (int p = 0; p < 2; ++p) {
        std::snprintf(path, sizeof path, "%stank_wheels.tga", folder[p]);
        tankWheelsTexture[p] = new Texture(path);
        std::snprintf(path, sizeof path, "%stank_body.tga", folder[p]);
        tankBodyTexture[p] = new Texture(path);
        std::snprintf(path, sizeof path, "%stank_bridge.tga", folder[p]);
        tankBridgeTexture[p] = new Texture(path);
        std::snprintf(path, sizeof path, "%stank_cannon.tga", folder[p]);
        tankCannonTexture[p] = new Texture(path);
    }
    tankWheelTexture = new Texture("media\\sprites\\tank_wheel.tga");
}

// Equal depths overlap in order of construction, so the parts are made in a
// fixed order: wheel covers, wheels, bodies, bridges, cannons; player 1 first.
void buildTanks()
{
    loadTankTextures();
    for (int p = 0; p < 2; ++p)
        tank[p].tankWheelsSprite =
            new Sprite(tank[p].x + kWheelCoverDx, tank[p].y + kWheelCoverDy, 4.0, tankWheelsTexture[p]);
    for (int i = 0; i < kTankWheels; ++i)
        for (int p = 0; p < 2; ++p) {
            Sprite* wheel = new Sprite(tank[p].x + kWheelDx + kWheelSpacing * i, tank[p].y + kWheelDy, 1.0,
                                       tankWheelTexture);
            wheel->setRotation(45.0 * i);
            tank[p].tankWheelSprite[i] = wheel;
        }
    for (int p = 0; p < 2; ++p)
        tank[p].tankBodySprite = new Sprite(tank[p].x + kBodyDx, tank[p].y + kBodyDy, 2.0, tankBodyTexture[p]);
    for (int p = 0; p < 2; ++p)
        tank[p].tankBridgeSprite =
            new Sprite(tank[p].x + kBridgeDx, tank[p].y + kBridgeDy, 2.0, tankBridgeTexture[p]);
    for (int p = 0; p < 2; ++p)
        tank[p].tankCannonSprite =
            new Sprite(tank[p].x + kCannonDx, tank[p].y + kCannonDy, 1.0, tankCannonTexture[p]);

    TankState& second = tank[1];
    second.tankWheelsSprite->hide();
    for (Sprite* wheel : second.tankWheelSprite)
        wheel->hide();
    second.tankBodySprite->hide();
    second.tankBridgeSprite->hide();
    second.tankCannonSprite->hide();
}

void buildMothership()
{
    mothershipStrip = new FrameStrip("media\\sprites\\mothership.tga", 13, 100, 60);
    mothershipSprite = new Sprite(-100, 9, 2.0, mothershipStrip);
    mothershipSprite->animator->delay = 3;
    mothershipSprite->animator->pingPong = false;
    mothershipSprite->setUniformScale(0.64);
    mothershipSprite->hide();
    mothershipActive = false;
    mothershipX = -50.0;
    mothershipY = 0.0;
}

void buildAliens()
{
    alienStrip = new FrameStrip("media\\sprites\\alien_purple.tga", 9, 31, 31);
    for (int row = 0; row < kFormationRows; ++row)
        for (int column = 0; column < kFormationColumns; ++column) {
            const int i = row * kFormationColumns + column;
            alien[i].alive = 1;
            alien[i].y = -(27.0 * level + 23.0 + 32.0 * row);
            alienSprite[i] = new Sprite(alien[i].x, alien[i].y, 2.0, alienStrip);
            alienSprite[i]->animator->delay = 5;
        }
    marchSpeed = -0.17;
    descentCounter = 46.0;
}

void buildShots()
{
    bulletTexture = new Texture("media\\sprites\\bullet.tga");
    for (PlayerShot& s : shot) {
        s.bulletSprite = hiddenSprite(new Sprite(100, 100, 2.0, bulletTexture));
        s.active = false;
        s.vy = -4.0;
    }
}

void buildDebris()
{
    flareTexture = new Texture("media\\effects\\blueflare.tga");
    const char* const piecePath[kDebrisPieces] = {
        "media\\sprites\\mothership_body1.tga", "media\\sprites\\mothership_body2.tga",
        "media\\sprites\\mothership_body3.tga", "media\\sprites\\mothership_leg1.tga",
        "media\\sprites\\mothership_leg2.tga"};
    for (int i = 0; i < kDebrisPieces; ++i)
        mothershipPieceTexture[i] = new Texture(piecePath[i]);
    for (int i = 0; i < kDebrisPieces; ++i) {
        mothershipDebrisSprite[i] = new Sprite(0, 0, 3.0, mothershipPieceTexture[i]);
        mothershipDebrisSprite[i]->setUniformScale(0.64);
        mothershipDebrisSprite[i]->hide();
        mothershipDebris[i].life = 0.0;
        for (int p = 0; p < kPlayers; ++p) {
            tankDebrisSprite[p][i] = hiddenSprite(new Sprite(0, 0, 10.0, flareTexture));
            tankDebris[p][i].life = 0.0;
        }
        for (int s = 0; s < kExplosionSlots; ++s) {
            alienDebrisSprite[i][s] = hiddenSprite(new Sprite(0, 0, 10.0, flareTexture));
            alienDebris[i][s].life = 0.0;
        }
    }
    for (Sprite*& flare : alienBombSprite)
        flare = hiddenSprite(new Sprite(100, 100, 2.0, flareTexture));
}

void buildShields()
{
    shieldArcStrip = new FrameStrip("media\\sprites\\sheild_arc.tga", 24, 8, 8);
    const double arcX[kShieldCount] = {150, 310, 470};
    const unsigned startFrame[kShieldCount] = {1, 8, 16};
    for (int s = 0; s < kShieldCount; ++s) {
        Sprite* arc = new Sprite(arcX[s], 400, 2.0, shieldArcStrip);
        arc->setScale(6.0, 1.0);
        arc->animator->delay = 3;
        arc->animator->setFrame(startFrame[s]);
        shield[s].shieldArcSprite = arc;
    }
    shieldBallStrip = new FrameStrip("media\\sprites\\sheild_ball.tga", 6, 16, 16);
    for (Shield& s : shield) {
        s.alive = true;
        Sprite* arc = s.shieldArcSprite;
        Sprite* left = new Sprite(arc->x() - 15.0, 395, 3.0, shieldBallStrip);
        left->animator->pingPong = false;
        Sprite* right = new Sprite(left->x() + arc->scaledWidth() + left->scaledWidth() - 3.0, 395, 3.0,
                                   shieldBallStrip);
        right->animator->pingPong = false;
        s.shieldBallSprite[0] = left;
        s.shieldBallSprite[1] = right;
    }
}

// The labels share one plate: each text is drawn centred near its top, cut,
// and erased again before the next.
void buildLabelTextures()
{
    TextSurface plate(kLabelPlatePath);
    plate.setFontSize(kSmallTextPoints);
    plate.colour = &gameTextColour;
    plate.save();
    Texture** const target[4] = {&p1ScoreLabelTexture, &p1ScoreLabelTexture2, &p2ScoreLabelTexture,
                                 &livesLabelTexture};
    const char* const text[4] = {"Player 1 Score:", "Player 1 Score:", "Player 2 Score:", "Lives:"};
    for (int i = 0; i < 4; ++i) {
        const int w = plate.textWidth(text[i]);
        plate.drawText(short(85 - w / 2), 4, text[i]);
        *target[i] = new Texture(&plate, 0, 0, kLabelWidth, kLabelHeight);
        plate.restore();
    }
}

void buildHeadsUpDisplay()
{
    buildLabelTextures();
    panelTexture = new Texture("media\\windows\\window_bg.bmp");

    p2ScoreLabelSprite = hiddenSprite(makeAdditiveSprite(p2ScoreLabelTexture, 0, 0, 98.0));
    p1ScoreLabelSprite2 = hiddenSprite(makeAdditiveSprite(p1ScoreLabelTexture2, 640 - kLabelWidth, 0, 98.0));
    p1ScoreLabelSprite = makeAdditiveSprite(p1ScoreLabelTexture, 640 - kLabelWidth, 0, 98.0);
    leftPanelSprite = hiddenSprite(makePanel(0, 4, 6, 162, 40, 97.9));
    rightPanelSprite = makePanel(p1ScoreLabelSprite->x(), p1ScoreLabelSprite->x() + 4, 6, 162, 40, 97.9);
    livesLabelSprite = makeAdditiveSprite(livesLabelTexture, 320 - livesLabelTexture->imageWidth / 2.0, 0, 98.0);
    livesPanelSprite = makePanel(livesLabelSprite->x(), livesLabelSprite->x() + 4, 6, 162, 40, 97.9);

    for (int n = 0; n < 10; ++n) {
        const char digit[2] = {char('0' + n), '\0'};
        digitTexture[n] = makeTextTexture(digit, kSmallTextPoints, 30, 0);
    }
    livesDigitSprite = makeAdditiveSprite(digitTexture[lives], centredX(digitTexture[lives]->imageWidth), 25, 98.0);
    for (int i = 0; i < kScoreDigits; ++i)
        p2ScoreDigitSprite[i] = hiddenSprite(makeAdditiveSprite(digitTexture[0], 55 + 10 * i, 25, 98.0));
    for (int i = 0; i < kScoreDigits; ++i)
        p1ScoreDigitSprite[i] = makeAdditiveSprite(digitTexture[0], 525 + 10 * i, 25, 98.0);
}

void buildTitleMenu()
{
    menuWindowTexture = new Texture("media\\windows\\menu_2.tga");
    const unsigned w = menuWindowTexture->imageWidth;
    const unsigned h = menuWindowTexture->imageHeight;
    menuWindowSprite = makeAdditiveSprite(menuWindowTexture, 320 - double(w / 2), 240 - double(h / 2), 99.0);
    // The shade lies 17 pixels right of and 19 below the window, behind it.
    const double shadeX = 337 - double(w / 2);
    menuShadeSprite = makePanel(shadeX, shadeX, 259 - double(h / 2), 366, 264, 98.7);

    for (int i = 0; i < kMenuItems; ++i) {
        Texture* plain = menuItemTexture[i] = makeTextTexture(kMenuItemText[i], kMenuPoints, 30, 0);
        menuItemSprite[i] = makeAdditiveSprite(plain, centredX(plain->imageWidth), 140 + 40 * i, 98.9);
        Texture* lit = menuItemHighlightTexture[i] = makeHighlightTexture(kMenuItemText[i]);
        menuItemHighlightSprite[i] = makeAdditiveSprite(lit, 320 - 0.5 * lit->imageWidth, 144 + 40 * i, 98.9);
        (i == 0 ? menuItemSprite[i] : menuItemHighlightSprite[i])->hide();
    }
    Texture* back = backTexture = makeHighlightTexture("Back");
    backSprite = hiddenSprite(makeAdditiveSprite(
        back, centredX(back->imageWidth), menuWindowSprite->y() + menuWindowSprite->scaledHeight() - 44, 98.9));

    gameOverTexture = makeTextTexture("Game Over", kBannerPoints, 40, -4);
    youWinTexture = makeTextTexture("You Win", kBannerPoints, 40, -4);
    pausedTexture = makeTextTexture("Paused", kBannerPoints, 40, -4);
    pausedSprite =
        hiddenSprite(makeAdditiveSprite(pausedTexture, centredX(pausedTexture->imageWidth), 220, 100.0));
}

void buildCredits()
{
    for (int i = 0; i < kCreditLines; ++i) {
        Texture* line = creditTexture[i] = makeTextTexture(creditLines[i], kCreditPoints, 40, -4);
        creditSprite[i] = makeAdditiveSprite(line, 320 - 0.5 * line->imageWidth, 420, 98.9);
        creditSprite[i]->setAlpha(0.0);
    }
}

}  // namespace

// The order is part of the design: sprites of equal depth overlap in order
// of construction, and several objects are placed from the measured position
// of earlier ones.
void buildScene()
{
    FSOUND_SetLoopMode(kMusicChannel, kLoopNormal);

    levelBannerSurface = new TextSurface(144, 40);
    levelBannerSurface->setFontSize(kLevelBannerPoints);
    levelBannerSurface->colour = &gameTextColour;
    levelBannerSurface->save();
    levelBannerTexture = new Texture(levelBannerSurface, 0, 0, 144, 40);
    levelBannerSprite = makeAdditiveSprite(levelBannerTexture, 281, 230, 100.0);
    levelBannerSprite->setAlpha(0.0);

    nameSurface = new TextSurface(160, 30);
    nameSurface->setFontSize(kSmallTextPoints);
    nameSurface->colour = &gameTextColour;
    nameSurface->save();

    FSOUND_Stream_Play(kMusicChannel, musicStream);
    loadSamples();

    setInitialGameState();
    buildTanks();
    backdropTexture = new Texture("media\\backdrop.tga");
    backdropSprite = new Sprite(0, 0, 0.0, backdropTexture);
    buildMothership();
    buildAliens();
    buildShots();
    buildDebris();
    buildShields();
    roundPause = -1;
    aliensAlive = kAlienCount;

    showLevelBanner();
    buildEffectPools();
    buildHeadsUpDisplay();
    buildTitleMenu();
    readHallOfFame();
    buildCredits();
    titlePhase = 1;
    creditSprite[0]->setAlpha(0.0);
}
