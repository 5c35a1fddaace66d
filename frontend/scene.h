// The scene objects: every texture, frame strip, sprite and text colour that
// scene construction makes at load time and the rest of the game shows,
// hides, moves and fades. All live for the whole run. The gameplay sprites
// (tanks, aliens, shields, shots, debris) are fields of the game state, and
// the heads-up display and banners are the game's own (hud.h).
#pragma once

#include <SDL.h>

class FrameStrip;
class Sprite;
class TextSurface;
class Texture;

constexpr int kMenuItems = 4;
constexpr int kCreditLines = 7;
constexpr int kCreditLineSize = 40;   // bytes per credit line, NUL included

// Text colours (8-bit red, green, blue).
extern SDL_Color gameTextColour;       // every text of the game
extern SDL_Color highlightTextColour;  // a highlighted menu item and "Back": holes in the bar

// The sprite sheets cut into strips: one row of equal frames each.
struct StripSheet {
    const char* path;
    unsigned frames, frameWidth, frameHeight;
};
constexpr StripSheet kMothershipSheet = {"media\\sprites\\mothership.tga", 13, 100, 60};
constexpr StripSheet kAlienSheet = {"media\\sprites\\alien_purple.tga", 9, 31, 31};
constexpr StripSheet kShieldArcSheet = {"media\\sprites\\sheild_arc.tga", 24, 8, 8};
constexpr StripSheet kShieldBallSheet = {"media\\sprites\\sheild_ball.tga", 6, 16, 16};

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

// Title menu.
extern Texture* menuWindowTexture;
extern Sprite* menuWindowSprite;
extern Sprite* menuShadeSprite;
extern Sprite* menuItemSprite[kMenuItems];
extern Sprite* menuItemHighlightSprite[kMenuItems];
extern Sprite* backSprite;
extern Sprite* creditSprite[kCreditLines];
// The texts' own textures, each shown by one sprite above.
extern Texture* menuItemTexture[kMenuItems];
extern Texture* menuItemHighlightTexture[kMenuItems];
extern Texture* backTexture;
extern Texture* creditTexture[kCreditLines];
extern const char creditLines[kCreditLines][kCreditLineSize];

// The typed name's surface, redrawn as the name is typed.
extern TextSurface* nameSurface;         // 160 x 30, 16 pt: the typed name

// Loads every medium and builds the whole scene and the initial game state.
// Draws nothing; needs the display, the font library and the sound library up.
void buildScene();
// The shields' arcs and balls back on the frames they were built with, as
// the title menu shows them after loading.
void restartShieldAnimations();
