// Pictures of the screen's first layers, kept from frame to frame.
//
// Every screen of the game starts with one big image behind everything, the
// same frame after frame, and on the calmer screens (the title menu, the
// hall of fame, a pause) most of what lies over it stays the same too. So
// the batched drawing draws such layers once into an off-screen picture,
// over the colour the screen is cleared to, and while they stay the same
// draws the picture onto the screen instead, as one plain textured quad: no
// blending, no alpha or depth test, the texels replacing what was there.
// Under a software OpenGL that is the cheapest way to fill the screen;
// copying the picture across with a framebuffer blit costs more, as the
// renderer switches framebuffers and finishes the frame so far on each side
// of it.
//
// Two pictures are kept: the backdrop alone, and the backdrop with the
// settled sprites over it (settled_layer.h). Each remembers a description
// of what it holds, to be compared frame by frame.
//
// Needs framebuffer objects (OpenGL 3.0 or ARB_framebuffer_object); without
// them nothing is kept and everything is drawn as before.
#pragma once

#include <cstddef>

enum KeptPicture {
    kBackdropPicture,  // the first sprite alone: no depth buffer needed
    kSettledPicture,   // several sprites, which may overlap at equal depth
};

// Makes the off-screen pictures, the size of the screen. Called with the
// display's OpenGL set-up (the frame pass makes nothing). False when this
// OpenGL has no framebuffer objects.
bool initBackdropCache();

// Whether pictures can be kept.
bool backdropCacheAvailable();

// Whether the picture holds exactly this description (of the sprites
// drawn into it: their vertices and drawing state, or a digest of them)
// drawn with textures as they are now.
bool backdropCacheHolds(KeptPicture picture, const void* description, std::size_t bytes);

// Draws into the picture: clears it (colour to the screen's clear colour,
// and depth), runs `draw`, goes back to the screen and remembers the
// description.
void fillBackdropCache(KeptPicture picture, const void* description, std::size_t bytes, void (*draw)());

// Draws the picture over the whole screen, colour only: every pixel is
// replaced, so the screen's colour need not be cleared first. Leaves
// blending, the alpha test and the depth test on, texture modulation as the
// sprites use it, and the picture's texture bound.
void copyBackdropCacheToScreen(KeptPicture picture);
