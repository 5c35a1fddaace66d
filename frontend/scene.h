// The scene objects: every texture, frame strip, sprite and text colour that
// scene construction makes at load time and the rest of the game shows,
// hides, moves and fades. All live for the whole run. The gameplay sprites
// (tanks, aliens, shields, shots, debris) are fields of the game state.
#pragma once

#include <SDL.h>

class FrameStrip;
class Sprite;
class TextSurface;
class Texture;

constexpr int kMenuItems = 4;
constexpr int kCreditLines = 7;
constexpr int kScoreDigits = 6;
constexpr int kCreditLineSize = 40;   // bytes per credit line, NUL included

// Text colours (8-bit red, green, blue).
extern SDL_Color gameTextColour;       // every text of the game
extern SDL_Color highlightTextColour;  // a highlighted menu item and "Back": holes in the bar

// Playfield images.
extern Texture* backdropTexture;
extern Texture* tankWheelsTexture[2];   // per player
extern Texture* tankWheelTexture;       // shared by both players
extern Texture* tankBodyTexture[2];
extern Texture* tankBridgeTexture[2];
extern Texture* tankCannonTexture[2];
extern FrameStrip* mothershipStrip;
extern Texture* mothershipPieceTexture[5];
extern FrameStrip* alienStrip;
extern Texture* bulletTexture;
extern FrameStrip* shieldArcStrip;
extern FrameStrip* shieldBallStrip;
extern Texture* flareTexture;
extern Texture* panelTexture;           // one dark pixel, stretched behind panels
extern Sprite* backdropSprite;

// Heads-up display.
extern Texture* p1ScoreLabelTexture;
extern Texture* p1ScoreLabelTexture2;
extern Texture* p2ScoreLabelTexture;
extern Texture* livesLabelTexture;
extern Sprite* p2ScoreLabelSprite;
extern Sprite* p1ScoreLabelSprite2;     // player 1's label in two-player games
extern Sprite* p1ScoreLabelSprite;      // player 1's label in one-player games
extern Sprite* leftPanelSprite;
extern Sprite* rightPanelSprite;
extern Sprite* livesLabelSprite;
extern Sprite* livesPanelSprite;
extern Texture* digitTexture[10];
extern Sprite* livesDigitSprite;
extern Sprite* p2ScoreDigitSprite[kScoreDigits];
extern Sprite* p1ScoreDigitSprite[kScoreDigits];

// Title menu, end banners and the pause text.
extern Texture* menuWindowTexture;
extern Sprite* menuWindowSprite;
extern Sprite* menuShadeSprite;
extern Sprite* menuItemSprite[kMenuItems];
extern Sprite* menuItemHighlightSprite[kMenuItems];
extern Sprite* backSprite;
extern Texture* gameOverTexture;
extern Texture* youWinTexture;
extern Texture* pausedTexture;
extern Sprite* pausedSprite;            // "Paused", shown while a game is paused
extern Sprite* creditSprite[kCreditLines];
// The texts' own textures, each shown by one sprite above.
extern Texture* menuItemTexture[kMenuItems];
extern Texture* menuItemHighlightTexture[kMenuItems];
extern Texture* backTexture;
extern Texture* creditTexture[kCreditLines];
extern const char creditLines[kCreditLines][kCreditLineSize];

// Texts rewritten at run time.
extern TextSurface* levelBannerSurface;  // 144 x 40, 40 pt
extern Texture* levelBannerTexture;
extern TextSurface* nameSurface;         // 160 x 30, 16 pt: the typed name

// Loads every medium and builds the whole scene and the initial game state.
// Draws nothing; needs the display, the font library and the sound library up.
void buildScene();
