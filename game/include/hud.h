// The heads-up display and the banners: the score and lives panels, the
// level banner's surface, "Game Over", "You Win" and "Paused". Scene
// construction makes them at load time; the rules of play redraw the digits
// and show the banners. All live for the whole run.
#pragma once

class Sprite;
class TextSurface;
class Texture;

constexpr int kScoreDigits = 6;
constexpr int kDigitTextures = 10;

// The digits' row, and each player's six score digits 10 pixels apart in
// their own panel: player 1's on the right, player 2's on the left.
constexpr double kDigitY = 25.0;
double scoreDigitX(int player, int digit);

// The banners' row; the level banner stands a little left of the middle.
// Banner texts are 40 pixels high and drawn 4 pixels up on their surface,
// which trims the font's empty top rows.
constexpr double kBannerY = 220.0;
constexpr double kLevelBannerX = 259.0;
constexpr unsigned kBannerHeight = 40;
constexpr short kBannerTextY = -4;

// The level banner's surface, on which "LEVEL n" is drawn for each level.
constexpr unsigned kLevelBannerWidth = 144;
constexpr unsigned kLevelBannerHeight = kBannerHeight;

// The labels, each on its plate, and the panels behind them.
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

// The digits: ten textures, and the sprites that show them.
extern Texture* digitTexture[kDigitTextures];
extern Sprite* livesDigitSprite;
extern Sprite* p2ScoreDigitSprite[kScoreDigits];
extern Sprite* p1ScoreDigitSprite[kScoreDigits];

// The banners.
extern TextSurface* levelBannerSurface;  // 144 x 40, 40 pt
extern Texture* levelBannerTexture;
extern Texture* gameOverTexture;
extern Texture* youWinTexture;
extern Texture* pausedTexture;
extern Sprite* pausedSprite;             // "Paused", shown while a game is paused
