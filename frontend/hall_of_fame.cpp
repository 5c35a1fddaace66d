#include "hall_of_fame.h"

#include "depths.h"
#include "game_state.h"
#include "scene.h"
#include "sprite.h"
#include "text_sprites.h"
#include "texture.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

HallOfFameEntry hallOfFame[kHallOfFameEntries];

namespace {

// The screen's lines: 16 pt text on line-high surfaces, in front of the menu.
constexpr double kNameColumn = 35.0;    // from the menu window's left edge
constexpr double kScoreColumn = 315.0;
constexpr double kFirstRowY = 130.0;
constexpr double kRowSpacing = 20.0;

Texture* hofNameTexture[kHallOfFameEntries];
Sprite* hofNameSprite[kHallOfFameEntries];
Texture* hofScoreTexture[kHallOfFameEntries];
Sprite* hofScoreSprite[kHallOfFameEntries];
Texture* promptTexture;
Sprite* promptSprite;

// ---- Names --------------------------------------------------------------------

// Copies a name up to its NUL, never more than the field holds: a name
// that fills all 12 bytes is copied whole and stays without a NUL.
void copyName(char* field, const char* name)
{
    const size_t length = strnlen(name, kNameFieldSize);
    std::memcpy(field, name, length);
    if (length < kNameFieldSize)
        field[length] = '\0';
}

std::string nameText(const HallOfFameEntry& entry)
{
    return std::string(entry.name, strnlen(entry.name, kNameFieldSize));
}

std::string scoreText(const HallOfFameEntry& entry)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRIu32, entry.score);
    return digits;
}

// ---- The screen ---------------------------------------------------------------

// The columns are placed from the menu window, truncated to whole pixels.
double columnX(double offset)
{
    return double(int(menuWindowSprite->x() + offset));
}

void showLine(const std::string& text, double x, double y, Texture*& texture, Sprite*& sprite)
{
    texture = makeTextTexture(text.c_str(), kSmallTextPoints, kTextLineHeight, 0);
    sprite = makeAdditiveSprite(texture, x, y, kFrontDepth);
}

void destroyLine(Texture*& texture, Sprite*& sprite)
{
    delete sprite;
    delete texture;
    sprite = nullptr;
    texture = nullptr;
}

void destroyLines()
{
    for (int i = 0; i < kHallOfFameEntries; ++i) {
        destroyLine(hofNameTexture[i], hofNameSprite[i]);
        destroyLine(hofScoreTexture[i], hofScoreSprite[i]);
    }
    destroyLine(promptTexture, promptSprite);
}

}  // namespace

bool qualifiesForHallOfFame(uint32_t score)
{
    return score >= hallOfFame[kHallOfFameEntries - 1].score;
}

// From the bottom up, every entry whose score is at most the new one moves
// down a place; the new entry takes the place above them all. A score that
// does not qualify changes nothing.
void insertIntoHallOfFame(uint32_t score, const char* name)
{
    if (!qualifiesForHallOfFame(score))
        return;
    int place = kHallOfFameEntries - 1;
    while (place > 0 && score >= hallOfFame[place - 1].score) {
        copyName(hallOfFame[place].name, hallOfFame[place - 1].name);
        hallOfFame[place].score = hallOfFame[place - 1].score;
        --place;
    }
    copyName(hallOfFame[place].name, name);
    hallOfFame[place].score = score;
}

void showHallOfFame()
{
    // Lines left from a screen that was never closed would otherwise leak.
    destroyLines();
    levelBannerSprite->setAlpha(0.0);
    for (int i = 0; i < kMenuItems; ++i) {
        menuItemSprite[i]->hide();
        menuItemHighlightSprite[i]->hide();
    }
    hallOfFameActive = true;

    const double nameX = columnX(kNameColumn);
    for (int i = 0; i < kHallOfFameEntries; ++i)
        showLine(nameText(hallOfFame[i]), nameX, kFirstRowY + kRowSpacing * i,
                 hofNameTexture[i], hofNameSprite[i]);
    const double scoreX = columnX(kScoreColumn);
    for (int i = 0; i < kHallOfFameEntries; ++i)
        showLine(scoreText(hallOfFame[i]), scoreX, kFirstRowY + kRowSpacing * i,
                 hofScoreTexture[i], hofScoreSprite[i]);

    // The typed name appears to the right of the prompt (name entry).
    if (nameEntryActive)
        showLine("Enter your name", nameX, kPromptRowY, promptTexture, promptSprite);
    else
        backSprite->show();
}

// The prompt goes with the lines: the screen is only ever closed while it
// takes a name when that name has just been confirmed.
void closeHallOfFame()
{
    destroyLines();
    menuKeyLatch = kKeyLatched;
    hallOfFameActive = false;
    backSprite->hide();
}

double promptRightEdge()
{
    return promptSprite ? promptSprite->x() + promptSprite->scaledWidth() : 0.0;
}
