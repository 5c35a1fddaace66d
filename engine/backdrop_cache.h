// The backdrop kept as a finished picture.
//
// Every screen of the game starts with one big image behind everything, the
// same frame after frame. Under a software OpenGL, texturing its 300,000
// pixels is a good part of each frame, while copying a finished picture of
// them is a fraction of that. So the batched drawing draws that first
// sprite once into an off-screen picture, over the colour the screen is
// cleared to, and while the sprite stays the same each frame copies the
// picture onto the screen instead.
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

// Copies the picture over the whole screen (colour only).
void copyBackdropCacheToScreen();
