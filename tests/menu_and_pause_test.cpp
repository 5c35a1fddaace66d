// The title menu's keys and their latch, and the pause, after which the
// game goes on exactly as if it had never stopped.
#include "game_harness.h"

#include "keys.h"
#include "shutdown.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const Keys kUp{kMenuUpKey}, kDown{kMenuDownKey}, kChoose{kChooseKey};

TEST(MenuTest, AHeldKeyMovesTheCursorOnceUntilTheKeysAreUp)
{
    returnToTitleMenu();
    runPasses(20, kDown);
    EXPECT_EQ(menuCursor, uint32_t(kTwoPlayer)) << "held for 20 passes, counted once";
    EXPECT_EQ(menuKeyLatch, kKeyLatched);
    runPasses(1, Keys{kMenuDownKey, kChooseKey});
    EXPECT_TRUE(menuActive) << "Space while the latch holds chooses nothing";
    runPasses(1);
    EXPECT_EQ(menuKeyLatch, kKeyFree) << "every key up frees the latch";
    runPasses(1, kDown);
    EXPECT_EQ(menuCursor, uint32_t(kHallOfFame));
}

TEST(MenuTest, TheCursorStopsAtTheFirstAndLastItems)
{
    returnToTitleMenu();
    runPasses(1, kUp);
    EXPECT_EQ(menuCursor, uint32_t(kOnePlayer));
    EXPECT_EQ(menuKeyLatch, kKeyFree) << "a key that cannot act does not latch";
    for (int press = 0; press < 5; ++press)
        pressOnce(kDown);
    EXPECT_EQ(menuCursor, uint32_t(kHallOfFame) + 1) << "on Quit, and no further";
}

// Space on an item, once the latch is free: one player, two players, or the
// hall of fame, whose screen then holds the latch until Space is let go.
TEST(MenuTest, SpaceChoosesTheItemUnderTheCursor)
{
    for (const auto& [downs, players, hallOfFame] : {std::tuple{0, 1u, false}, {1, 2u, false}, {2, 2u, true}}) {
        SCOPED_TRACE(downs);
        returnToTitleMenu();
        for (int i = 0; i < downs; ++i)
            pressOnce(kDown);
        runPasses(1, kChoose);
        EXPECT_EQ(menuActive, hallOfFame);
        EXPECT_EQ(hallOfFameActive, hallOfFame);
        if (hallOfFame)
            EXPECT_EQ(menuKeyLatch, kKeyLatched);
        else
            EXPECT_EQ(playerCount, players);
    }
}

// Space on "Quit" asks for the end with code 0 in that very pass, however
// the latch stands, even as Down reaches "Quit"; the main loop carries it out.
TEST(MenuTest, SpaceOnQuitAsksForTheEndWithZeroWhateverTheLatch)
{
    for (bool latched : {true, false}) {
        SCOPED_TRACE(latched ? "latched, on Quit" : "free, Down onto Quit");
        returnToTitleMenu();
        menuKeyLatch = latched ? kKeyLatched : kKeyFree;
        menuCursor = latched ? kQuit : kHallOfFame;
        runPasses(1, latched ? kChoose : Keys{kMenuDownKey, kChooseKey});
        EXPECT_EQ(takeShutDownRequest(), std::optional<int>(0));
        runPasses(1);
        EXPECT_EQ(takeShutDownRequest(), std::nullopt) << "asked once";
    }
}

// What a pass can change: the tanks, the shots, the formation, the flares,
// the debris.
using Snapshot = std::vector<double>;

Snapshot snapshot()
{
    Snapshot s;
    for (const TankState& t : tank)
        s.insert(s.end(), {t.x, t.vx, t.tilt, t.tiltBurst, double(t.score)});
    for (const PlayerShot& p : shot)
        s.insert(s.end(), {p.x, p.y, double(p.active)});
    for (const AlienRecord& a : alien)
        s.insert(s.end(), {a.x, a.y, double(a.alive)});
    for (const Sprite* f : alienBombSprite)
        s.insert(s.end(), {f->x(), f->y(), double(f->visible)});
    for (const Sprite* piece : mothershipDebrisSprite)
        s.insert(s.end(), {piece->x(), piece->y()});
    s.insert(s.end(), {marchSpeed, descentCounter, mothershipX, double(lives)});
    return s;
}

// 60 busy passes straight, or paused after 30 for 50 passes with every key
// held: the same end, down to the next random number.
TEST(PauseTest, APausedGameResumesExactlyWhereItStopped)
{
    const Keys everything{SDLK_LEFT, SDLK_SPACE, SDLK_d, SDLK_LCTRL};
    setUpBusyScene(11, false);
    runPasses(60, everything);
    const Snapshot straight = snapshot();
    const int straightRandom = std::rand();

    setUpBusyScene(11, false);
    runPasses(30, everything);
    const Snapshot before = snapshot();
    gameEvent(keyEvent(SDL_KEYDOWN, pauseKey()));
    ASSERT_TRUE(gamePaused);
    runPasses(50, everything);
    EXPECT_TRUE(snapshot() == before) << "nothing moved while paused";
    EXPECT_TRUE(pausedSprite->visible);
    gameEvent(keyEvent(SDL_KEYDOWN, pauseKey()));
    ASSERT_FALSE(gamePaused);
    EXPECT_FALSE(pausedSprite->visible);
    runPasses(30, everything);
    EXPECT_TRUE(snapshot() == straight) << "resumed as if never paused";
    EXPECT_EQ(std::rand(), straightRandom) << "no random number drawn while paused";
}

}  // namespace
