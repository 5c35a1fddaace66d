#include "shared_picture.h"

#include "display.h"

#include <SDL.h>

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

namespace {

// The frame's pixels as OpenGL reads them in BGRA order: 0xAARRGGBB.
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;

}  // namespace

void SharedPicture::close()
{
    if (!display_)
        return;
    release();
    XFreeGC(display_, gc_);
    gc_ = nullptr;
    display_ = nullptr;
}

bool SharedPicture::open(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XShmQueryExtension(display) || !XGetWindowAttributes(display, window, &attributes))
        return false;
    const Visual* visual = attributes.visual;
    if (attributes.depth < 24 || visual->red_mask != kRedMask || visual->green_mask != kGreenMask ||
        visual->blue_mask != kBlueMask)
        return false;
    display_ = display;
    window_ = window;
    gc_ = XCreateGC(display, window, 0, nullptr);
    XSetForeground(display, gc_, BlackPixel(display, DefaultScreen(display)));
    return true;
}

void SharedPicture::release()
{
    if (!image_)
        return;
    XSync(display_, False);
    XShmDetach(display_, &segment_);
    XDestroyImage(image_);
    shmdt(segment_.shmaddr);
    image_ = nullptr;
    putPending_ = false;
    width_ = height_ = 0;
}

bool SharedPicture::resize(int width, int height)
{
    if (image_ && width == width_ && height == height_)
        return true;
    release();
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window_, &attributes);
    image_ = XShmCreateImage(display_, attributes.visual, unsigned(attributes.depth), ZPixmap, nullptr, &segment_,
                             unsigned(width), unsigned(height));
    if (!image_)
        return false;
    if (image_->bits_per_pixel != 32) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    segment_.shmid = shmget(IPC_PRIVATE, size_t(image_->bytes_per_line) * height, IPC_CREAT | 0600);
    segment_.shmaddr = image_->data = segment_.shmid >= 0 ? static_cast<char*>(shmat(segment_.shmid, nullptr, 0)) : nullptr;
    segment_.readOnly = False;
    const bool attached = segment_.shmaddr && segment_.shmaddr != reinterpret_cast<char*>(-1) &&
                          XShmAttach(display_, &segment_);
    XSync(display_, False);
    // Marked for removal at once: it goes when both sides let it go, even
    // if the game is killed.
    if (segment_.shmid >= 0)
        shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (!attached) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void SharedPicture::fill(const uint32_t* frame, int scale)
{
    // The server reads the memory when it carries out the put: it must be
    // done with the last one before the picture changes.
    if (putPending_)
        XSync(display_, False);
    putPending_ = false;
    const int rowWords = image_->bytes_per_line / 4;
    uint32_t* picture = reinterpret_cast<uint32_t*>(image_->data);
    for (int y = 0; y < kScreenHeight; ++y) {
        const uint32_t* source = frame + size_t(kScreenHeight - 1 - y) * kScreenWidth;
        uint32_t* row = picture + size_t(y) * scale * rowWords;
        for (int x = 0; x < kScreenWidth; ++x)
            std::fill_n(row + x * scale, scale, source[x]);
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(row + size_t(copy) * rowWords, row, size_t(kScreenWidth) * scale * 4);
    }
}

void SharedPicture::put(int x, int y)
{
    XShmPutImage(display_, window_, gc_, image_, 0, 0, x, y, unsigned(width_), unsigned(height_), False);
    XFlush(display_);
    putPending_ = true;
}

void SharedPicture::paintBars(int windowWidth, int windowHeight, int x, int y)
{
    const int right = x + width_, bottom = y + height_;
    XRectangle bars[4] = {
        {0, 0, Uint16(windowWidth), Uint16(std::max(0, y))},
        {0, Sint16(bottom), Uint16(windowWidth), Uint16(std::max(0, windowHeight - bottom))},
        {0, Sint16(y), Uint16(std::max(0, x)), Uint16(height_)},
        {Sint16(right), Sint16(y), Uint16(std::max(0, windowWidth - right)), Uint16(height_)},
    };
    XFillRectangles(display_, window_, gc_, bars, 4);
}
