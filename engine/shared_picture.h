// The enlarged frame handed to X through shared memory.
//
// Under a software OpenGL, enlarging the 640 x 480 frame by whole multiples
// as a drawn quad costs about 10 ms a frame at 2560 x 1920, and handing the
// result over through OpenGL 3 ms more: together nearly the whole 15 ms.
// Copying each pixel into a square of pixels is plain memory work, a few
// milliseconds on the processor; written straight into memory the X server
// shares, it reaches the window with one request, which the server carries
// out while the game goes on.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

class SharedPicture {
public:
    // Holds what it made until closed: at the process's end the connection
    // it was made on may already be gone.
    SharedPicture() = default;
    SharedPicture(const SharedPicture&) = delete;
    SharedPicture& operator=(const SharedPicture&) = delete;

    // For a window of this connection; false where the server shares no
    // memory or the window's pixels are not 32-bit BGRA as the frame's are.
    bool open(Display* display, Window window);
    // Makes the picture this size (a whole multiple of the frame's); false
    // when the memory cannot be had.
    bool resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // The frame (640 x 480, BGRA, bottom row first, as OpenGL reads it)
    // enlarged into the picture, each pixel a `scale` x `scale` square.
    // Waits first for the server to be done with the previous picture.
    void fill(const uint32_t* frame, int scale);
    // Puts the picture on the window with its top-left corner at (x, y).
    void put(int x, int y);
    // Paints black what lies around the picture put at (x, y).
    void paintBars(int windowWidth, int windowHeight, int x, int y);
    // Lets go of the picture and its memory, while the connection is open.
    void close();

private:
    void release();

    Display* display_ = nullptr;
    Window window_ = 0;
    GC gc_ = nullptr;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_ = {};
    int width_ = 0;
    int height_ = 0;
    bool putPending_ = false;
};
