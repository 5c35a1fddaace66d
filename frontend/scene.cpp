#include "scene.h"

#include "depths.h"
#include "display.h"
#include "effect_pools.h"
#include "formation.h"
#include "frame_strip.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "hud.h"
#include "levels.h"
#include "mothership.h"
#include "name_entry.h"
#include "samples.h"
#include "shields.h"
#include "sprite.h"
#include "tank.h"
#include "text_sprites.h"
#include "text_surface.h"
#include "texture.h"
#include "title_menu.h"

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

Texture* menuWindowTexture;
Sprite* menuWindowSprite;
Sprite* menuShadeSprite;
Sprite* menuItemSprite[kMenuItems];
Sprite* menuItemHighlightSprite[kMenuItems];
Sprite* backSprite;
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

TextSurface* nameSurface;

namespace {

constexpr const char* kMenuItemText[kMenuItems] = {"One Player", "Two Player", "Hall Of Fame", "Quit"};

constexpr const char* kLabelPlatePath = "media\\windows\\score_0.tga";
constexpr unsigned kLabelWidth = 170;
constexpr unsigned kLabelHeight = 50;
constexpr int kLabelTextTop = 4;        // a label's text on its plate

// The dark panels behind the labels: the one-pixel panel image stretched,
// 4 pixels in from the label and 6 down.
constexpr double kPanelWidth = 162;
constexpr double kPanelHeight = 40;
constexpr double kPanelInsetX = 4;
constexpr double kPanelTop = 6;
constexpr double kShadeOpacity = 0.75;

// The title menu: the items 40 pixels apart from y 140, each highlight 4
// pixels lower (its text is drawn 4 up on the bar, so both texts meet), the
// shade 17 right and 19 below the window, "Back" 44 above its bottom.
constexpr double kFirstItemY = 140;
constexpr double kItemSpacing = 40;
constexpr double kHighlightDrop = 4;
constexpr double kShadeOffsetX = 17;
constexpr double kShadeOffsetY = 19;
constexpr double kBackAboveBottom = 44;
constexpr double kCreditY = 420;

// Sprites built hidden wait here until the game places them.
constexpr double kParkedAt = 100;

// The shields' arcs are 8-pixel frames stretched six times as wide.
constexpr double kArcStretch = 6.0;
constexpr int kArcFrameDelay = 3;
constexpr unsigned kArcStartFrame[kShieldCount] = {1, 8, 16};

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
    panel->setAlpha(kShadeOpacity);
    return panel;
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

Sprite* makeTankPart(const TankState& t, PartPlace place, double depth, Texture* texture)
{
    return new Sprite(t.x + place.dx, t.y + place.dy, depth, texture);
}

// Equal depths overlap in order of construction, so the parts are made in a
// fixed order: wheel covers, wheels, bodies, bridges, cannons; player 1 first.
// Each stands where it sits on its tank at the start position.
void buildTanks()
{
    loadTankTextures();
    for (int p = 0; p < 2; ++p)
        tank[p].tankWheelsSprite = makeTankPart(tank[p], kWheelCoverPlace, kWheelCoverBuildDepth, tankWheelsTexture[p]);
    for (int i = 0; i < kTankWheels; ++i)
        for (int p = 0; p < 2; ++p) {
            Sprite* wheel = new Sprite(roadWheelX(tank[p].x, i), tank[p].y + kFirstRoadWheelPlace.dy,
                                       kTankUnderPartDepth, tankWheelTexture);
            wheel->setRotation(kRoadWheelBuildTurn * i);
            tank[p].tankWheelSprite[i] = wheel;
        }
    for (int p = 0; p < 2; ++p)
        tank[p].tankBodySprite = makeTankPart(tank[p], kBodyPlace, kTankHullDepth, tankBodyTexture[p]);
    for (int p = 0; p < 2; ++p)
        tank[p].tankBridgeSprite = makeTankPart(tank[p], kBridgePlace, kTankHullDepth, tankBridgeTexture[p]);
    for (int p = 0; p < 2; ++p)
        tank[p].tankCannonSprite = makeTankPart(tank[p], kCannonPlace, kTankUnderPartDepth, tankCannonTexture[p]);
    hideTank(1);
}

FrameStrip* makeStrip(const StripSheet& sheet)
{
    return new FrameStrip(sheet.path, sheet.frames, sheet.frameWidth, sheet.frameHeight);
}

void buildMothership()
{
    mothershipStrip = makeStrip(kMothershipSheet);
    // Built where each crossing starts, hidden until the first.
    mothershipSprite = new Sprite(kMothershipEntryX, 0.0, kMothershipDepth, mothershipStrip);
    mothershipSprite->animator->delay = 3;
    mothershipSprite->animator->pingPong = false;
    mothershipSprite->setUniformScale(kMothershipScale);
    mothershipSprite->hide();
}

// The first level's set-up, at the end of the build, puts the aliens in
// their places.
void buildAliens()
{
    alienStrip = makeStrip(kAlienSheet);
    for (Sprite*& sprite : alienSprite) {
        sprite = new Sprite(0.0, 0.0, kAlienDepth, alienStrip);
        sprite->animator->delay = 5;
    }
}

void buildShots()
{
    bulletTexture = new Texture("media\\sprites\\bullet.tga");
    for (PlayerShot& s : shot)
        s.bulletSprite = hiddenSprite(new Sprite(kParkedAt, kParkedAt, kShotDepth, bulletTexture));
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
        mothershipDebrisSprite[i] = new Sprite(0, 0, kDebrisDepth, mothershipPieceTexture[i]);
        mothershipDebrisSprite[i]->setUniformScale(kMothershipScale);
        mothershipDebrisSprite[i]->hide();
        for (int p = 0; p < kPlayers; ++p)
            tankDebrisSprite[p][i] = hiddenSprite(new Sprite(0, 0, kHiddenDebrisBuildDepth, flareTexture));
        for (int s = 0; s < kExplosionSlots; ++s)
            alienDebrisSprite[i][s] = hiddenSprite(new Sprite(0, 0, kHiddenDebrisBuildDepth, flareTexture));
    }
    for (Sprite*& flare : alienBombSprite)
        flare = hiddenSprite(new Sprite(kParkedAt, kParkedAt, kFlareDepth, flareTexture));
}

