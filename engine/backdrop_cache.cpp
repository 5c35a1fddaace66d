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
using FramebufferTexture2D = void (*)(GLenum, GLenum, GLenum, GLuint, GLint);
using CheckFramebufferStatus = GLenum (*)(GLenum);

constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;
constexpr GLenum kColourAttachment0 = 0x8CE0;
constexpr GLenum kFramebufferComplete = 0x8CD5;

// Room for the description of a backdrop of a few quads.
constexpr std::size_t kDescriptionBytes = 4096;

struct BackdropCache {
    bool available = false;
    GLuint framebuffer = 0;
    GLuint texture = 0;  // the picture: the screen's size in a power-of-two texture
    GLint width = 0, height = 0;
    GLfloat sSpan = 0, tSpan = 0;  // the screen's share of the texture
    bool filled = false;
    unsigned textureChangesWhenFilled = 0;
    std::size_t bytes = 0;
    unsigned char description[kDescriptionBytes];

    BindFramebuffer bindFramebuffer = nullptr;
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
    const auto framebufferTexture2D = lookUp<FramebufferTexture2D>("glFramebufferTexture2D");
    const auto checkStatus = lookUp<CheckFramebufferStatus>("glCheckFramebufferStatus");
    cache.bindFramebuffer = lookUp<BindFramebuffer>("glBindFramebuffer");
    if (!genFramebuffers || !framebufferTexture2D || !checkStatus || !cache.bindFramebuffer)
        return false;

    // The screen's own framebuffer need not be 0: a compatibility layer may
    // draw the game off-screen itself.
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.width = screen->w;
    cache.height = screen->h;
    // A power-of-two texture, as every texture of the game, so that any
    // OpenGL with framebuffer objects can draw from it; the screen's
    // drawing lands in its lower left corner, row for row.
    const unsigned textureWidth = nextPowerOfTwo(unsigned(cache.width));
    const unsigned textureHeight = nextPowerOfTwo(unsigned(cache.height));
    cache.sSpan = GLfloat(cache.width) / GLfloat(textureWidth);
    cache.tSpan = GLfloat(cache.height) / GLfloat(textureHeight);
    cache.texture = makeGlTexture(textureWidth, textureHeight, nullptr);
    genFramebuffers(1, &cache.framebuffer);
    cache.bindFramebuffer(kFramebuffer, cache.framebuffer);
    framebufferTexture2D(kFramebuffer, kColourAttachment0, GL_TEXTURE_2D, cache.texture, 0);
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
    // Texel centres fall on pixel centres, so each pixel takes its own
    // texel; the texture's row 0 is the screen's bottom row.
    glBindTexture(GL_TEXTURE_2D, cache.texture);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const GLfloat w = GLfloat(cache.width);
    const GLfloat h = GLfloat(cache.height);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, h);
    glTexCoord2f(cache.sSpan, 0);
    glVertex2f(w, h);
    glTexCoord2f(cache.sSpan, cache.tSpan);
    glVertex2f(w, 0);
    glTexCoord2f(0, cache.tSpan);
    glVertex2f(0, 0);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
}
