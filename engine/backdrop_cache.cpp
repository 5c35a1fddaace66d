#include "backdrop_cache.h"

#include "display.h"
#include "framebuffers.h"
#include "texture.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

namespace {

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

    const FramebufferFunctions* gl = nullptr;
} cache;

// The picture's framebuffer: its texture, and for the settled sprites a
// depth buffer as precise as the screen's, so that sprites overlapping at
// equal depth turn each other away there as they do on the screen.
bool makePicture(Picture& picture, bool withDepth)
{
    const FramebufferFunctions& gl = *cache.gl;
    // A power-of-two texture, as every texture of the game, so that any
    // OpenGL with framebuffer objects can draw from it; the screen's
    // drawing lands in its lower left corner, row for row.
    const GLsizei textureWidth = GLsizei(nextPowerOfTwo(unsigned(cache.width)));
    const GLsizei textureHeight = GLsizei(nextPowerOfTwo(unsigned(cache.height)));
    picture.texture = makeGlTexture(textureWidth, textureHeight, nullptr);
    gl.genFramebuffers(1, &picture.framebuffer);
    gl.bindFramebuffer(kFramebuffer, picture.framebuffer);
    gl.framebufferTexture2D(kFramebuffer, kColourAttachment0, GL_TEXTURE_2D, picture.texture, 0);
    if (withDepth) {
        GLuint depth = 0;
        gl.genRenderbuffers(1, &depth);
        gl.bindRenderbuffer(kRenderbuffer, depth);
        gl.renderbufferStorage(kRenderbuffer, screenDepthFormat(), textureWidth, textureHeight);
        gl.framebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, depth);
    }
    return gl.checkFramebufferStatus(kFramebuffer) == kFramebufferComplete;
}

}  // namespace

bool initBackdropCache()
{
    cache = BackdropCache();
    cache.gl = framebufferFunctions();
    if (!cache.gl)
        return false;

    // The screen's own framebuffer need not be 0: the game, or a
    // compatibility layer, may draw the frame off-screen before showing it.
    GLint screenFramebuffer = 0;
    glGetIntegerv(kDrawFramebufferBinding, &screenFramebuffer);
    cache.width = kScreenWidth;
    cache.height = kScreenHeight;
    cache.sSpan = GLfloat(cache.width) / GLfloat(nextPowerOfTwo(unsigned(cache.width)));
    cache.tSpan = GLfloat(cache.height) / GLfloat(nextPowerOfTwo(unsigned(cache.height)));
    cache.available = makePicture(cache.pictures[kBackdropPicture], false) &&
                      makePicture(cache.pictures[kSettledPicture], true);
    cache.gl->bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));
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
    cache.gl->bindFramebuffer(kFramebuffer, picture.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    cache.gl->bindFramebuffer(kFramebuffer, GLuint(screenFramebuffer));

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
