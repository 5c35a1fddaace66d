// How much of the 15 ms frame the game uses on this machine: the logic of
// one playing pass in a busy mid-game scene, the drawing of that scene under
// the software GL, and the scene's construction at load. Each result also
// shows as a share of the frame ("frame_%").
//
// Run it under a display, e.g.
//   xvfb-run -s '-screen 0 640x480x24' build/bench/korvath_bench
// The frame's share is what counts: the loading time is measured against
// half a second.
#include "game_harness.h"

#include "display.h"
#include "main_loop.h"
#include "test_display.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kFrameMs = 15.0;
constexpr double kLoadBudgetMs = 500.0;  // loading should take under half a second
constexpr int kRearmEvery = 150;  // passes before the flares and debris run out

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void reportShareOfFrame(benchmark::State& state, double totalMs)
{
    const double perIteration = totalMs / double(state.iterations());
    state.counters["ms"] = perIteration;
    state.counters["frame_%"] = 100.0 * perIteration / kFrameMs;
}

// The scene is built once per process: the first run times it (with the
// sound library's start, as at load; the display is already up).
void BM_BuildScene(benchmark::State& state)
{
    double ms = 0.0;
    for (auto _ : state) {
        ensureDisplay();
        const auto start = Clock::now();
        startGameHarness();
        ms += msSince(start);
    }
    state.counters["ms"] = ms;
    state.counters["load_budget_%"] = 100.0 * ms / kLoadBudgetMs;
}
BENCHMARK(BM_BuildScene)->Iterations(1)->Unit(benchmark::kMillisecond);

// Two players driving and firing, the formation marching, flares falling,
// every effect pool busy.
void BM_PlayingPassLogic(benchmark::State& state)
{
    setUpBusyScene();
    const Keys keys{SDLK_SPACE, SDLK_LCTRL, SDLK_LEFT, SDLK_d};
    double ms = 0.0;
    int passes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        logicPass(keys.state(), KMOD_NONE);
        ms += msSince(start);
        if (++passes % kRearmEvery == 0) {
            state.PauseTiming();
            rearmBusyScene();
            state.ResumeTiming();
        }
    }
    reportShareOfFrame(state, ms);
}
BENCHMARK(BM_PlayingPassLogic)->Unit(benchmark::kMicrosecond);

// One frame of that scene: drawing and the buffer swap, without the wait.
// Argument 1: every debris piece smoking at once (the worst case); 0: a
// hectic moment of real play.
void BM_RenderFrameWithoutWait(benchmark::State& state)
{
    const bool everyPiece = state.range(0) != 0;
    setUpBusyScene(7, everyPiece);
    const Keys keys{SDLK_SPACE, SDLK_LCTRL};
    // The driver compiles its shaders in the first frames of a new scene.
    for (int i = 0; i < 30; ++i) {
        drawScene();
        SDL_GL_SwapBuffers();
        logicPass(keys.state(), KMOD_NONE);
    }
    double ms = 0.0;
    int passes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        drawScene();
        SDL_GL_SwapBuffers();
        ms += msSince(start);
        state.PauseTiming();
        logicPass(keys.state(), KMOD_NONE);
        if (++passes % kRearmEvery == 0)
            rearmBusyScene(everyPiece);
        state.ResumeTiming();
    }
    reportShareOfFrame(state, ms);
}
BENCHMARK(BM_RenderFrameWithoutWait)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (chdir(KORVATH_RUN_DIR) != 0) {
        std::perror("chdir to the run directory");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
