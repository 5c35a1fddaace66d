#include "frame_strip.h"

#include "text_surface.h"
#include "texture.h"

FrameNode::FrameNode(TextSurface* sheet, int x, int y, unsigned w, unsigned h, FrameNode* prev)
    : texture(new Texture(sheet, x, y, w, h)), next(nullptr), prev(prev)
{
}

FrameStrip::FrameStrip(const char* sheetPath, unsigned count, unsigned frameWidth,
                       unsigned frameHeight)
    : first(nullptr), last(nullptr), current(nullptr)
{
    // The sheet is one row of frames, read left to right.
    TextSurface* sheet = new TextSurface(sheetPath);
    for (unsigned i = 0; i < count; ++i) {
        FrameNode* node = new FrameNode(sheet, int(i * frameWidth), 0, frameWidth, frameHeight, last);
        if (!first)
            first = node;
        else
            last->next = node;
        last = node;
    }
    current = first;
    delete sheet;
}

Texture* FrameStrip::currentTexture() const
{
    return current->texture;
}

Animator::Animator(FrameStrip* strip)
    : direction(0), counter(0), current(strip->first), strip(strip), delay(5), pingPong(true)
{
}

Texture* Animator::currentTexture() const
{
    return current->texture;
}

bool Animator::advance()
{
    if (counter != delay) {
        ++counter;
        return false;
    }
    if (pingPong) {
        // The turn at either end happens within one step, so an end frame is
        // shown for one step only. A single frame has nowhere to go: it stays.
        if (direction == 0) {
            if (current->next)
                current = current->next;
            else
                direction = 1;
        }
        if (direction == 1) {
            if (current->prev) {
                current = current->prev;
            } else {
                direction = 0;
                if (current->next)
                    current = current->next;
            }
        }
    } else {
        if (direction == 0)
            current = current->next ? current->next : strip->first;
        if (direction == 1)
            current = current->prev ? current->prev : strip->last;
    }
    counter = 0;
    return true;
}

void Animator::setFrame(unsigned n)
{
    if (n == 0)
        return;
    current = strip->first;
    for (unsigned i = 1; i < n && current->next; ++i)
        current = current->next;
}
