// Name entry, driven through the real game's passes with chosen keys.
#include "game_harness.h"

#include "name_entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// One press: held for a pass, then released for a pass.
void press(const Keys& keys, SDLMod modifiers = KMOD_NONE)
{
    runPasses(1, keys, false, modifiers);
    runPasses(1);
}

std::string typed() { return std::string(typedName, typedLength); }

// A one-player game ends with a score for the table, as the main loop ends
// it, and the keys of that game are released.
void endGameWithANameToEnter()
{
    startGameHarness();
    returnToTitleMenu();
    resetNameEntry();
    hallOfFame[kHallOfFameEntries - 1].score = 0;
    playerCount = 1;
    tank[0].score = 55;
    finishGame();
    ASSERT_TRUE(hallOfFameActive);
    ASSERT_TRUE(nameEntryActive);
    runPasses(1);
}

SDL_Event returnKey(Uint8 type, SDLMod modifiers)
{
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = SDLK_RETURN;
    event.key.keysym.mod = modifiers;
    return event;
}

TEST(NameEntryTest, EachPressEntersOneLetterCapitalisedByShiftOrCapsLockUpToEight)
{
    endGameWithANameToEnter();

    runPasses(3, Keys{SDLK_BACKSPACE});
    EXPECT_EQ(menuKeyLatch, 0) << "a Backspace that cannot act must not hold the latch";
    runPasses(5, Keys{SDLK_BACKSPACE, SDLK_a});
    EXPECT_EQ(typed(), "a");
    runPasses(1);
    runPasses(5, Keys{SDLK_b, SDLK_a});  // the first in alphabetical order wins
    EXPECT_EQ(typed(), "aa");
    // Letters and Backspace share the latch: Backspace pressed while a
    // letter is still held waits for both to be released.
    runPasses(1, Keys{SDLK_b, SDLK_a, SDLK_BACKSPACE});
    EXPECT_EQ(typed(), "aa");
    runPasses(1);
    press(Keys{SDLK_BACKSPACE});
    EXPECT_EQ(typed(), "a");
    press(Keys{SDLK_a, SDLK_LSHIFT});
    press(Keys{SDLK_b, SDLK_RSHIFT});
    press(Keys{SDLK_c}, KMOD_CAPS);
    press(Keys{SDLK_d}, SDLMod(KMOD_CAPS | KMOD_NUM));  // Caps Lock alone, not with Num Lock
    // Holding Space pauses entry, and Space never enters a character.
    runPasses(3, Keys{SDLK_SPACE, SDLK_e});
    runPasses(3, Keys{SDLK_SPACE, SDLK_RETURN});
    EXPECT_TRUE(nameEntryActive);
    press(Keys{SDLK_SPACE});
    for (SDLKey key : {SDLK_e, SDLK_f, SDLK_g, SDLK_h, SDLK_i})
        press(Keys{key});
    EXPECT_EQ(typed(), "aABCdefg");
    EXPECT_EQ(std::strlen(typedName), 8u);
    // The eighth letter, still held at the limit, no longer blocks Backspace.
    press(Keys{SDLK_BACKSPACE});
    runPasses(3, Keys{SDLK_z});
    EXPECT_EQ(typed(), "aABCdefz");
    runPasses(1, Keys{SDLK_z, SDLK_BACKSPACE});
    runPasses(3, Keys{SDLK_z});
    EXPECT_EQ(typed(), "aABCdef") << "the held letter must be pressed again";
}

// Alt+Return, held or held on after Alt is let go, stores no name; Return
// pressed anew does.
TEST(NameEntryTest, AltReturnSwitchesTheScreenAndStoresNoName)
{
    endGameWithANameToEnter();
    press(Keys{SDLK_o});
    gameEvent(returnKey(SDL_KEYDOWN, KMOD_LALT));
    runPasses(3, Keys{SDLK_RETURN, SDLK_LALT}, false, KMOD_LALT);
    runPasses(3, Keys{SDLK_RETURN});
    EXPECT_TRUE(nameEntryActive);
    gameEvent(returnKey(SDL_KEYUP, KMOD_NONE));
    runPasses(1);

    // Back to the screen mode the test display had.
    gameEvent(returnKey(SDL_KEYDOWN, KMOD_RALT));
    gameEvent(returnKey(SDL_KEYUP, KMOD_NONE));
    runPasses(1, Keys{SDLK_RETURN});
    EXPECT_FALSE(nameEntryActive);
    EXPECT_STREQ(hallOfFame[0].name, "o");
}

}  // namespace
