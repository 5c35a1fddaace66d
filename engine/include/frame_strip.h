// Frame strips and animators.
//
// A FrameStrip cuts a sprite sheet (one row of equal frames) into a doubly
// linked list of frame Textures. An Animator is one sprite's cursor over a
// strip: it steps to the next frame every delay + 1 ticks, bouncing at the
// ends (ping-pong) or wrapping round. Sprite::draw ticks it once per drawn
// frame. Strips are made at load time and shared by many sprites.
#pragma once

#include <cstdint>

class Texture;
class TextSurface;

class FrameNode {
public:
    FrameNode(TextSurface* sheet, int x, int y, unsigned w, unsigned h, FrameNode* prev);
    // The frame's texture is the node's alone.
    FrameNode(const FrameNode&) = delete;
    FrameNode& operator=(const FrameNode&) = delete;

    Texture* texture;  // the frame's picture, owned by the node
    FrameNode* next;   // the following frame, null for the last
    FrameNode* prev;   // the preceding frame, null for the first
};

class FrameStrip {
public:
    FrameStrip(const char* sheetPath, unsigned count, unsigned frameWidth, unsigned frameHeight);
    // Its frames are its own; sprites share the strip itself.
    FrameStrip(const FrameStrip&) = delete;
    FrameStrip& operator=(const FrameStrip&) = delete;

    Texture* currentTexture() const;

    FrameNode* first;
    FrameNode* last;
    FrameNode* current;  // equals first once built: where animated sprites start
};

class Animator {
public:
    explicit Animator(FrameStrip* strip);

    // One tick; true when the frame changed.
    bool advance();
    // Jump to frame n (1-based); 0 changes nothing, past the end gives the last.
    void setFrame(unsigned n);
    Texture* currentTexture() const;

    int32_t direction;   // 0 forward (towards next), 1 backward
    int32_t counter;     // ticks since the last frame step
    FrameNode* current;  // the frame shown
    FrameStrip* strip;   // not owned
    int32_t delay;       // the frame steps on every (delay + 1)-th tick
    bool pingPong;       // true: reverse at the ends; false: wrap round
};
