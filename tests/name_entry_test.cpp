// Name entry, driven through the real game's passes with chosen keys. The table's file is one of this test's own; the
// player's media/font/scores.txt is read at most and checked untouched.
#include "game_harness.h"

#include "name_entry.h"

#include "test_images.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

const fs::path kDirectory = "name_entry_test_files";
const fs::path kFile = kDirectory / "scores.txt";
const fs::path kPlayersFile = "media/font/scores.txt";

std::string nameOf(int place)
{
    return std::string(hallOfFame[place].name, strnlen(hallOfFame[place].name, kNameFieldSize));
}

class NameEntryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        playersTable = readBytes(kPlayersFile);
        fs::remove_all(kDirectory);
        fs::create_directories(kDirectory);
        startGameHarness();
        setHallOfFamePath(kFile.c_str());
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(kDirectory);
        EXPECT_EQ(readBytes(kPlayersFile), playersTable) << "a test wrote the player's scores";
    }
    static inline Bytes playersTable;

    // Ten entries "t0".."t9" scoring 100 down to 10.
    static void fillTable()
    {
        for (int i = 0; i < kHallOfFameEntries; ++i) {
            std::memset(hallOfFame[i].name, 0, kNameFieldSize);
            std::snprintf(hallOfFame[i].name, kNameFieldSize, "t%d", i);
            hallOfFame[i].score = 100 - 10 * i;
        }
    }

    // A one-player game ends with this score, as the main loop ends it, and
    // the keys of that game are released.
    static void beginNameEntry(uint32_t score)
    {
        returnToTitleMenu();
        resetNameEntry();
        fillTable();
        playerCount = 1;
        tank[0].score = score;
        finishGame();
        ASSERT_TRUE(hallOfFameActive && nameEntryActive);
        runPasses(1);
    }

    // One press: held for a pass, then released for a pass.
    static void press(const Keys& keys, SDLMod modifiers = KMOD_NONE)
    {
        runPasses(1, keys, false, modifiers);
        runPasses(1);
    }

    static std::string typed() { return std::string(typedName, typedLength); }
};

TEST_F(NameEntryTest, EachPressEntersOneLetterCapitalisedByShiftOrCapsLockUpToEight)
{
    beginNameEntry(55);
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

TEST_F(NameEntryTest, ReturnStoresTheEntryAndSavesTheTable)
{
    beginNameEntry(55);
    press(Keys{SDLK_k, SDLK_LSHIFT});
    press(Keys{SDLK_i});
    press(Keys{SDLK_m});
    press(Keys{SDLK_RETURN});

    EXPECT_EQ(nameOf(5), "Kim");
    EXPECT_EQ(hallOfFame[5].score, 55u);
    EXPECT_EQ(nameOf(6), "t5");
    EXPECT_EQ(tank[0].score, 0u);
    EXPECT_TRUE(hallOfFameActive && !nameEntryActive && backSprite->visible);
    for (Sprite* s = sceneHead; s; s = s->next)
        EXPECT_FALSE(s->depth() == 100.0 && s->visible && s->y() == 350.0) << "the prompt and typed name are gone";

    const Bytes saved = readBytes(kFile);
    ASSERT_EQ(saved.size(), 160u);
    EXPECT_EQ(std::string((const char*)&saved[80]), "Kim");
    EXPECT_EQ(Bytes(saved.begin() + 92, saved.begin() + 96), Bytes({55, 0, 0, 0}));

    // The next Space press leaves the screen.
    press(Keys{SDLK_SPACE});
    EXPECT_FALSE(hallOfFameActive);

    beginNameEntry(10);  // nothing typed: an empty name, equal to the tenth
    press(Keys{SDLK_RETURN});
    EXPECT_TRUE(nameOf(9) == "" && hallOfFame[9].score == 10u && nameOf(8) == "t8");
    EXPECT_EQ(readBytes(kFile)[144], 0);
}

}  // namespace