// Each arc is stretched, given its delay and its start frame before the next
// is built. The first level's set-up, at the end of the build, puts arcs and
// balls in their places.
void buildShields()
{
    shieldArcStrip = makeStrip(kShieldArcSheet);
    for (int s = 0; s < kShieldCount; ++s) {
        Sprite* arc = new Sprite(0.0, 0.0, kShieldArcBuildDepth, shieldArcStrip);
        arc->setScale(kArcStretch, 1.0);
        arc->animator->delay = kArcFrameDelay;
        shield[s].shieldArcSprite = arc;
    }
    shieldBallStrip = makeStrip(kShieldBallSheet);
    for (Shield& s : shield) {
        for (Sprite*& ball : s.shieldBallSprite) {
            ball = new Sprite(0, 0, kShieldDepth, shieldBallStrip);
            ball->animator->pingPong = false;
        }
    }
    restartShieldAnimations();
}

}  // namespace

void restartShieldAnimations()
{
    for (int s = 0; s < kShieldCount; ++s) {
        Animator* arc = shield[s].shieldArcSprite->animator;
        arc->setFrame(kArcStartFrame[s]);
        arc->counter = 0;
        arc->direction = 0;
        for (Sprite* ball : shield[s].shieldBallSprite) {
            ball->animator->current = shieldBallStrip->first;
            ball->animator->counter = 0;
        }
    }
}

namespace {

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
        plate.drawText(short(kLabelWidth / 2 - w / 2), kLabelTextTop, text[i]);
        *target[i] = new Texture(&plate, 0, 0, kLabelWidth, kLabelHeight);
        plate.restore();
    }
}

Sprite* makeLabelPanel(const Sprite* label)
{
    return makePanel(label->x(), label->x() + kPanelInsetX, kPanelTop, kPanelWidth, kPanelHeight, kPanelDepth);
}

void buildHeadsUpDisplay()
{
    buildLabelTextures();
    panelTexture = new Texture("media\\windows\\window_bg.bmp");

    const double rightLabelX = kScreenWidth - kLabelWidth;
    p2ScoreLabelSprite = hiddenSprite(makeAdditiveSprite(p2ScoreLabelTexture, 0, 0, kLabelDepth));
    p1ScoreLabelSprite2 = hiddenSprite(makeAdditiveSprite(p1ScoreLabelTexture2, rightLabelX, 0, kLabelDepth));
    p1ScoreLabelSprite = makeAdditiveSprite(p1ScoreLabelTexture, rightLabelX, 0, kLabelDepth);
    leftPanelSprite = hiddenSprite(makePanel(0, kPanelInsetX, kPanelTop, kPanelWidth, kPanelHeight, kPanelDepth));
    rightPanelSprite = makeLabelPanel(p1ScoreLabelSprite);
    livesLabelSprite = makeAdditiveSprite(livesLabelTexture, kScreenCentreX - livesLabelTexture->imageWidth() / 2.0, 0,
                                          kLabelDepth);
    livesPanelSprite = makeLabelPanel(livesLabelSprite);

    for (int n = 0; n < kDigitTextures; ++n) {
        const char digit[2] = {char('0' + n), '\0'};
        digitTexture[n] = makeTextTexture(digit, kSmallTextPoints, kTextLineHeight, 0);
    }
    livesDigitSprite = makeAdditiveSprite(digitTexture[lives], centredX(digitTexture[lives]->imageWidth()), kDigitY,
                                          kDigitDepth);
    for (int i = 0; i < kScoreDigits; ++i)
        p2ScoreDigitSprite[i] = hiddenSprite(makeAdditiveSprite(digitTexture[0], scoreDigitX(1, i), kDigitY, kDigitDepth));
    for (int i = 0; i < kScoreDigits; ++i)
        p1ScoreDigitSprite[i] = makeAdditiveSprite(digitTexture[0], scoreDigitX(0, i), kDigitY, kDigitDepth);
}

