#include "backdrop_cache.h"

#include "texture.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

namespace {

// The framebuffer-object entry points, found at run time: the game builds
// against OpenGL 1.1 headers and runs on whatever the machine offers.
using GenFramebuffers = void (*)(GLsizei, GLuint*);
using BindFramebuffer = void (*)(GLenum, GLuint);
using GenRenderbuffers = void (*)(GLsizei, GLuint*);
using BindRenderbuffer = void (*)(GLenum, GLuint);
using RenderbufferStorage = void (*)(GLenum, GLenum, GLsizei, GLsizei);
using FramebufferRenderbuffer = void (*)(GLenum, GLenum, GLenum, GLuint);
using CheckFramebufferStatus = GLenum (*)(GLenum);
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);

constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;
constexpr GLenum kReadFramebufferBinding = 0x8CAA;
constexpr GLenum kRenderbuffer = 0x8D41;
constexpr GLenum kColourAttachment0 = 0x8CE0;
constexpr GLenum kFramebufferComplete = 0x8CD5;
constexpr GLenum kRgba8 = 0x8058;

// Room for the description of a backdrop of a few quads.
constexpr std::size_t kDescriptionBytes = 4096;

struct BackdropCache {
    bool available = false;
    GLuint framebuffer = 0;
    GLint width = 0, height = 0;
    bool filled = false;
    unsigned textureChangesWhenFilled = 0;
    std::size_t bytes = 0;
    unsigned char description[kDescriptionBytes];

    BindFramebuffer bindFramebuffer = nullptr;
    BlitFramebuffer blitFramebuffer = nullptr;
} cache;

template <typename Function>
Function lookUp(const char* name)
{
    return reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

bool hasFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && version[0] >= '3' && version[0] <= '9' && version[1] == '.') ||
           (extensions && std::strstr(extensions, "GL_ARB_framebuffer_object"));
}

}  // namespace

bool initBackdropCache()
{
    cache = BackdropCache();
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen || !hasFramebufferObjects())
        return false;
    const auto genFramebuffers = lookUp<GenFramebuffers>("glGenFramebuffers");
    const auto genRenderbuffers = lookUp<GenRenderbuffers>("glGenRenderbuffers");
    const auto bindRenderbuffer = lookUp<BindRenderbuffer>("glBindRenderbuffer");
    const auto renderbufferStorage = lookUp<RenderbufferStorage>("glRenderbufferStorage");
    const auto framebufferRenderbuffer = lookUp<FramebufferRenderbuffer>("glFramebufferRenderbuffer");
    const auto checkStatus = lookUp<CheckFramebufferStatus>("glCheckFramebufferStatus");
    cache.bindFramebuffer = lookUp<BindFramebuffer>("glBindFramebuffer");
    cache.blitFramebuffer = lookUp<BlitFramebuffer>("glBlitFramebuffer");
    if (!genFramebuffers || !genRenderbuffers || !bindRenderbuffer || !renderbufferStorage ||
        !framebufferRenderbuffer || !checkStatus || !cache.bindFramebuffer || !cache.blitFramebuffer)
        return false;

    // The screen's own framebuffer need not be 0: a compatibility layer may
    // draw the game off-screen itself.
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.width = screen->w;
    cache.height = screen->h;
    GLuint colour = 0;
    genRenderbuffers(1, &colour);
    bindRenderbuffer(kRenderbuffer, colour);
    renderbufferStorage(kRenderbuffer, kRgba8, cache.width, cache.height);
    genFramebuffers(1, &cache.framebuffer);
    cache.bindFramebuffer(kFramebuffer, cache.framebuffer);
    framebufferRenderbuffer(kFramebuffer, kColourAttachment0, kRenderbuffer, colour);
    cache.available = checkStatus(kFramebuffer) == kFramebufferComplete;
    cache.bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));
    while (glGetError() != GL_NO_ERROR) {
    }
    return cache.available;
}

bool backdropCacheAvailable()
{
    return cache.available;
}

bool backdropCacheHolds(const void* description, std::size_t bytes)
{
    return cache.filled && cache.textureChangesWhenFilled == textureChanges() && cache.bytes == bytes &&
           std::memcmp(cache.description, description, bytes) == 0;
}

void fillBackdropCache(const void* description, std::size_t bytes, void (*draw)())
{
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.bindFramebuffer(kFramebuffer, cache.framebuffer);
    // No depth buffer here: the depth test passes everywhere, as it does on
    // a screen just cleared.
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    cache.bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));

    cache.filled = bytes <= kDescriptionBytes;
    cache.bytes = bytes;
    cache.textureChangesWhenFilled = textureChanges();
    if (cache.filled)
        std::memcpy(cache.description, description, bytes);
}

void copyBackdropCacheToScreen()
{
    GLint screenFramebuffer = 0;
    glGetIntegerv(kReadFramebufferBinding, &screenFramebuffer);
    cache.bindFramebuffer(kReadFramebuffer, cache.framebuffer);
    cache.blitFramebuffer(0, 0, cache.width, cache.height, 0, 0, cache.width, cache.height, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    cache.bindFramebuffer(kReadFramebuffer, GLuint(screenFramebuffer));
}
