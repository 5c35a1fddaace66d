#include "sprite_batch.h"

#include "backdrop_cache.h"
#include "display.h"
#include "settled_layer.h"
#include "sprite.h"
#include "texture.h"
#include "texture_atlas.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

// The frame's vertices are all gathered before any is drawn, so that the
// settled layer can look over the whole frame first. A frame with more is
// drawn in parts, so any scene fits; this size holds the busiest scene
// several times over.
constexpr int kFrameVertices = 32768;

constexpr double kRadiansPerDegree = M_PI / 180.0;

// A sprite at a half-pixel position samples its texture exactly on texel
// boundaries, where exact arithmetic takes the texel to the right (below).
// The renderer's rounding lands a hair to either side, differently for the
// vertices worked out here than for Sprite::draw's matrices, which would
// shift whole columns of such a sprite by a pixel. Nudging the coordinates
// by a ten-thousandth of a texel settles these samples the exact way, which
// is how Sprite::draw settles nearly all of them under Mesa's llvmpipe.
constexpr double kBoundaryNudge = 1e-4;

// Sprites this big on screen (pixels) draw without blending where that
// shows the same, see drawsUnblended.
constexpr double kUnblendedArea = 256.0 * 256.0;

struct BatchVertex {
    GLfloat s, t;
    GLfloat red, green, blue, alpha;
    GLfloat x, y, z;
};

// What the sprites of one draw share.
struct BatchKey {
    GLuint texture;
    bool blended;
    GLenum blendSrc;
    GLenum blendDst;
    bool operator==(const BatchKey& o) const
    {
        return texture == o.texture && blended == o.blended && blendSrc == o.blendSrc && blendDst == o.blendDst;
    }
};

// One sprite of the frame: its vertices and what they are drawn with.
struct Gathered {
    BatchKey key;
    int first;  // in vertices
    int count;
};

BatchVertex vertices[kFrameVertices];
int vertexCount = 0;
Gathered gathered[kLayerSprites];
LayerSprite layer[kLayerSprites];  // the same sprites, as the settled layer sees them
bool picked[kLayerSprites];        // held by the settled layer this frame
int gatheredCount = 0;
BatchKey applied;           // what OpenGL has bound and set
bool appliedKnown = false;  // false until the pass's first draw sets it

struct Rgba {
    double red, green, blue, alpha;
};

// How one sprite's local quad coordinates and texture coordinates become
// vertices: the model transform and the texture rotation of Sprite::draw,
// worked out here instead of by OpenGL's matrices.
struct Placement {
    double cosA, sinA;        // the sprite's turn about its image centre
    double centreX, centreY;
    double toQuadX, toQuadY;  // the quad's corner, from the centre
    GLfloat z;
    bool textureTurned;
    double cosT, sinT;        // the image's turn about the texture's centre
    const AtlasPlace* place;  // where the texture lies in an atlas, or null
    double texelS, texelT;    // one texel of the texture, in coordinates drawn with
    Rgba corner[4];           // bottom-left, bottom-right, top-right, top-left
    // The texture coordinates of the texels that can show: every texel
    // outside is fully transparent.
    double shownS0, shownT0, shownS1, shownT1;
};

// Where the texels that can show lie: as noted when the texture was made,
// or else the image inside its padding.
void findShownTexels(const Sprite& sprite, Placement& p)
{
    const double w = sprite.textureWidth;
    const double h = sprite.textureHeight;
    if (const TexelFacts* facts = texelFactsOf(sprite.textureName)) {
        p.shownS0 = facts->x0 / w;
        p.shownS1 = facts->x1 / w;
        p.shownT0 = facts->y0 / h;
        p.shownT1 = facts->y1 / h;
    } else {
        p.shownS0 = sprite.offsetX / w;
        p.shownS1 = (sprite.offsetX + sprite.imageWidth) / w;
        p.shownT0 = sprite.offsetY / h;
        p.shownT1 = (sprite.offsetY + sprite.imageHeight) / h;
    }
}

