// The frame pacing, also across the tick counter's wrap, and the quit
// signals, which the event poll reports as a quit.
#include "display.h"
#include "display_connection.h"

#include "test_display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <vector>

// SDL's tick counter and sleep, stood in for: each reading is one tick, so
// waits count the same on any machine, and a sleep passes at once.
static Uint32 fakeTicks = 0;
Uint32 SDL_GetTicks() { return ++fakeTicks; }
static std::vector<Uint32> sleeps;
void SDL_Delay(Uint32 ms)
{
    sleeps.push_back(ms);
    fakeTicks += ms;
}

namespace {

// Each in a child the signal must not kill; first in the file, so that no
// display of the parent's is up beside the children's.
TEST(DisplayTest, TermIntAndHangUpSignalsAreQuitRequests)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_EXIT({ ensureDisplay(); std::raise(signal); std::_Exit(pollEvents() ? 0 : 1); }, ::testing::ExitedWithCode(0), "") << signal;
}

// Audio that cannot start leaves the game its display: it plays silently.
TEST(DisplayTest, WithoutAudioTheDisplayStillOpens)
{
    EXPECT_EXIT({ setenv("SDL_AUDIODRIVER", "korvath-no-such-driver", 1); ensureDisplay(); std::_Exit(0); },
                ::testing::ExitedWithCode(0), "");
}

// Asked whether the server has gone, the watch gives a live one the whole
// wait before it answers no.
TEST(DisplayTest, ALiveServerIsGivenTheWholeWaitAsked)
{
    ensureDisplay();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(displayServerGone(1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1));
}

TEST(DisplayTest, FramesAreAtLeast15TicksApartButALateOneDoesNotWait)
{
    ensureDisplay();
    Uint32 stamp = lastFrameTick = fakeTicks;  // a frame just shown
    renderFrame();
    EXPECT_GE(lastFrameTick - stamp, kFramePeriodMs);
    lastFrameTick = fakeTicks - 2 * kFramePeriodMs;
    stamp = fakeTicks;
    waitForFrameTime();
    EXPECT_LT(lastFrameTick - stamp, kFramePeriodMs) << "no wait for a frame that is already late";
    // Stamped six ticks before the counter wraps, so that the stamp plus the
    // period wraps too: one period's wait, neither none nor 49 days.
    stamp = fakeTicks = lastFrameTick = 0xFFFFFFFFu - 5;
    waitForFrameTime();
    EXPECT_TRUE(lastFrameTick - stamp >= kFramePeriodMs && lastFrameTick - stamp < 2 * kFramePeriodMs);
    EXPECT_TRUE(sleeps.empty()) << "the exact pacing never sleeps";
}

// Gentle pacing sleeps away all of the wait but its last 2 ms, then waits
// them out exactly; a frame already late sleeps not at all.
TEST(DisplayTest, GentlePacingSleepsUntilJustBeforeTheFrameThenWaitsExactly)
{
    ensureDisplay();
    framePacing = Pacing::kGentle;
    const Uint32 stamp = lastFrameTick = fakeTicks;
    waitForFrameTime();
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0], kFramePeriodMs - kGentleMarginMs - 1) << "one tick read before the sleep";
    EXPECT_GE(lastFrameTick - stamp, kFramePeriodMs);
    EXPECT_LE(lastFrameTick - stamp, kFramePeriodMs + 1);
    sleeps.clear();
    lastFrameTick = fakeTicks - 2 * kFramePeriodMs;
    waitForFrameTime();
    EXPECT_TRUE(sleeps.empty());
    framePacing = Pacing::kExact;
}

}  // namespace
