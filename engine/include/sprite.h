// Sprite and the scene list.
//
// Everything the game shows is a Sprite: a textured rectangle in screen space
// that can be moved, given a depth, scaled about its centre, rotated, tinted
// per corner, faded, blended additively and hidden. Every Sprite is in the
// one program-wide SceneList from construction to destruction; the list is
// kept in ascending depth and renderFrame draws it head to tail. Creating a
// Sprite is what puts something on screen; hiding it only stops its drawing.
#pragma once

#include <SDL_opengl.h>

#include <cstdint>

class Animator;
class FrameStrip;
class Texture;

// Red, green and blue of one corner, 0 to 1 (values outside are clamped when
// drawn).
struct CornerColour {
    double red;
    double green;
    double blue;
};

// Corner indices of Sprite::cornerColour.
enum Corner { kBottomLeft = 0, kBottomRight = 1, kTopRight = 2, kTopLeft = 3 };

// One piece of a sprite's quad as drawn: texture coordinates s0..s1, t0..t1
// (t0 the top) on local coordinates x0..x1, y0..y1 (y0 the top), before the
// model transform. Small textures give one tile, larger ones a grid.
struct SpriteTile {
    double s0, t0, s1, t1;
    double x0, y0, x1, y1;
};

class Sprite {
public:
    // Construction: still, from a Texture; animated, from a FrameStrip.
    Sprite(double x, double y, double depth, Texture* texture);
    Sprite(double x, double y, double depth, FrameStrip* strip);
    ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Placement: (x, y) is the image's top-left corner on screen.
    void setPosition(double x, double y, double depth);
    double x() const;
    double y() const;
    double depth() const { return z; }

    // Scale about the image centre.
    void setScale(double sx, double sy);
    void setUniformScale(double s) { setScale(s, s); }
    double scaleX() const { return scaleFactorX; }
    double scaledWidth() const { return imageWidth * scaleFactorX; }
    double scaledHeight() const { return imageHeight * scaleFactorY; }

    // Rotation about the image centre, degrees, clockwise on screen.
    void setRotation(double degrees);
    double rotation() const { return angle; }

    // Opacity and blending.
    void setAlpha(double a) { opacity = a; }
    void resetAlpha() { opacity = 1.0; }
    double alpha() const { return opacity; }
    void setBlend(GLenum src, GLenum dst);

    // Visibility: a hidden sprite stays in the list but is not drawn.
    void show() { visible = 1; }
    void hide() { visible = 0; }

    // Scene list membership and drawing. draw ends with advanceMotion, the
    // spins and the animator step that every drawn frame brings.
    void unlink();
    void draw();
    void advanceMotion();
    // The quad split into tiles: one for a texture up to 256 x 256, else a
    // grid of 256-texel tiles, rows top to bottom, columns left to right.
    int tileCount() const;
    SpriteTile tile(int k) const;

    uint32_t textureWidth;       // padded power-of-two texture size
    uint32_t textureHeight;
    double angle;                // degrees about (centreX, centreY)
    double textureRotation;      // degrees of the image inside the quad
    double scaleFactorX;
    double scaleFactorY;
    double opacity;              // drawn only while > 0
    double imageWidth;           // unscaled image size inside the texture
    double imageHeight;
    double quadX;                // top-left of the padded quad on screen
    double quadY;
    double z;                    // depth: sort key and z of the quad
    uint32_t offsetX;            // image offset inside the padded texture
    uint32_t offsetY;
    GLuint textureName;          // bound when drawing; animators replace it
    double halfWidth;            // imageWidth / 2 x scaleFactorX
    double halfHeight;
    double centreX;              // image centre on screen: the rotation centre
    double centreY;
    double anchorX;              // padded quad's top-left at scale 1
    double anchorY;
    GLenum blendSrc;
    GLenum blendDst;
    Sprite* prev;                // towards the head (smaller depth)
    bool moved;                  // set by setPosition, cleared by setScale
    CornerColour cornerColour[4];  // bottom-left, bottom-right, top-right, top-left
    double spin;                 // degrees added to angle after every draw
    double textureSpin;          // degrees added to textureRotation after every draw
    int32_t visible;             // drawn only while non-zero
    Sprite* next;                // towards the tail (larger depth)
    Animator* animator;          // owned; null for a still sprite

private:
    void initFrom(double x, double y, double depth, Texture* texture);
    void insertInSceneList(double depth);
    void centre();
    void drawQuad(const SpriteTile& tile) const;
};

// The scene list: head (smallest depth) and tail; both null when empty.
extern Sprite* sceneHead;
extern Sprite* sceneTail;

// While true, drawing advances no spin and no animator.
extern bool spriteMotionFrozen;

// a when a < 360, else fmod(a, 360); negative values are returned unchanged.
double wrapDegrees(double a);

// A sprite with additive blending, as every text and glow is drawn.
Sprite* makeAdditiveSprite(Texture* texture, double x, double y, double depth);
