#include "sprite.h"

#include "frame_strip.h"
#include "texture.h"

#include <cmath>

Sprite* sceneHead = nullptr;
Sprite* sceneTail = nullptr;
bool spriteMotionFrozen = false;

namespace {

// Padded textures wider or taller than this are drawn as a grid of tiles.
constexpr uint32_t kTileSize = 256;

double clampUnit(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

}  // namespace

double wrapDegrees(double a)
{
    return a < 360.0 ? a : std::fmod(a, 360.0);
}

Sprite::Sprite(double x, double y, double depth, Texture* texture)
{
    animator = nullptr;
    initFrom(x, y, depth, texture);
}

Sprite::Sprite(double x, double y, double depth, FrameStrip* strip)
{
    animator = new Animator(strip);
    initFrom(x, y, depth, strip->currentTexture());
}

Sprite::~Sprite()
{
    unlink();
    delete animator;
}

void Sprite::initFrom(double x, double y, double depth, Texture* texture)
{
    insertInSceneList(depth);
    quadX = x - texture->offsetX();
    quadY = y - texture->offsetY();
    textureWidth = texture->textureWidth();
    textureHeight = texture->textureHeight();
    offsetX = uint32_t(texture->offsetX());
    offsetY = uint32_t(texture->offsetY());
    textureName = texture->textureName();
    z = depth;
    imageWidth = texture->imageWidth();
    imageHeight = texture->imageHeight();

    visible = 1;
    angle = 0.0;
    spin = 0.0;
    scaleFactorX = 1.0;
    scaleFactorY = 1.0;
    opacity = 1.0;
    for (CornerColour& c : cornerColour)
        c = {1.0, 1.0, 1.0};
    textureSpin = 0.0;
    textureRotation = 0.0;

    anchorX = this->x() - offsetX;
    anchorY = this->y() - offsetY;
    halfWidth = imageWidth / 2 * scaleFactorX;
    halfHeight = imageHeight / 2 * scaleFactorY;
    centre();
    blendSrc = GL_SRC_ALPHA;
    blendDst = GL_ONE_MINUS_SRC_ALPHA;
}

void Sprite::insertInSceneList(double depth)
{
    // The sprite goes immediately before the first sprite whose depth is
    // greater than or equal to its own: among equal depths the newest
    // comes first, is drawn first, and so shows on top.
    if (!sceneHead) {
        sceneHead = sceneTail = this;
        prev = next = nullptr;
        return;
    }
    if (!(sceneHead->z < depth)) {
        next = sceneHead;
        prev = nullptr;
        sceneHead->prev = this;
        sceneHead = this;
        return;
    }
    Sprite* node = sceneHead;
    while (node->next && node->next->z < depth)
        node = node->next;
    prev = node;
    next = node->next;
    if (node->next)
        node->next->prev = this;
    else
        sceneTail = this;
    node->next = this;
}

void Sprite::unlink()
{
    if (this == sceneHead) {
        sceneHead = next;
        if (sceneHead)
            sceneHead->prev = nullptr;
        else
            sceneTail = nullptr;
        return;
    }
    if (this == sceneTail) {
        sceneTail = prev;
        prev->next = nullptr;
    } else {
        next->prev = prev;
        prev->next = next;
    }
}

void Sprite::setPosition(double x, double y, double depth)
{
    if (depth != z) {
        unlink();
        insertInSceneList(depth);
    }
    quadX = x - offsetX * scaleFactorX;
    quadY = y - offsetY * scaleFactorY;
    z = depth;
    centreX = this->x() + halfWidth;
    centreY = this->y() + halfHeight;
    moved = true;
}

double Sprite::x() const
{
    return quadX + offsetX * scaleFactorX;
}

double Sprite::y() const
{
    return quadY + offsetY * scaleFactorY;
}

void Sprite::centre()
{
    // Puts the scaled image's centre on the centre of the unscaled padded quad.
    setPosition(quadX + double(textureWidth / 2) - halfWidth,
                quadY + double(textureHeight / 2) - halfHeight, z);
}

void Sprite::setScale(double sx, double sy)
{
    if (scaleFactorX == 1.0 && scaleFactorY == 1.0) {
        anchorX = x() - offsetX;
        anchorY = y() - offsetY;
    } else {
        // Already scaled: a move made since the last scaling is carried into
        // the anchor; then go back to scale 1 at the anchor.
        if (moved) {
            anchorX = (scaledWidth() - textureWidth) / 2 + x();
            anchorY = (scaledHeight() - textureHeight) / 2 + y();
        }
        scaleFactorX = scaleFactorY = 1.0;
        halfWidth = halfHeight = 0.0;
        setPosition(offsetX + anchorX, offsetY + anchorY, z);
        anchorX = x() - offsetX;
        anchorY = y() - offsetY;
    }
    scaleFactorX = sx;
    scaleFactorY = sy;
    halfWidth = imageWidth / 2 * sx;
    halfHeight = imageHeight / 2 * sy;
    centre();
    moved = false;
}

void Sprite::setRotation(double degrees)
{
    angle = std::fmod(degrees, 360.0);
}

void Sprite::setBlend(GLenum src, GLenum dst)
{
    blendSrc = src;
    blendDst = dst;
}

int Sprite::tileCount() const
{
    const uint32_t columns = textureWidth > kTileSize ? textureWidth / kTileSize : 1;
    const uint32_t rows = textureHeight > kTileSize ? textureHeight / kTileSize : 1;
    return int(columns * rows);
}

SpriteTile Sprite::tile(int k) const
{
    // Each axis is split on its own: an axis of 256 texels or fewer spans
    // the whole quad, a longer one is cut every 256 texels.
    const double w = textureWidth * scaleFactorX;
    const double h = textureHeight * scaleFactorY;
    const bool tileX = textureWidth > kTileSize;
    const bool tileY = textureHeight > kTileSize;
    const uint32_t columns = tileX ? textureWidth / kTileSize : 1;
    const uint32_t i = uint32_t(k) % columns;
    const uint32_t j = uint32_t(k) / columns;
    const double sStep = double(kTileSize) / textureWidth;
    const double tStep = double(kTileSize) / textureHeight;
    SpriteTile t;
    t.s0 = tileX ? i * sStep : 0.0;
    t.s1 = tileX ? (i + 1) * sStep : 1.0;
    t.x0 = tileX ? i * scaleFactorX * kTileSize : 0.0;
    t.x1 = tileX ? (i + 1) * scaleFactorX * kTileSize : w;
    t.t0 = tileY ? j * tStep : 0.0;
    t.t1 = tileY ? (j + 1) * tStep : 1.0;
    t.y0 = tileY ? j * scaleFactorY * kTileSize : 0.0;
    t.y1 = tileY ? (j + 1) * scaleFactorY * kTileSize : h;
    return t;
}

void Sprite::drawQuad(const SpriteTile& tile) const
{
    // Corner order: bottom-left, bottom-right, top-right, top-left. Colours
    // are clamped here: effects let them run past 0..1 as their clocks run.
    const double u[4] = {tile.s0, tile.s1, tile.s1, tile.s0};
    const double v[4] = {tile.t1, tile.t1, tile.t0, tile.t0};
    const double px[4] = {tile.x0, tile.x1, tile.x1, tile.x0};
    const double py[4] = {tile.y1, tile.y1, tile.y0, tile.y0};
    glBegin(GL_QUADS);
    for (int k = 0; k < 4; ++k) {
        const CornerColour& c = cornerColour[k];
        glColor4d(clampUnit(c.red), clampUnit(c.green), clampUnit(c.blue), opacity);
        glTexCoord2d(u[k], v[k]);
        glVertex2d(px[k], py[k]);
    }
    glEnd();
}

void Sprite::draw()
{
    // Turn about the image centre, then place the quad's corner and depth.
    glTranslated(centreX, centreY, 0.0);
    glRotated(angle, 0.0, 0.0, 1.0);
    glTranslated(quadX - centreX, quadY - centreY, z);

    glBlendFunc(blendSrc, blendDst);

    // The image turns inside the quad about the texture's centre.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslated(0.5, 0.5, 0.0);
    glRotated(textureRotation, 0.0, 0.0, 1.0);
    glTranslated(-0.5, -0.5, 0.0);
    glMatrixMode(GL_MODELVIEW);

    glBindTexture(GL_TEXTURE_2D, textureName);

    // All tiles sample the one texture and repeat the sprite's corner colours.
    const int tiles = tileCount();
    for (int k = 0; k < tiles; ++k)
        drawQuad(tile(k));

    // Back to the identity exactly: undoing the steps one by one would let
    // rounding error build up from sprite to sprite over a long game.
    glLoadIdentity();

    // Spins and animation advance only for drawn sprites.
    if (!spriteMotionFrozen)
        advanceMotion();
}

void Sprite::advanceMotion()
{
    if (spin != 0.0)
        angle = std::fmod(angle + spin, 360.0);
    if (textureSpin != 0.0)
        textureRotation = std::fmod(textureRotation + textureSpin, 360.0);
    if (animator && animator->advance())
        textureName = animator->currentTexture()->textureName();
}

Sprite* makeAdditiveSprite(Texture* texture, double x, double y, double depth)
{
    Sprite* sprite = new Sprite(x, y, depth, texture);
    sprite->setBlend(GL_SRC_ALPHA, GL_ONE);
    return sprite;
}
