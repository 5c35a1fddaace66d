// The settled layer: sprites that have kept their look for a while, drawn
// once into a kept picture (backdrop_cache.h) with the backdrop under them.
//
// On the calm screens most sprites stay put frame after frame: the menu
// window and its shade, the score panels, the texts. Drawing them anew each
// frame is most of the frame's work under a software OpenGL. A sprite may
// come from the picture instead when that shows the same:
// - it has looked the same (vertices, texture, blending) for kSettledFrames
//   frames, so a sprite that animates or moves never thrashes the picture;
// - no sprite drawn before it and left out of the picture overlaps it, so
//   everything under it is in the picture too, in the same order;
// - no sprite drawn after it at the same depth overlaps it, since the
//   screen's depth buffer holds nothing of the picture, and a sprite at
//   equal depth would otherwise be turned away there. Sprites at greater
//   depth pass over it either way.
// The sprites left out are drawn over the picture in their own order.
// Boxes stand for the pixels a sprite can touch; the scene list must run
// from far to near, as it does, or nothing is picked.
#pragma once

#include <cstddef>
#include <cstdint>

class Sprite;

// Sprites of one frame, in drawing order, for the settled layer to look at.
struct LayerSprite {
    const Sprite* sprite;
    double z;
    float x0, y0, x1, y1;  // the box of its vertices on the screen
    uint64_t look;         // a digest of its vertices and drawing state
};

// Adds a value to a digest (a look, or the picks): the start value and the
// mixing of a 64-bit FNV-1a, a word at a time.
constexpr uint64_t kEmptyDigest = 0xCBF29CE484222325ull;
inline uint64_t addToDigest(uint64_t digest, uint64_t value)
{
    return (digest ^ value) * 0x100000001B3ull;
}

// More sprites in a frame than this, and nothing is picked.
constexpr int kLayerSprites = 4096;

// Frames a sprite keeps its look before the layer may hold it.
constexpr unsigned kSettledFrames = 30;

// Notes how long each sprite has kept its look (frame after frame, by its
// place in the drawing order) and marks in `picked` those the layer may hold
// this frame; the first sprite, the backdrop, must be one of them, or
// nothing is picked (`firstIsBackdrop` says whether it can be). Returns how
// many it picked.
int pickSettledSprites(const LayerSprite* sprites, int count, bool firstIsBackdrop, bool* picked);

// The last picks as a description for the kept picture: how many, and a
// digest of each one's sprite and look.
struct SettledPicks {
    uint64_t count;
    uint64_t digest;
};
const SettledPicks& settledPicks();

// Whether the same sprites have been picked, looking the same, for the last
// kSettledFrames frames: then drawing them anew into the picture pays.
bool settledPicksSteady();