Rgba cornerRgba(const CornerColour& c, double opacity)
{
    // Colours clamped as Sprite::draw clamps them; the opacity goes as it is.
    return {std::clamp(c.red, 0.0, 1.0), std::clamp(c.green, 0.0, 1.0), std::clamp(c.blue, 0.0, 1.0),
            opacity};
}

Placement placementOf(const Sprite& sprite)
{
    Placement p;
    const double a = sprite.angle * kRadiansPerDegree;
    p.cosA = std::cos(a);
    p.sinA = std::sin(a);
    p.centreX = sprite.centreX;
    p.centreY = sprite.centreY;
    p.toQuadX = sprite.quadX - sprite.centreX;
    p.toQuadY = sprite.quadY - sprite.centreY;
    p.z = GLfloat(sprite.z);
    p.textureTurned = sprite.textureRotation != 0.0;
    const double r = sprite.textureRotation * kRadiansPerDegree;
    p.cosT = std::cos(r);
    p.sinT = std::sin(r);
    p.place = atlasPlaceOf(sprite.textureName);
    p.texelS = (p.place ? p.place->sSpan : 1.0) / sprite.textureWidth;
    p.texelT = (p.place ? p.place->tSpan : 1.0) / sprite.textureHeight;
    for (int k = 0; k < 4; ++k)
        p.corner[k] = cornerRgba(sprite.cornerColour[k], sprite.opacity);
    findShownTexels(sprite, p);
    return p;
}

// Draws vertices [start, end) with one key's texture and blending.
void drawRun(int start, int end, const BatchKey& key)
{
    if (end == start)
        return;
    if (!appliedKnown || applied.texture != key.texture)
        glBindTexture(GL_TEXTURE_2D, key.texture);
    if (!appliedKnown || applied.blended != key.blended)
        (key.blended ? glEnable : glDisable)(GL_BLEND);
    if (!appliedKnown || applied.blendSrc != key.blendSrc || applied.blendDst != key.blendDst)
        glBlendFunc(key.blendSrc, key.blendDst);
    applied = key;
    appliedKnown = true;
    glDrawArrays(GL_QUADS, start, end - start);
}

// Draws the gathered sprites [from, to) whose mark in `marks` is `wanted`
// (all of them without marks), one draw for each run of consecutive
// sprites that share a key.
void drawGathered(int from, int to, const bool* marks, bool wanted)
{
    int runStart = 0, runEnd = 0;
    BatchKey runKey = {};
    for (int i = from; i < to; ++i) {
        const Gathered& g = gathered[i];
        if ((marks && marks[i]) != wanted || g.count == 0)
            continue;
        if (runEnd > runStart && g.key == runKey && g.first == runEnd) {
            runEnd += g.count;
            continue;
        }
        drawRun(runStart, runEnd, runKey);
        runStart = g.first;
        runEnd = g.first + g.count;
        runKey = g.key;
    }
    drawRun(runStart, runEnd, runKey);
}

void emitVertex(const Placement& p, double x, double y, double s, double t, const Rgba& colour)
{
    if (p.textureTurned) {
        const double ds = s - 0.5;
        const double dt = t - 0.5;
        s = 0.5 + p.cosT * ds - p.sinT * dt;
        t = 0.5 + p.sinT * ds + p.cosT * dt;
    }
    if (p.place) {
        s = p.place->s0 + s * p.place->sSpan;
        t = p.place->t0 + t * p.place->tSpan;
    }
    const double lx = x + p.toQuadX;
    const double ly = y + p.toQuadY;
    BatchVertex& v = vertices[vertexCount++];
    v.s = GLfloat(s + kBoundaryNudge * p.texelS);
    v.t = GLfloat(t + kBoundaryNudge * p.texelT);
    v.red = GLfloat(colour.red);
    v.green = GLfloat(colour.green);
    v.blue = GLfloat(colour.blue);
    v.alpha = GLfloat(colour.alpha);
    v.x = GLfloat(p.centreX + p.cosA * lx - p.sinA * ly);
    v.y = GLfloat(p.centreY + p.sinA * lx + p.cosA * ly);
    v.z = p.z;
}