void buildTitleMenu()
{
    menuWindowTexture = new Texture("media\\windows\\menu_2.tga");
    const unsigned w = menuWindowTexture->imageWidth();
    const unsigned h = menuWindowTexture->imageHeight();
    const double windowX = kScreenCentreX - double(w / 2);
    const double windowY = kScreenHeight / 2 - double(h / 2);
    menuWindowSprite = makeAdditiveSprite(menuWindowTexture, windowX, windowY, kMenuWindowDepth);
    // The shade lies behind the window, a little right and down, as large.
    const double shadeX = windowX + kShadeOffsetX;
    menuShadeSprite = makePanel(shadeX, shadeX, windowY + kShadeOffsetY, w, h, kMenuShadeDepth);

    for (int i = 0; i < kMenuItems; ++i) {
        const double y = kFirstItemY + kItemSpacing * i;
        Texture* plain = menuItemTexture[i] = makeTextTexture(kMenuItemText[i], kMenuPoints, kTextLineHeight, 0);
        menuItemSprite[i] = makeAdditiveSprite(plain, centredX(plain->imageWidth()), y, kMenuTextDepth);
        Texture* lit = menuItemHighlightTexture[i] = makeHighlightTexture(kMenuItemText[i]);
        menuItemHighlightSprite[i] =
            makeAdditiveSprite(lit, kScreenCentreX - 0.5 * lit->imageWidth(), y + kHighlightDrop, kMenuTextDepth);
        (i == kOnePlayer ? menuItemSprite[i] : menuItemHighlightSprite[i])->hide();
    }
    Texture* back = backTexture = makeHighlightTexture("Back");
    const double backY = menuWindowSprite->y() + menuWindowSprite->scaledHeight() - kBackAboveBottom;
    backSprite = hiddenSprite(makeAdditiveSprite(back, centredX(back->imageWidth()), backY, kMenuTextDepth));

    gameOverTexture = makeBannerTexture("Game Over");
    youWinTexture = makeBannerTexture("You Win");
    pausedTexture = makeBannerTexture("Paused");
    pausedSprite =
        hiddenSprite(makeAdditiveSprite(pausedTexture, centredX(pausedTexture->imageWidth()), kBannerY, kFrontDepth));
}

void buildCredits()
{
    for (int i = 0; i < kCreditLines; ++i) {
        Texture* line = creditTexture[i] = makeTextTexture(creditLines[i], kCreditPoints, kBannerHeight, kBannerTextY);
        creditSprite[i] = makeAdditiveSprite(line, kScreenCentreX - 0.5 * line->imageWidth(), kCreditY, kMenuTextDepth);
        creditSprite[i]->setAlpha(0.0);
    }
}

void buildTextSurfaces()
{
    levelBannerSurface = new TextSurface(kLevelBannerWidth, kLevelBannerHeight);
    levelBannerSurface->setFontSize(kLevelBannerPoints);
    levelBannerSurface->colour = &gameTextColour;
    levelBannerSurface->save();
    levelBannerTexture = new Texture(levelBannerSurface, 0, 0, kLevelBannerWidth, kLevelBannerHeight);
    levelBannerSprite = makeAdditiveSprite(levelBannerTexture, kLevelBannerX, kBannerY, kFrontDepth);
    levelBannerSprite->setAlpha(0.0);

    nameSurface = new TextSurface(kNameWidth, kTextLineHeight);
    nameSurface->setFontSize(kSmallTextPoints);
    nameSurface->colour = &gameTextColour;
    nameSurface->save();
}

}  // namespace

// The order is part of the design: sprites of equal depth overlap in order
// of construction, and several objects are placed from the measured position
// of earlier ones.
void buildScene()
{
    buildTextSurfaces();

    FSOUND_Stream_Play(kMusicChannel, musicStream);
    loadSamples();

    resetGameState();
    buildTanks();
    backdropTexture = new Texture("media\\backdrop.tga");
    backdropSprite = new Sprite(0, 0, kBackdropDepth, backdropTexture);
    buildMothership();
    buildAliens();
    buildShots();
    buildDebris();
    buildShields();

    showLevelBanner();
    buildEffectPools();
    buildHeadsUpDisplay();
    buildTitleMenu();
    readHallOfFame();
    buildCredits();
}
