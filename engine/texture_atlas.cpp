#include "texture_atlas.h"

#include "texture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

AtlasPlace places[kAtlasPlaces];
int placeCount = 0;

uint32_t marginFor(uint32_t size)
{
    return uint32_t(std::ceil(size * kAtlasMarginShare)) + 1;
}

// The texture's texels as OpenGL holds them, top row first.
std::vector<uint32_t> readTexels(const Texture& texture)
{
    std::vector<uint32_t> texels(size_t(texture.textureWidth()) * texture.textureHeight());
    glBindTexture(GL_TEXTURE_2D, texture.textureName());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// Copies a texture into the atlas with its top-left at (x, y) and repeats
// its edge texels outwards over the margin around it, as the edge clamp
// would give them.
void copyWithEdges(const Texture& texture, std::vector<uint32_t>& atlas, uint32_t atlasWidth,
                   uint32_t x, uint32_t y)
{
    const std::vector<uint32_t> texels = readTexels(texture);
    const int w = int(texture.textureWidth());
    const int h = int(texture.textureHeight());
    const int mx = int(marginFor(texture.textureWidth()));
    const int my = int(marginFor(texture.textureHeight()));
    for (int row = -my; row < h + my; ++row) {
        const int from = std::clamp(row, 0, h - 1);
        uint32_t* line = &atlas[size_t(int(y) + row) * atlasWidth];
        for (int col = -mx; col < w + mx; ++col)
            line[int(x) + col] = texels[size_t(from) * w + std::clamp(col, 0, w - 1)];
    }
}

}  // namespace

void packIntoAtlas(Texture* const* textures, int count)
{
    // One row of cells, each a texture and its margins, as many as there
    // are free places and as fit in the widest texture OpenGL takes.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int packed = std::min(count, kAtlasPlaces - placeCount);
    uint32_t width = 0;
    uint32_t height = 0;
    int fitting = 0;
    for (; fitting < packed; ++fitting) {
        const Texture& t = *textures[fitting];
        const uint32_t cellWidth = t.textureWidth() + 2 * marginFor(t.textureWidth());
        const uint32_t cellHeight = t.textureHeight() + 2 * marginFor(t.textureHeight());
        if (nextPowerOfTwo(width + cellWidth) > uint32_t(maxSize) || nextPowerOfTwo(cellHeight) > uint32_t(maxSize))
            break;
        width += cellWidth;
        height = std::max(height, cellHeight);
    }
    if (fitting == 0)
        return;
    const uint32_t atlasWidth = nextPowerOfTwo(width);
    const uint32_t atlasHeight = nextPowerOfTwo(height);

    std::vector<uint32_t> texels(size_t(atlasWidth) * atlasHeight, 0);
    uint32_t x = 0;
    AtlasPlace* first = &places[placeCount];
    for (int i = 0; i < fitting; ++i) {
        const Texture& t = *textures[i];
        const uint32_t mx = marginFor(t.textureWidth());
        const uint32_t my = marginFor(t.textureHeight());
        copyWithEdges(t, texels, atlasWidth, x + mx, my);
        places[placeCount++] = {t.textureName(), 0, double(x + mx) / atlasWidth, double(my) / atlasHeight,
                                double(t.textureWidth()) / atlasWidth, double(t.textureHeight()) / atlasHeight};
        x += t.textureWidth() + 2 * mx;
    }
    const GLuint atlasName = makeGlTexture(atlasWidth, atlasHeight, texels.data());
    for (AtlasPlace* p = first; p != places + placeCount; ++p)
        p->atlasName = atlasName;
}

const AtlasPlace* atlasPlaceOf(GLuint textureName)
{
    for (int i = 0; i < placeCount; ++i)
        if (places[i].sourceName == textureName)
            return &places[i];
    return nullptr;
}

void forgetAtlasPlace(GLuint textureName)
{
    for (int i = 0; i < placeCount; ++i)
        if (places[i].sourceName == textureName) {
            places[i] = places[--placeCount];
            return;
        }
}