// One tile as a quad, corners in Sprite::draw's order: bottom-left,
// bottom-right, top-right, top-left.
void emitQuad(const Placement& p, const SpriteTile& q, const Rgba (&colour)[4])
{
    emitVertex(p, q.x0, q.y1, q.s0, q.t1, colour[kBottomLeft]);
    emitVertex(p, q.x1, q.y1, q.s1, q.t1, colour[kBottomRight]);
    emitVertex(p, q.x1, q.y0, q.s1, q.t0, colour[kTopRight]);
    emitVertex(p, q.x0, q.y0, q.s0, q.t0, colour[kTopLeft]);
}

// The corner colours vary across a quad as one plane (what any split of it
// into triangles shows alike) when opposite edges differ by the same amount.
bool coloursArePlanar(const Rgba (&c)[4])
{
    return c[kBottomLeft].red - c[kBottomRight].red == c[kTopLeft].red - c[kTopRight].red &&
           c[kBottomLeft].green - c[kBottomRight].green == c[kTopLeft].green - c[kTopRight].green &&
           c[kBottomLeft].blue - c[kBottomRight].blue == c[kTopLeft].blue - c[kTopRight].blue;
}

// Fully transparent texels (the padding, the empty margins of a text) are
// all discarded by the alpha test; the quad can be cut down to the texels
// that can show and show the same, as long as the image does not turn
// inside the quad (then the texels move) and the colours are planar (then a
// smaller quad shades them alike).
bool canTrim(const Placement& p)
{
    const bool margins = p.shownS0 > 0.0 || p.shownT0 > 0.0 || p.shownS1 < 1.0 || p.shownT1 < 1.0;
    return margins && !p.textureTurned && coloursArePlanar(p.corner);
}

double lerp(double from, double to, double share)
{
    return from + (to - from) * share;
}

// The colour at a point of the tile, u across from the left, v down from
// the top, 0 to 1; planar colours only.
Rgba colourAt(const Rgba (&c)[4], double u, double v)
{
    const Rgba& topLeft = c[kTopLeft];
    const Rgba& topRight = c[kTopRight];
    const Rgba& bottomLeft = c[kBottomLeft];
    return {topLeft.red + u * (topRight.red - topLeft.red) + v * (bottomLeft.red - topLeft.red),
            topLeft.green + u * (topRight.green - topLeft.green) + v * (bottomLeft.green - topLeft.green),
            topLeft.blue + u * (topRight.blue - topLeft.blue) + v * (bottomLeft.blue - topLeft.blue),
            topLeft.alpha};
}

// Cuts a tile down to the texels that can show and gives the colours at the
// cut corners. False when none of them lies in the tile.
bool trimTile(const Placement& p, SpriteTile& q, Rgba (&colour)[4])
{
    const double s0 = std::max(q.s0, p.shownS0);
    const double s1 = std::min(q.s1, p.shownS1);
    const double t0 = std::max(q.t0, p.shownT0);
    const double t1 = std::min(q.t1, p.shownT1);
    if (!(s0 < s1 && t0 < t1))
        return false;

    const double u0 = (s0 - q.s0) / (q.s1 - q.s0);
    const double u1 = (s1 - q.s0) / (q.s1 - q.s0);
    const double v0 = (t0 - q.t0) / (q.t1 - q.t0);
    const double v1 = (t1 - q.t0) / (q.t1 - q.t0);
    colour[kBottomLeft] = colourAt(p.corner, u0, v1);
    colour[kBottomRight] = colourAt(p.corner, u1, v1);
    colour[kTopRight] = colourAt(p.corner, u1, v0);
    colour[kTopLeft] = colourAt(p.corner, u0, v0);
    q = {s0, t0, s1, t1, lerp(q.x0, q.x1, u0), lerp(q.y0, q.y1, v0), lerp(q.x0, q.x1, u1),
         lerp(q.y0, q.y1, v1)};
    return true;
}

