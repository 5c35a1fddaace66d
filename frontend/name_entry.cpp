#include "name_entry.h"

#include "depths.h"
#include "game_state.h"
#include "hall_of_fame.h"
#include "keys.h"
#include "scene.h"
#include "sprite.h"
#include "text_sprites.h"
#include "text_surface.h"
#include "texture.h"

#include <algorithm>

char typedName[kMaxNameLength + 1];
uint32_t typedLength = 0;
bool nameKeyHeld = false;

namespace {

// The typed name: the whole name surface, right of the prompt.
// Its place is x 260, unless the prompt in this font reaches further: then
// it starts a small gap after the prompt instead of writing over it.
constexpr double kNameX = 260.0;
constexpr double kPromptGap = 8.0;

// Capitals are k - 32 in the character set.
constexpr int kCapitalOffset = 'a' - 'A';

Texture* nameTexture;
Sprite* nameSprite;

void forgetTypedName()
{
    delete nameSprite;
    delete nameTexture;
    nameSprite = nullptr;
    nameTexture = nullptr;
}

// Redraws the name on the erased surface and shows it as a new texture.
void showTypedName()
{
    nameSurface->restore();
    forgetTypedName();
    nameSurface->drawText(0, 0, typedName);
    nameTexture = new Texture(nameSurface, 0, 0, kNameWidth, kTextLineHeight);
    const double x = std::max(kNameX, double(int(promptRightEdge() + kPromptGap)));
    nameSprite = makeAdditiveSprite(nameTexture, x, kPromptRowY, kFrontDepth);
}

// Caps Lock counts only when it is the one modifier active: with Num Lock
// also on, the modifier state is no longer exactly KMOD_CAPS.
bool capitalsWanted()
{
    return keyHeld(kShiftKeys[0]) || keyHeld(kShiftKeys[1]) || keyModifiers == KMOD_CAPS;
}

// At most one letter per pass: the first held letter in alphabetical order.
// A letter held while the latch blocks it keeps the latch, but only while
// there is room for it.
void typeLetter()
{
    if (typedLength >= kMaxNameLength)
        return;
    for (int k = kFirstLetterKey; k <= kLastLetterKey; ++k) {
        if (!keyHeld(SDLKey(k)))
            continue;
        nameKeyHeld = true;
        if (menuKeyIsLatched())
            continue;
        typedName[typedLength] = char(capitalsWanted() ? k - kCapitalOffset : k);
        typedName[typedLength + 1] = '\0';
        showTypedName();
        menuKeyLatch = kKeyLatched;
        ++typedLength;
        return;
    }
}

void eraseLetter()
{
    if (!keyHeld(kEraseKey) || typedLength == 0)
        return;
    nameKeyHeld = true;
    if (menuKeyIsLatched())
        return;
    menuKeyLatch = kKeyLatched;
    --typedLength;
    typedName[typedLength] = '\0';
    showTypedName();
}

// The name goes into the table as it stands in the file now, the table is
// saved, and the screen is rebuilt with "Back" to show it; a save that fails
// ends the game with exit code 555. Return that went down with Alt switched
// the screen mode, and stores no name while it is held.
void confirmName()
{
    if (!keyHeld(kConfirmKey) || confirmKeySwitchedScreen || menuKeyIsLatched())
        return;
    menuKeyLatch = kKeyLatched;
    nameEntryActive = false;
    typedName[typedLength] = '\0';
    forgetTypedName();
    typedLength = 0;
    // Closing the screen also takes the prompt down.
    closeHallOfFame();
    recordInHallOfFame(tank[0].score, typedName);
    showHallOfFame();
    tank[0].score = 0;
}

}  // namespace

// Letters before Backspace before Return: a key that acted sets the latch,
// so the later ones in the same pass only see it held.
void nameEntryStep()
{
    nameKeyHeld = false;
    typeLetter();
    eraseLetter();
    confirmName();
    // Return does not keep the latch: only a key that could act does.
    if (!nameKeyHeld)
        menuKeyLatch = kKeyFree;
}

void resetNameEntry()
{
    forgetTypedName();
    typedLength = 0;
    typedName[0] = '\0';
    nameKeyHeld = false;
}
