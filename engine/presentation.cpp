#include "presentation.h"

#include "display.h"
#include "framebuffers.h"
#include "shared_picture.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_syswm.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

PresentationChoice presentationChoice;

namespace {

// The automatic window fits in this share of the screen's height.
constexpr int kWindowHeightPercent = 80;
// After a change the window is drawn whole (bars and all) for this many
// frames, so that every buffer a driver swaps between has its bars.
constexpr int kWholeFrames = 3;

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

struct Presenter {
    bool ours = false;           // the game draws the frame off-screen and enlarges it
    ScreenSize screen = {0, 0};
    bool fullScreen = false;
    int scale = 1;               // the window's, in window mode
    const FramebufferFunctions* gl = nullptr;
    GLuint frame = 0;            // the 640 x 480 frame buffer
    Display* x = nullptr;        // SDL's connection and window
    Window window = 0;
    bool windowManager = false;  // one runs, and places and sizes the window
    CopySubBuffer copySubBuffer = nullptr;

    // The sharp picture's way to the window, where the server shares memory.
    SharedPicture shared;
    bool sharedOpen = false;
    std::vector<uint32_t> frameCopy;  // the frame read back, BGRA

    // This frame.
    int drawableWidth = kScreenWidth;
    int drawableHeight = kScreenHeight;
    bool throughFrame = false;   // drawn into the frame buffer, then enlarged
    bool throughShared = false;  // ... and handed over through shared memory
    PictureRect picture = {0, 0, kScreenWidth, kScreenHeight};
    int wholeFramesLeft = kWholeFrames;
};
Presenter p;

bool playerChoseScaling()
{
    return std::getenv("SDL12COMPAT_OPENGL_SCALING") || std::getenv("SDL12COMPAT_WINDOW_SCALING") ||
           std::getenv("SDL12COMPAT_SCALE_METHOD");
}

// An EWMH window manager names its check window on the root window.
bool windowManagerRuns(Display* x)
{
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* value = nullptr;
    const bool found = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                                          &after, &value) == Success && type == XA_WINDOW && items == 1;
    XFree(value);
    return found;
}

CopySubBuffer copySubBufferOf(Display* x)
{
    const char* extensions = glXQueryExtensionsString(x, DefaultScreen(x));
    if (!extensions || !std::strstr(extensions, "GLX_MESA_copy_sub_buffer"))
        return nullptr;
    return reinterpret_cast<CopySubBuffer>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
}

// The frame buffer: colour and depth as the window has them, in
// renderbuffers (no texture name, so the game's textures keep theirs).
bool makeFrame()
{
    const GLenum depthFormat = screenDepthFormat();
    GLuint buffers[2];
    p.gl->genFramebuffers(1, &p.frame);
    p.gl->bindFramebuffer(kFramebuffer, p.frame);
    p.gl->genRenderbuffers(2, buffers);
    p.gl->bindRenderbuffer(kRenderbuffer, buffers[0]);
    p.gl->renderbufferStorage(kRenderbuffer, GL_RGBA8, kScreenWidth, kScreenHeight);
    p.gl->framebufferRenderbuffer(kFramebuffer, kColourAttachment0, kRenderbuffer, buffers[0]);
    p.gl->bindRenderbuffer(kRenderbuffer, buffers[1]);
    p.gl->renderbufferStorage(kRenderbuffer, depthFormat, kScreenWidth, kScreenHeight);
    p.gl->framebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, buffers[1]);
    const bool complete = p.gl->checkFramebufferStatus(kFramebuffer) == kFramebufferComplete;
    p.gl->bindFramebuffer(kFramebuffer, 0);
    return complete;
}

// Without a window manager nobody sizes the window: the full screen is the
// whole X screen, and a window stands in its middle.
void placeWindowOurselves()
{
    if (p.fullScreen) {
        XMoveResizeWindow(p.x, p.window, 0, 0, unsigned(p.screen.width), unsigned(p.screen.height));
    } else {
        const int w = kScreenWidth * p.scale, h = kScreenHeight * p.scale;
        XMoveResizeWindow(p.x, p.window, std::max(0, (p.screen.width - w) / 2), std::max(0, (p.screen.height - h) / 2),
                          unsigned(w), unsigned(h));
    }
    XRaiseWindow(p.x, p.window);
    XFlush(p.x);
}

void measureDrawable()
{
    Window root;
    int x, y;
    unsigned w, h, border, depth;
    if (XGetGeometry(p.x, p.window, &root, &x, &y, &w, &h, &border, &depth)) {
        p.drawableWidth = int(w);
        p.drawableHeight = int(h);
    }
}

// The largest whole multiple of 640 x 480 as wide as the screen at most and
// as high as this share of it; at least 1.
int largestScale(ScreenSize screen, int heightPercent)
{
    int scale = 1;
    while (kScreenHeight * (scale + 1) * 100 <= screen.height * heightPercent && kScreenWidth * (scale + 1) <= screen.width)
        ++scale;
    return scale;
}

}  // namespace

int automaticWindowScale(ScreenSize screen)
{
    return largestScale(screen, kWindowHeightPercent);
}

int windowScale(int requested, ScreenSize screen)
{
    if (requested <= 0)
        return automaticWindowScale(screen);
    return screen.height > 0 ? std::min(requested, largestScale(screen, 100)) : requested;
}