// Under the ordinary alpha blend, a texture whose texels are all either
// opaque or transparent, drawn at full opacity, replaces what lies beneath
// exactly as blending would; without blending the software renderer need
// not read back every pixel it covers, which pays for big quads (the
// backdrop covers the screen). Small ones stay blended, so that runs of
// particles are not split by the few at full opacity.
bool drawsUnblended(const Sprite& sprite)
{
    const TexelFacts* facts = texelFactsOf(sprite.textureName);
    return sprite.blendSrc == GL_SRC_ALPHA && sprite.blendDst == GL_ONE_MINUS_SRC_ALPHA &&
           sprite.opacity >= 1.0 && std::fabs(sprite.scaledWidth() * sprite.scaledHeight()) >= kUnblendedArea &&
           facts && facts->binaryAlpha;
}

// The sprite as the settled layer sees it: the box of its vertices, and a
// digest of them and of its key.
LayerSprite layerSpriteOf(const Sprite& sprite, const Gathered& g)
{
    LayerSprite l = {&sprite, sprite.depth(), 0, 0, 0, 0, kEmptyDigest};
    for (uint64_t keyPart : {uint64_t(g.key.texture), uint64_t(g.key.blended), uint64_t(g.key.blendSrc),
                             uint64_t(g.key.blendDst)})
        l.look = addToDigest(l.look, keyPart);
    for (int i = g.first; i < g.first + g.count; ++i) {
        const BatchVertex& v = vertices[i];
        if (i == g.first) {
            l.x0 = l.x1 = v.x;
            l.y0 = l.y1 = v.y;
        }
        l.x0 = std::min(l.x0, v.x);
        l.x1 = std::max(l.x1, v.x);
        l.y0 = std::min(l.y0, v.y);
        l.y1 = std::max(l.y1, v.y);
        uint32_t words[sizeof(BatchVertex) / 4];
        std::memcpy(words, &v, sizeof words);
        for (uint32_t w : words)
            l.look = addToDigest(l.look, w);
    }
    return l;
}

bool roomFor(const Sprite& sprite)
{
    return gatheredCount < kLayerSprites && vertexCount + 4 * sprite.tileCount() <= kFrameVertices;
}

// Works out the sprite's vertices and adds them to the frame's.
void gather(const Sprite& sprite)
{
    const Placement p = placementOf(sprite);
    Gathered& g = gathered[gatheredCount];
    g.key = {p.place ? p.place->atlasName : sprite.textureName, !drawsUnblended(sprite), sprite.blendSrc,
             sprite.blendDst};
    g.first = vertexCount;

    const bool trim = canTrim(p);
    const int tiles = sprite.tileCount();
    for (int k = 0; k < tiles; ++k) {
        SpriteTile q = sprite.tile(k);
        if (!trim) {
            emitQuad(p, q, p.corner);
            continue;
        }
        Rgba colour[4];
        if (trimTile(p, q, colour))
            emitQuad(p, q, colour);
    }
    g.count = vertexCount - g.first;
    layer[gatheredCount] = layerSpriteOf(sprite, g);
    ++gatheredCount;
}

void beginPass()
{
    // Texture rotations are worked into the texture coordinates.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    const GLsizei stride = sizeof(BatchVertex);
    glVertexPointer(3, GL_FLOAT, stride, &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, stride, &vertices[0].s);
    glColorPointer(4, GL_FLOAT, stride, &vertices[0].red);
    appliedKnown = false;
}

