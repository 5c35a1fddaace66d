#include "presentation.h"

#include "display.h"
#include "framebuffers.h"
#include "shared_picture.h"
#include "texture.h"

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
// The frame's texture: the powers of two around 640 x 480.
constexpr GLsizei kFrameTextureWidth = 1024;
constexpr GLsizei kFrameTextureHeight = 512;

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

struct Presenter {
    bool ours = false;           // the game draws the frame off-screen and enlarges it
    ScreenSize screen = {0, 0};
    bool fullScreen = false;
    int scale = 1;               // the window's, in window mode
    const FramebufferFunctions* gl = nullptr;
    GLuint frame = 0;            // the 640 x 480 frame buffer
    GLuint frameTexture = 0;     // its colour
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

bool largerThanTheFrame(ScreenSize screen)
{
    return screen.width > kScreenWidth || screen.height > kScreenHeight;
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

// The frame buffer: the frame in the lower-left corner of a power-of-two
// texture, as the game's other textures are, and a depth buffer as precise
// as the window's.
bool makeFrame()
{
    const GLenum depthFormat = screenDepthFormat();
    p.frameTexture = makeGlTexture(kFrameTextureWidth, kFrameTextureHeight, nullptr);
    GLuint depth = 0;
    p.gl->genFramebuffers(1, &p.frame);
    p.gl->bindFramebuffer(kFramebuffer, p.frame);
    p.gl->framebufferTexture2D(kFramebuffer, kColourAttachment0, GL_TEXTURE_2D, p.frameTexture, 0);
    p.gl->genRenderbuffers(1, &depth);
    p.gl->bindRenderbuffer(kRenderbuffer, depth);
    p.gl->renderbufferStorage(kRenderbuffer, depthFormat, kFrameTextureWidth, kFrameTextureHeight);
    p.gl->framebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, depth);
    const bool complete = p.gl->checkFramebufferStatus(kFramebuffer) == kFramebufferComplete;
    p.gl->bindFramebuffer(kFramebuffer, 0);
    return complete;
}

// The frame drawn as one textured quad over the picture's rectangle: under a
// software OpenGL that fills the pixels in a fraction of a framebuffer
// blit's time (at 2560 x 1920 measured 10.8 ms a blit).
void drawFrameEnlarged(const PictureRect& r, GLint filter)
{
    glViewport(0, 0, p.drawableWidth, p.drawableHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, p.drawableWidth, 0, p.drawableHeight, -1, 1);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, p.frameTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const GLfloat s = GLfloat(kScreenWidth) / kFrameTextureWidth, t = GLfloat(kScreenHeight) / kFrameTextureHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(r.x, r.y);
    glTexCoord2f(s, 0);
    glVertex2i(r.x + r.width, r.y);
    glTexCoord2f(s, t);
    glVertex2i(r.x + r.width, r.y + r.height);
    glTexCoord2f(0, t);
    glVertex2i(r.x, r.y + r.height);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, kScreenWidth, kScreenHeight);
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
    // enlarged, onto the window. A screen of 640 x 480 needs no copy, and a
    // larger one gets the game's own; a setting of the player's is kept.
    const bool known = screen.width > 0;
    p.ours = known && largerThanTheFrame(screen) && !playerChoseScaling();
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
    p.throughFrame = p.drawableWidth != kScreenWidth || p.drawableHeight != kScreenHeight;
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
    p.gl->bindFramebuffer(kFramebuffer, 0);
    if (p.wholeFramesLeft > 0)
        clearScreenBuffers(GL_COLOR_BUFFER_BIT);
    drawFrameEnlarged(r, presentationChoice.filter == ScaleFilter::kSharp ? GL_NEAREST : GL_LINEAR);
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
