// Batched drawing of the scene list.
//
// Sprite::draw sends one sprite at a time: its own matrices, blend factors,
// texture and an immediate-mode quad. Under a software OpenGL every such
// draw has a fixed cost that a scene of a thousand sprites cannot afford.
// This draws the same picture with the transforms worked out here and one
// vertex-array draw for each run of consecutive sprites that share a texture
// and blend factors; OpenGL handles the quads of one draw in order, so the
// depth test and blending see them exactly as they would one by one. The
// backdrop, and on calm screens the sprites that stay the same, come from
// kept pictures (backdrop_cache.h, settled_layer.h).
#pragma once

// Clears the screen and draws every sprite of the scene list that is
// visible and not fully transparent, head to tail, and advances each one's
// spins and animation as Sprite::draw does. Expects the modelview matrix to
// be the identity; leaves it so, and leaves the texture matrix the identity.
void drawSceneListBatched();