void endPass()
{
    if (appliedKnown && !applied.blended)
        glEnable(GL_BLEND);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

bool drawn(const Sprite* sprite)
{
    return sprite->visible && sprite->alpha() > 0.0;
}

const Sprite* nextDrawn(const Sprite* sprite)
{
    do
        sprite = sprite->next;
    while (sprite && !drawn(sprite));
    return sprite;
}

// The first sprite drawn can come from the kept picture (see
// backdrop_cache.h) when it is big enough for the copy to pay and every
// sprite after it is nearer: then the depth it would have written turns
// nothing away, and the cleared depth buffer serves the same.
bool keepsAsBackdrop(const Sprite& first)
{
    const Sprite* second = nextDrawn(&first);
    return backdropCacheAvailable() && std::fabs(first.scaledWidth() * first.scaledHeight()) >= kUnblendedArea &&
           (!second || second->depth() > first.depth());
}

// What the backdrop's picture depends on, besides the textures: its
// vertices and the state they are drawn with. A backdrop is a quad or a
// few.
constexpr int kBackdropVertices = 64;
struct BackdropDescription {
    BatchKey key;
    BatchVertex vertices[kBackdropVertices];
};
BackdropDescription backdrop;

std::size_t describeBackdrop()
{
    const Gathered& first = gathered[0];
    std::memset(&backdrop.key, 0, sizeof backdrop.key);  // the padding too, for the comparison
    backdrop.key.texture = first.key.texture;
    backdrop.key.blended = first.key.blended;
    backdrop.key.blendSrc = first.key.blendSrc;
    backdrop.key.blendDst = first.key.blendDst;
    std::memcpy(backdrop.vertices, vertices + first.first, first.count * sizeof(BatchVertex));
    return offsetof(BackdropDescription, vertices) + first.count * sizeof(BatchVertex);
}

void drawFirst()
{
    drawGathered(0, 1, nullptr, false);
}

void drawPicked()
{
    drawGathered(0, gatheredCount, picked, true);
}

// Draws the gathered backdrop through its kept picture.
void drawBackdrop()
{
    const std::size_t bytes = describeBackdrop();
    if (!backdropCacheHolds(kBackdropPicture, &backdrop, bytes))
        fillBackdropCache(kBackdropPicture, &backdrop, bytes, drawFirst);
    copyBackdropCacheToScreen(kBackdropPicture);
    appliedKnown = false;  // the copy set its own texture and blending
}

// Draws the frame through the settled layer's picture when the layer holds
// more than the backdrop: the picture, then the sprites left out. The
// picture is drawn anew once the same sprites have been picked for a while.
bool drawnThroughSettledLayer(bool firstIsBackdrop)
{
    if (pickSettledSprites(layer, gatheredCount, firstIsBackdrop, picked) < 2)
        return false;
    const SettledPicks& picks = settledPicks();
    if (!backdropCacheHolds(kSettledPicture, &picks, sizeof picks)) {
        if (!settledPicksSteady())
            return false;
        fillBackdropCache(kSettledPicture, &picks, sizeof picks, drawPicked);
    }
    clearScreenBuffers(GL_DEPTH_BUFFER_BIT);
    copyBackdropCacheToScreen(kSettledPicture);
    appliedKnown = false;
    drawGathered(0, gatheredCount, picked, false);
    return true;
}

// Clears the screen and draws the gathered sprites, the first of them
// through a kept picture when it is a backdrop (which replaces every pixel:
// then only the depth buffer is cleared). With the whole frame gathered,
// the settled layer may draw more of it.
void startScreen(bool wholeFrame)
{
    const bool backdrop = gatheredCount > 0 && gathered[0].count <= kBackdropVertices &&
                          keepsAsBackdrop(*layer[0].sprite);
    if (wholeFrame && drawnThroughSettledLayer(backdrop))
        return;
    clearScreenBuffers(backdrop ? GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (backdrop)
        drawBackdrop();
    drawGathered(backdrop ? 1 : 0, gatheredCount, nullptr, false);
}

// Draws what is gathered and starts gathering anew.
void drawGatheredPart(bool screenStarted, bool wholeFrame)
{
    if (screenStarted)
        drawGathered(0, gatheredCount, nullptr, false);
    else
        startScreen(wholeFrame);
    gatheredCount = 0;
    vertexCount = 0;
}

}  // namespace

void drawSceneListBatched()
{
    beginPass();
    gatheredCount = 0;
    vertexCount = 0;
    bool screenStarted = false;
    for (Sprite* sprite = sceneHead; sprite; sprite = sprite->next) {
        if (!drawn(sprite))
            continue;
        if (!roomFor(*sprite)) {
            drawGatheredPart(screenStarted, false);
            screenStarted = true;
        }
        gather(*sprite);
        if (!spriteMotionFrozen)
            sprite->advanceMotion();
    }
    drawGatheredPart(screenStarted, !screenStarted);
    endPass();
}
