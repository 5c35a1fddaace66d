// Fixed, seeded moments of the real game for checking and timing the frame's
// drawing: the draw equivalence test compares the batched drawing with the
// one-sprite-at-a-time reference on each, and the frame bench times both.
#pragma once

struct DrawScene {
    const char* name;
    void (*setUp)();     // brings the game to the moment (harness started)
    void (*step)();      // one more pass of the game from there
    void (*tearDown)();  // removes what setUp added beside the game's scene
};

constexpr int kDrawScenes = 8;
extern const DrawScene drawScenes[kDrawScenes];
