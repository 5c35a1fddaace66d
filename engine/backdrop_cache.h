// The backdrop kept as a finished picture.
//
// Every screen of the game starts with one big image behind everything, the
// same frame after frame. So the batched drawing draws that first sprite
// once into an off-screen picture, over the colour the screen is cleared
// to, and while the sprite stays the same each frame draws the picture onto
// the screen instead, as one plain textured quad: no blending, no alpha or
// depth test, the texels replacing what was there. Under a software OpenGL
// that is the cheapest way to fill the screen; copying the picture across
// with a framebuffer blit costs more, as the renderer switches framebuffers
// and finishes the frame so far on each side of it.
//
// Needs framebuffer objects (OpenGL 3.0 or ARB_framebuffer_object); without
// them nothing is kept and the backdrop is drawn as before.
#pragma once

#include <cstddef>

// Makes the off-screen picture, the size of the screen. Called with the
// display's OpenGL set-up (the frame pass makes nothing). False when this
// OpenGL has no framebuffer objects.
bool initBackdropCache();

// Whether a picture can be kept.
bool backdropCacheAvailable();

// Whether the picture holds exactly this description of a backdrop (the
// bytes of its vertices and of its drawing state) drawn with textures as
// they are now.
bool backdropCacheHolds(const void* description, std::size_t bytes);

// Draws into the picture: clears it to the screen's clear colour, runs
// `draw`, goes back to the screen and remembers the description.
void fillBackdropCache(const void* description, std::size_t bytes, void (*draw)());

// Draws the picture over the whole screen, colour only: every pixel is
// replaced, so the screen's colour need not be cleared first. Leaves
// blending, the alpha test and the depth test on, texture modulation as the
// sprites use it, and the picture's texture bound.
void copyBackdropCacheToScreen();