PictureRect pictureRect(int drawableWidth, int drawableHeight, ScaleFilter filter)
{
    int width, height;
    if (filter == ScaleFilter::kSharp) {
        const int scale = std::max(1, std::min(drawableWidth / kScreenWidth, drawableHeight / kScreenHeight));
        width = kScreenWidth * scale;
        height = kScreenHeight * scale;
    } else if (drawableWidth * kScreenHeight >= drawableHeight * kScreenWidth) {
        height = drawableHeight;
        width = drawableHeight * kScreenWidth / kScreenHeight;
    } else {
        width = drawableWidth;
        height = drawableWidth * kScreenHeight / kScreenWidth;
    }
    return {(drawableWidth - width) / 2, (drawableHeight - height) / 2, width, height};
}

void choosePresentation(ScreenSize screen, bool fullScreen, int& modeWidth, int& modeHeight)
{
    p.screen = screen;
    p.fullScreen = fullScreen;
    p.scale = windowScale(presentationChoice.scale, screen);
    // SDL 1.2 on SDL2 draws each OpenGL frame off-screen and copies it,
    // enlarged, onto the window: the game's own presentation takes its
    // place, unless the player chose SDL's.
    const bool known = screen.width > 0;
    p.ours = known && !playerChoseScaling();
    if (known && !playerChoseScaling())
        setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
    modeWidth = p.ours && !fullScreen ? kScreenWidth * p.scale : kScreenWidth;
    modeHeight = p.ours && !fullScreen ? kScreenHeight * p.scale : kScreenHeight;
}

void initPresentation()
{
    if (!p.ours)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    p.gl = framebufferFunctions();
    if (!p.gl || SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 || !makeFrame()) {
        p.ours = false;
        return;
    }
    p.x = info.info.x11.display;
    p.window = info.info.x11.window;
    p.windowManager = windowManagerRuns(p.x);
    p.copySubBuffer = copySubBufferOf(p.x);
    p.sharedOpen = p.shared.open(p.x, p.window);
    p.frameCopy.resize(size_t(kScreenWidth) * kScreenHeight);
    if (!p.windowManager)
        placeWindowOurselves();
}

void beginFrame()
{
    if (!p.ours)
        return;
    measureDrawable();
    // Through the frame buffer when the window is larger; at 640 x 480 too
    // when the sharp picture can go through shared memory, whose hand-over
    // keeps better time than OpenGL's swap (measured with gentle pacing:
    // 0.1 to 0.5 % of frames late against 1.6 to 2.3 %).
    const bool sameSize = p.drawableWidth == kScreenWidth && p.drawableHeight == kScreenHeight;
    p.throughFrame = !sameSize || (p.sharedOpen && presentationChoice.filter == ScaleFilter::kSharp);
    const PictureRect picture = pictureRect(p.drawableWidth, p.drawableHeight, presentationChoice.filter);
    if (std::memcmp(&picture, &p.picture, sizeof picture) != 0)
        presentationDamaged();
    p.picture = picture;
    p.gl->bindFramebuffer(kFramebuffer, p.throughFrame ? p.frame : 0);
}

// The frame enlarged into the window's picture rectangle, the bars cleared
// when they need it.
void finishFrame()
{
    if (!p.ours || !p.throughFrame)
        return;
    const PictureRect& r = p.picture;
    p.throughShared = p.sharedOpen && presentationChoice.filter == ScaleFilter::kSharp && p.shared.resize(r.width, r.height);
    if (p.throughShared) {
        glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_BGRA, GL_UNSIGNED_BYTE, p.frameCopy.data());
        p.gl->bindFramebuffer(kFramebuffer, 0);
        p.shared.fill(p.frameCopy.data(), r.width / kScreenWidth);
        return;
    }
    p.gl->bindFramebuffer(kReadFramebuffer, p.frame);
    p.gl->bindFramebuffer(kDrawFramebuffer, 0);
    if (p.wholeFramesLeft > 0)
        clearScreenBuffers(GL_COLOR_BUFFER_BIT);
    p.gl->blitFramebuffer(0, 0, kScreenWidth, kScreenHeight, r.x, r.y, r.x + r.width, r.y + r.height,
                          GL_COLOR_BUFFER_BIT, presentationChoice.filter == ScaleFilter::kSharp ? GL_NEAREST : GL_LINEAR);
    p.gl->bindFramebuffer(kFramebuffer, 0);
}

// Only the picture's rectangle goes to X once the bars are drawn: at
// 3840 x 2160 the rest is two thirds of every frame's bytes.
void showFrame()
{
    if (p.ours && p.throughFrame && p.throughShared) {
        // X's window rows run downwards, OpenGL's upwards.
        const PictureRect& r = p.picture;
        const int top = p.drawableHeight - r.y - r.height;
        if (p.wholeFramesLeft > 0)
            p.shared.paintBars(p.drawableWidth, p.drawableHeight, r.x, top);
        p.wholeFramesLeft = 0;
        p.shared.put(r.x, top);
        return;
    }
    if (p.ours && p.throughFrame && p.wholeFramesLeft == 0 && p.copySubBuffer) {
        const PictureRect& r = p.picture;
        p.copySubBuffer(glXGetCurrentDisplay(), glXGetCurrentDrawable(), r.x, r.y, r.width, r.height);
        return;
    }
    SDL_GL_SwapBuffers();
    if (p.wholeFramesLeft > 0)
        --p.wholeFramesLeft;
}

void closePresentation()
{
    p.shared.close();
}

void presentationDamaged()
{
    p.wholeFramesLeft = kWholeFrames;
}

bool togglePresentationFullScreen()
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen || SDL_WM_ToggleFullScreen(screen) == 0)
        return false;
    p.fullScreen = !p.fullScreen;
    if (p.ours && !p.windowManager)
        placeWindowOurselves();
    presentationDamaged();
    return true;
}
