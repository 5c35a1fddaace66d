// Seeded moments of the game, on which the draw equivalence test checks the
// frame's drawing and the frame bench times it.
#pragma once

struct DrawScene {
    const char* name;
    void (*setUp)();     // brings the game to the moment (harness started)
    void (*step)();      // one more pass of the game from there
    void (*tearDown)();  // removes what setUp added beside the game's scene
};

constexpr int kDrawScenes = 8;
extern const DrawScene drawScenes[kDrawScenes];
