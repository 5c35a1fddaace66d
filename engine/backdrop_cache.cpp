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
using GenRenderbuffers = void (*)(GLsizei, GLuint*);
using BindRenderbuffer = void (*)(GLenum, GLuint);
using RenderbufferStorage = void (*)(GLenum, GLenum, GLsizei, GLsizei);
using FramebufferRenderbuffer = void (*)(GLenum, GLenum, GLenum, GLuint);
using CheckFramebufferStatus = GLenum (*)(GLenum);

constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;
constexpr GLenum kColourAttachment0 = 0x8CE0;
constexpr GLenum kDepthAttachment = 0x8D00;
constexpr GLenum kRenderbuffer = 0x8D41;
constexpr GLenum kDepthComponent16 = 0x81A5;
constexpr GLenum kDepthComponent24 = 0x81A6;
constexpr GLenum kFramebufferComplete = 0x8CD5;

// Room for the description of a backdrop of a few quads.
constexpr std::size_t kDescriptionBytes = 4096;

struct Picture {
    GLuint framebuffer = 0;
    GLuint texture = 0;  // the screen's size in a power-of-two texture
    bool filled = false;
    unsigned textureChangesWhenFilled = 0;
    std::size_t bytes = 0;
    unsigned char description[kDescriptionBytes];
};

struct BackdropCache {
    bool available = false;
    GLint width = 0, height = 0;
    GLfloat sSpan = 0, tSpan = 0;  // the screen's share of the textures
    Picture pictures[2];

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

// The picture's framebuffer: its texture, and for the settled sprites a
// depth buffer as precise as the screen's, so that sprites overlapping at
// equal depth turn each other away there as they do on the screen.
bool makePicture(Picture& picture, bool withDepth)
{
    const auto genFramebuffers = lookUp<GenFramebuffers>("glGenFramebuffers");
    const auto framebufferTexture2D = lookUp<FramebufferTexture2D>("glFramebufferTexture2D");
    const auto genRenderbuffers = lookUp<GenRenderbuffers>("glGenRenderbuffers");
    const auto bindRenderbuffer = lookUp<BindRenderbuffer>("glBindRenderbuffer");
    const auto renderbufferStorage = lookUp<RenderbufferStorage>("glRenderbufferStorage");
    const auto framebufferRenderbuffer = lookUp<FramebufferRenderbuffer>("glFramebufferRenderbuffer");
    const auto checkStatus = lookUp<CheckFramebufferStatus>("glCheckFramebufferStatus");
    if (!genFramebuffers || !framebufferTexture2D || !genRenderbuffers || !bindRenderbuffer ||
        !renderbufferStorage || !framebufferRenderbuffer || !checkStatus)
        return false;

    // A power-of-two texture, as every texture of the game, so that any
    // OpenGL with framebuffer objects can draw from it; the screen's
    // drawing lands in its lower left corner, row for row.
    const GLsizei textureWidth = GLsizei(nextPowerOfTwo(unsigned(cache.width)));
    const GLsizei textureHeight = GLsizei(nextPowerOfTwo(unsigned(cache.height)));
    picture.texture = makeGlTexture(textureWidth, textureHeight, nullptr);
    genFramebuffers(1, &picture.framebuffer);
    cache.bindFramebuffer(kFramebuffer, picture.framebuffer);
    framebufferTexture2D(kFramebuffer, kColourAttachment0, GL_TEXTURE_2D, picture.texture, 0);
    if (withDepth) {
        GLint screenDepthBits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &screenDepthBits);
        GLuint depth = 0;
        genRenderbuffers(1, &depth);
        bindRenderbuffer(kRenderbuffer, depth);
        renderbufferStorage(kRenderbuffer, screenDepthBits > 16 ? kDepthComponent24 : kDepthComponent16,
                            textureWidth, textureHeight);
        framebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, depth);
    }
    return checkStatus(kFramebuffer) == kFramebufferComplete;
}

}  // namespace

bool initBackdropCache()
{
    cache = BackdropCache();
    const SDL_Surface* screen = SDL_GetVideoSurface();
    cache.bindFramebuffer = lookUp<BindFramebuffer>("glBindFramebuffer");
    if (!screen || !hasFramebufferObjects() || !cache.bindFramebuffer)
        return false;

    // The screen's own framebuffer need not be 0: a compatibility layer may
    // draw the game off-screen itself.
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.width = screen->w;
    cache.height = screen->h;
    cache.sSpan = GLfloat(cache.width) / GLfloat(nextPowerOfTwo(unsigned(cache.width)));
    cache.tSpan = GLfloat(cache.height) / GLfloat(nextPowerOfTwo(unsigned(cache.height)));
    cache.available = makePicture(cache.pictures[kBackdropPicture], false) &&
                      makePicture(cache.pictures[kSettledPicture], true);
    cache.bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));
    while (glGetError() != GL_NO_ERROR) {
    }
    return cache.available;
}

bool backdropCacheAvailable()
{
    return cache.available;
}

bool backdropCacheHolds(KeptPicture which, const void* description, std::size_t bytes)
{
    const Picture& picture = cache.pictures[which];
    return picture.filled && picture.textureChangesWhenFilled == textureChanges() && picture.bytes == bytes &&
           std::memcmp(picture.description, description, bytes) == 0;
}

void fillBackdropCache(KeptPicture which, const void* description, std::size_t bytes, void (*draw)())
{
    Picture& picture = cache.pictures[which];
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.bindFramebuffer(kFramebuffer, picture.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    cache.bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));

    picture.filled = bytes <= kDescriptionBytes;
    picture.bytes = bytes;
    picture.textureChangesWhenFilled = textureChanges();
    if (picture.filled)
        std::memcpy(picture.description, description, bytes);
}

void copyBackdropCacheToScreen(KeptPicture which)
{
    // Texel centres fall on pixel centres, so each pixel takes its own
    // texel; the texture's row 0 is the screen's bottom row.
    glBindTexture(GL_TEXTURE_2D, cache.pictures[which].texture);
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
