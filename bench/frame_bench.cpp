// How much of the 15 ms frame the game uses on this machine: the logic of
// one playing pass in a busy mid-game scene, the drawing of four moments of
// the game under the software GL (batched, and the reference beside it),
// and the scene's construction at load. Each result also shows as a share
// of the frame ("frame_%").
//
// Run it under a display, e.g.
//   xvfb-run -s '-screen 0 640x480x24' build/bench/korvath_bench
// The frame's share is what counts: the loading time is measured against
// half a second.
#include "draw_scenes.h"
#include "game_harness.h"

#include "display.h"
#include "main_loop.h"
#include "test_display.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kFrameMs = 15.0;
constexpr double kLoadBudgetMs = 500.0;  // loading should take under half a second
constexpr int kRearmEvery = 150;  // passes before the flares and debris run out

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The moments timed, as indices into drawScenes.
constexpr int kTitleMenu = 1;
constexpr int kHectic = 2;
constexpr int kWorst = 3;
constexpr int kHallOfFame = 4;

// Processor time of the whole process (the software GL's own threads too),
// milliseconds: on a shared machine this still counts only our own work.
double processCpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The times of frames drawn one way and swapped: on the clock and in
// processor time, frame by frame. The median shrugs off the moments other
// programs take the processor; the best frame is the nearest to an idle
// machine.
struct FrameTimes {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    void add(void (*draw)())
    {
        const auto start = Clock::now();
        const double cpuStart = processCpuMs();
        draw();
        SDL_GL_SwapBuffers();
        ms.push_back(msSince(start));
        cpuMs.push_back(processCpuMs() - cpuStart);
    }
    // Under names that start with `prefix`: the median, also as a share of
    // the frame, the best frame, and the median processor time.
    void report(benchmark::State& state, const std::string& prefix) const
    {
        const double typical = median(ms);
        state.counters[prefix + "ms"] = typical;
        state.counters[prefix + "frame_%"] = 100.0 * typical / kFrameMs;
        state.counters[prefix + "best_ms"] = *std::min_element(ms.begin(), ms.end());
        state.counters[prefix + "cpu_ms"] = median(cpuMs);
    }
};

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

// One frame, drawing and the buffer swap without the wait, drawn both ways
// side by side: the passes of the game are drawn in turns by the reference
// (one Sprite::draw per sprite, "ref_ms") and by the batched drawing ("ms"),
// so a machine that gets busier slows both alike. Frames start 15 ms apart,
// as in the game, so that each finds the display done with the one before.
// The moments: a hectic moment of real play, the worst scene (every debris
// piece smoking at once), the title menu, and the hall of fame taking a name.
void BM_RenderFrameWithoutWait(benchmark::State& state)
{
    const DrawScene& scene = drawScenes[state.range(0)];
    state.SetLabel(scene.name);
    scene.setUp();
    // The driver compiles its shaders in the first frames of a new scene.
    for (int i = 0; i < 30; ++i) {
        drawSceneReference();
        drawScene();
        SDL_GL_SwapBuffers();
        scene.step();
    }
    FrameTimes batched;
    FrameTimes reference;
    for (auto _ : state) {
        waitForFrameTime();
        reference.add(drawSceneReference);
        scene.step();
        waitForFrameTime();
        batched.add(drawScene);
        scene.step();
        state.SetIterationTime(batched.ms.back() / 1e3);
    }
    batched.report(state, "");
    reference.report(state, "ref_");
    if (scene.tearDown)
        scene.tearDown();
}
BENCHMARK(BM_RenderFrameWithoutWait)
    ->Arg(kHectic)
    ->Arg(kWorst)
    ->Arg(kTitleMenu)
    ->Arg(kHallOfFame)
    ->MinTime(2.0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

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
