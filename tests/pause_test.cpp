// Pausing: P and a lost window focus hold a game exactly where it is, and
// only a game; the events go through the real poll. A paused game draws,
// but nothing moves, counts, draws a random number or sounds, and a game
// with a pause in its middle ends exactly as one without.
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
// Playfield only leaves out the effect particles and the panels (depth 90
// and up) and the animation frames, which carry over from earlier games.
std::vector<double> fingerprint(bool playfieldOnly)
{
    std::vector<double> f = {double(level), double(lives), double(roundPause), double(gameOver),
                             double(aliensAlive), marchSpeed, descentCounter, double(tank[0].score),
                             double(tank[1].score), tank[0].vx, tank[1].vx, tank[0].tilt, tank[1].tilt};
    for (const Sprite* s = sceneHead; s; s = s->next) {
        if (playfieldOnly && (s->depth() >= 90.0 || !s->visible))
            continue;
        f.insert(f.end(), {s->x(), s->y(), s->angle, s->textureRotation, s->alpha(), double(s->visible)});
        if (!playfieldOnly)
            f.push_back(s->textureName);
    }
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
    const std::vector<double> before = fingerprint(false);
    // Paused passes as the real loop runs them: poll and draw, keys and pads.
    const long allocations = allocationsDuring([] {
        for (int i = 0; i < 40; ++i) {
            pollEvents();
            logicPass(keysWithPads(kBusyKeys.state()), KMOD_NONE);
        }
    });
    EXPECT_EQ(fingerprint(false), before) << "positions, counters, spins and animation frames";
    EXPECT_EQ(std::rand(), nextRandom);
    EXPECT_EQ(allocations, 0);

    press(SDLK_p);
    EXPECT_FALSE(gamePaused);
    EXPECT_FALSE(pausedSprite->visible);
    EXPECT_EQ(Mix_Paused(kMusicChannel), 0);
    runPasses(1, kBusyKeys, true);
    EXPECT_NE(fingerprint(false), before);
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

TEST_F(PauseTest, EscapeWhilePausedEndsTheGameAsEver)
{
    startQuietGame();
    press(SDLK_p);
    press(SDLK_ESCAPE);
    EXPECT_FALSE(gamePaused);
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(Mix_Paused(-1), 0) << "no channel is left held";
    runPasses(kGameEndPasses);
    EXPECT_TRUE(menuActive) << "the end of the game ran its course";
}

// The same two-player game from the same seed, once straight through and
// once with a pause in its middle, during which the keys change. The passes
// around the pause are drawn, so that spins and animation take part.
std::vector<double> playTheSameGame(bool withPause)
{
    // The effects draw random numbers too, so both games start with every
    // effect idle: all debris, smoke and skid dust run their full course.
    returnToTitleMenu();
    rearmBusyScene();
    hideAllFlares();
    runPasses(400);
    startNewGame(2, 23);
    // The road wheels keep their turn from game to game.
    for (TankState& t : tank)
        for (int i = 0; i < kTankWheels; ++i)
            t.tankWheelSprite[i]->setRotation(45.0 * i);
    const Keys script[3] = {Keys{SDLK_SPACE, SDLK_LEFT, SDLK_d}, Keys{SDLK_RIGHT, SDLK_LCTRL},
                            Keys{SDLK_SPACE, SDLK_a, SDLK_LCTRL}};
    for (int pass = 0; pass < 900; ++pass) {
        if (withPause && pass == 450) {
            pauseGame();
            for (int i = 0; i < 60; ++i)
                runPasses(1, script[i % 3], true);
            resumeGame();
        }
        runPasses(1, script[(pass / 50) % 3], pass >= 400 && pass < 500);
    }
    std::vector<double> end = fingerprint(true);
    end.push_back(std::rand());
    return end;
}

TEST_F(PauseTest, AGameWithAPauseInItsMiddleEndsAsOneWithout)
{
    const std::vector<double> straight = playTheSameGame(false);
    EXPECT_EQ(playTheSameGame(true), straight);
}

}  // namespace
