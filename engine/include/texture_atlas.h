// The texture atlas: several small textures copied side by side into one,
// so that sprites which alternate between them (the swirl and its outline in
// every effect pool) can be drawn in one go by the batched scene drawing.
//
// The original textures stay as they are and are still what sprites name;
// the batched drawing looks each name up here and, for a packed one, samples
// its copy in the atlas instead. Each copy sits in a margin that repeats its
// edge texels outwards, so a texture rotation that carries coordinates past
// the texture's edge lands on the same texels the edge clamp of the
// original would give.
#pragma once

#include <SDL_opengl.h>

class Texture;

// Where a packed texture lies in its atlas: texture coordinate (s, t) of the
// original is (s0 + s * sSpan, t0 + t * tSpan) in the atlas.
struct AtlasPlace {
    GLuint sourceName;
    GLuint atlasName;
    double s0, t0;
    double sSpan, tSpan;
};

// How many textures can be packed in all, and the margin each copy gets, as
// a share of its own size: a rotation about the centre reaches at most
// (sqrt 2 - 1) / 2 of the size past each edge.
constexpr int kAtlasPlaces = 8;
constexpr double kAtlasMarginShare = 0.2072;

// Packs the textures into one new atlas texture, read back from OpenGL, at
// load time. Textures beyond the free places are left unpacked and simply
// drawn from their own texture.
void packIntoAtlas(Texture* const* textures, int count);

// The place of a packed texture, or null when the name is not packed.
const AtlasPlace* atlasPlaceOf(GLuint textureName);

// Forgets a texture whose OpenGL name is being deleted, so that a later
// texture given the same name is not taken for it.
void forgetAtlasPlace(GLuint textureName);
