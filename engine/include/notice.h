// A notice over everything, at the top centre of the screen ("Music off",
// "Volume 7"): it shows for about a second and a half, the last part of it
// fading, counted in frames drawn.
//
// It is no Sprite: it stands outside the scene list, so the game's rules
// and everything that looks at the scene never see it, and it holds no
// OpenGL texture name. Its picture is made once, in memory, and drawn
// straight onto the frame after the scene.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

class TextSurface;

// A picture for a notice: a rectangle of a text surface laid on a plate
// that keeps it legible over anything, `margin` wider on either side. The
// text adds to the plate's colour, as texts add to what lies beneath.
class NoticePicture {
public:
    NoticePicture(const TextSurface& source, unsigned textWidth, unsigned height, SDL_Color plate, uint8_t plateAlpha,
                  unsigned margin);

    unsigned width() const { return width_; }
    unsigned height() const { return height_; }
    // Bytes R, G, B, A per pixel, the bottom row first, as glDrawPixels reads.
    const uint8_t* pixels() const { return pixels_.data(); }

private:
    unsigned width_;
    unsigned height_;
    std::vector<uint8_t> pixels_;
};

// Frames a notice shows at full strength, then while it fades away.
constexpr int kNoticeHoldFrames = 70;
constexpr int kNoticeFadeFrames = 30;
// Its top edge, in screen pixels: just below the panels along the top.
constexpr int kNoticeTop = 54;

// Shows a notice now, in place of any that shows; the picture must live on.
void showNotice(const NoticePicture& picture);
// Whether a notice shows, and how strongly (0 to 1).
bool noticeShowing();
double noticeStrength();
// Draws the notice over the frame, if one shows, and counts the frame.
void drawNotice();
