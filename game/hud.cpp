#include "hud.h"

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

Texture* digitTexture[kDigitTextures];
Sprite* livesDigitSprite;
Sprite* p2ScoreDigitSprite[kScoreDigits];
Sprite* p1ScoreDigitSprite[kScoreDigits];

TextSurface* levelBannerSurface;
Texture* levelBannerTexture;
Texture* gameOverTexture;
Texture* youWinTexture;
Texture* pausedTexture;
Sprite* pausedSprite;

namespace {

constexpr double kDigitsLeftX[2] = {525.0, 55.0};
constexpr double kDigitSpacing = 10.0;

}  // namespace

double scoreDigitX(int player, int digit)
{
    return kDigitSpacing * digit + kDigitsLeftX[player];
}
