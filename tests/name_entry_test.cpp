// Name entry, driven through the real game's passes with chosen keys.
#include "game_harness.h"

#include "name_entry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string typed() { return std::string(typedName, typedLength); }

// A one-player game ends with a score for the table, as the main loop ends
// it, and the keys of that game are released.
void endGameWithANameToEnter()
{
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
    pressOnce(Keys{SDLK_BACKSPACE});
    EXPECT_EQ(typed(), "a");
    pressOnce(Keys{SDLK_a, SDLK_LSHIFT});
    pressOnce(Keys{SDLK_b, SDLK_RSHIFT});
    pressOnce(Keys{SDLK_c}, KMOD_CAPS);
    pressOnce(Keys{SDLK_d}, SDLMod(KMOD_CAPS | KMOD_NUM));  // Caps Lock alone, not with Num Lock
    // Holding Space pauses entry, and Space never enters a character.
    runPasses(3, Keys{SDLK_SPACE, SDLK_e});
    runPasses(3, Keys{SDLK_SPACE, SDLK_RETURN});
    EXPECT_TRUE(nameEntryActive);
    pressOnce(Keys{SDLK_SPACE});
    for (SDLKey key : {SDLK_e, SDLK_f, SDLK_g, SDLK_h, SDLK_i})
        pressOnce(Keys{key});
    EXPECT_EQ(typed(), "aABCdefg");
    EXPECT_EQ(std::strlen(typedName), 8u);
    // The eighth letter, still held at the limit, no longer blocks Backspace.
    pressOnce(Keys{SDLK_BACKSPACE});
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
    pressOnce(Keys{SDLK_o});
    gameEvent(keyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT));
    runPasses(3, Keys{SDLK_RETURN, SDLK_LALT}, false, KMOD_LALT);
    runPasses(3, Keys{SDLK_RETURN});
    EXPECT_TRUE(nameEntryActive);
    gameEvent(keyEvent(SDL_KEYUP, SDLK_RETURN));
    runPasses(1);

    // Back to the screen mode the test display had.
    gameEvent(keyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_RALT));
    gameEvent(keyEvent(SDL_KEYUP, SDLK_RETURN));
    runPasses(1, Keys{SDLK_RETURN});
    EXPECT_FALSE(nameEntryActive);
    EXPECT_STREQ(hallOfFame[0].name, "o");
}

}  // namespace
