// Pausing: P and a lost window focus hold a game exactly where it is, and
// only a game; the events go through the real poll. A paused game draws,
// but nothing moves, counts, draws a random number or sounds, and it goes
// on where it stopped.
#include "game_harness.h"

#include "alloc_counter.h"
#include "display.h"
#include "formation.h"
#include "game_state.h"
#include "gamepad.h"
#include "main_loop.h"
#include "pause.h"
#include "samples.h"
#include "scene.h"
#include "sprite.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const Keys kBusyKeys{SDLK_SPACE, SDLK_LCTRL, SDLK_LEFT, SDLK_d};

// Delivers one event through the real poll (which also draws a frame).
void deliver(SDL_Event event)
{
    SDL_PushEvent(&event);
    pollEvents();
}

void press(SDLKey key)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    deliver(e);
}

// The window losing (gain 0) or getting back the keyboard, the mouse, or
// its place on screen.
void windowEvent(Uint8 state, Uint8 gain)
{
    SDL_Event e = {};
    e.type = SDL_ACTIVEEVENT;
    e.active.state = state;
    e.active.gain = gain;
    SDL_EventState(SDL_ACTIVEEVENT, SDL_ENABLE);
    deliver(e);
    SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
}

// The game's counters and every sprite's place, turn, look and frame.
std::vector<double> fingerprint()
{
    std::vector<double> f = {double(level), double(lives), double(roundPause), double(gameOver),
                             double(aliensAlive), marchSpeed, descentCounter, double(tank[0].score),
                             double(tank[1].score), tank[0].vx, tank[1].vx, tank[0].tilt, tank[1].tilt};
    for (const Sprite* s = sceneHead; s; s = s->next)
        f.insert(f.end(), {s->x(), s->y(), s->angle, s->textureRotation, s->alpha(), double(s->visible),
                           double(s->textureName)});
    return f;
}

class PauseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        startGameHarness();
        installEventHandlers();
        // Other tests' windows opening on the same display would take the
        // focus from this one and pause the game; only the focus changes
        // this test makes itself are let through.
        SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
    }
    void TearDown() override { resumeGame(); }
};

TEST_F(PauseTest, APausedGameStandsStillAndGoesOnWhereItStopped)
{
    setUpBusyScene();
    runPasses(30, kBusyKeys, true);
    press(SDLK_p);
    ASSERT_TRUE(gamePaused);
    EXPECT_TRUE(pausedSprite->visible);
    EXPECT_TRUE(FSOUND_IsPlaying(kMusicChannel)) << "held, the music still counts as playing";
    EXPECT_EQ(Mix_Paused(kMusicChannel), 1);

    std::srand(99);
    const int nextRandom = std::rand();
    std::srand(99);
    const std::vector<double> before = fingerprint();
    // Paused passes as the real loop runs them: poll and draw, keys and pads.
    const long allocations = allocationsDuring([] {
        for (int i = 0; i < 40; ++i) {
            pollEvents();
            logicPass(keysWithPads(kBusyKeys.state()), KMOD_NONE);
        }
    });
    EXPECT_EQ(fingerprint(), before) << "positions, counters, spins and animation frames";
    EXPECT_EQ(std::rand(), nextRandom);
    EXPECT_EQ(allocations, 0);

    press(SDLK_p);
    EXPECT_FALSE(gamePaused);
    EXPECT_FALSE(pausedSprite->visible);
    EXPECT_EQ(Mix_Paused(kMusicChannel), 0);
    runPasses(1, kBusyKeys, true);
    EXPECT_NE(fingerprint(), before);
}

TEST_F(PauseTest, OnlyAGameIsPausedAndOnlyPResumesIt)
{
    enum Screen { kTitle, kNameEntry, kPlaying, kBetweenRounds };
    const Uint8 kKeyP = 0;  // instead of what the window lost
    const struct {
        Screen screen;
        Uint8 lost;
        bool pauses;
    } rows[] = {
        {kTitle, kKeyP, false},           {kTitle, SDL_APPINPUTFOCUS, false},   {kNameEntry, kKeyP, false},
        {kPlaying, kKeyP, true},          {kPlaying, SDL_APPINPUTFOCUS, true},  {kPlaying, SDL_APPACTIVE, true},
        {kPlaying, SDL_APPMOUSEFOCUS, false}, {kBetweenRounds, kKeyP, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "screen " << row.screen << ", lost " << int(row.lost));
        if (row.screen == kTitle || row.screen == kNameEntry)
            returnToTitleMenu();
        else
            startQuietGame();
        nameEntryActive = row.screen == kNameEntry;
        roundPause = row.screen == kBetweenRounds ? 5 : -1;
        if (row.lost == kKeyP)
            press(SDLK_p);
        else
            windowEvent(row.lost, 0);
        EXPECT_EQ(gamePaused, row.pauses);
        if (!row.pauses)
            continue;
        windowEvent(SDL_APPINPUTFOCUS | SDL_APPACTIVE, 1);
        EXPECT_TRUE(gamePaused) << "coming back to the window does not resume";
        press(SDLK_p);
        EXPECT_FALSE(gamePaused);
    }
    nameEntryActive = false;
}

}  // namespace
