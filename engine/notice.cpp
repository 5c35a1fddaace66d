#include "notice.h"

#include "display.h"
#include "text_surface.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kNoticeFrames = kNoticeHoldFrames + kNoticeFadeFrames;

const NoticePicture* shown = nullptr;
int framesShown = 0;

}  // namespace

// The text surface's pixels added onto the plate, which is opaque under the
// text and `plateAlpha` elsewhere; turned bottom row first.
NoticePicture::NoticePicture(const TextSurface& source, unsigned textWidth, unsigned height, SDL_Color plate,
                             uint8_t plateAlpha, unsigned margin)
    : width_(textWidth + 2 * margin), height_(height), pixels_(size_t(width_) * height * 4)
{
    for (unsigned i = 0; i < width_ * height; ++i) {
        pixels_[4 * i] = plate.r;
        pixels_[4 * i + 1] = plate.g;
        pixels_[4 * i + 2] = plate.b;
        pixels_[4 * i + 3] = plateAlpha;
    }
    SDL_Surface* surface = source.workingSurface();
    if (!surface)
        return;
    const int bytes = surface->format->BytesPerPixel;
    SDL_LockSurface(surface);
    for (unsigned y = 0; y < height && y < unsigned(surface->h); ++y)
        for (unsigned x = 0; x < textWidth && x < unsigned(surface->w); ++x) {
            Uint32 pixel = 0;
            std::memcpy(&pixel, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes, bytes);
            Uint8 text[3];
            SDL_GetRGB(pixel, surface->format, &text[0], &text[1], &text[2]);
            if ((text[0] | text[1] | text[2]) == 0)
                continue;
            Uint8* rgba = &pixels_[((height - 1 - y) * width_ + margin + x) * 4];
            for (int c = 0; c < 3; ++c)
                rgba[c] = Uint8(std::min(255, rgba[c] + text[c]));
            rgba[3] = 255;
        }
    SDL_UnlockSurface(surface);
}

void showNotice(const NoticePicture& picture)
{
    shown = &picture;
    framesShown = 0;
}

bool noticeShowing()
{
    return shown != nullptr;
}

double noticeStrength()
{
    if (!shown)
        return 0.0;
    if (framesShown < kNoticeHoldFrames)
        return 1.0;
    return double(kNoticeFrames - framesShown) / (kNoticeFadeFrames + 1);
}

// Drawn in front of everything: no depth test, and no texture (it would
// tint the pixels).
void drawNotice()
{
    if (!shown)
        return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelTransferf(GL_ALPHA_SCALE, GLfloat(noticeStrength()));
    // The projection runs y downwards and the picture's rows go upwards
    // from the raster position, which is therefore its bottom-left corner.
    glRasterPos2i(kScreenWidth / 2 - int(shown->width() / 2), kNoticeTop + int(shown->height()));
    glDrawPixels(GLsizei(shown->width()), GLsizei(shown->height()), GL_RGBA, GL_UNSIGNED_BYTE, shown->pixels());
    glPixelTransferf(GL_ALPHA_SCALE, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    if (++framesShown >= kNoticeFrames)
        shown = nullptr;
}
