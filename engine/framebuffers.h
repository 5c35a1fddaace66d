// Framebuffer objects, found at run time: the game builds against OpenGL
// 1.1 headers and runs on whatever the machine offers. The kept pictures
// (backdrop_cache.h) and the frame drawn for a larger screen
// (presentation.h) use them.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

struct FramebufferFunctions {
    void (*genFramebuffers)(GLsizei, GLuint*);
    void (*bindFramebuffer)(GLenum, GLuint);
    void (*framebufferTexture2D)(GLenum, GLenum, GLenum, GLuint, GLint);
    void (*genRenderbuffers)(GLsizei, GLuint*);
    void (*bindRenderbuffer)(GLenum, GLuint);
    void (*renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei);
    void (*framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint);
    GLenum (*checkFramebufferStatus)(GLenum);
    void (*blitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);
};

// This OpenGL's framebuffer functions (OpenGL 3.0 or ARB_framebuffer_object),
// or null when it has none. Needs the display's OpenGL context.
const FramebufferFunctions* framebufferFunctions();

// The names OpenGL 3.0 gives them.
constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;
constexpr GLenum kColourAttachment0 = 0x8CE0;
constexpr GLenum kDepthAttachment = 0x8D00;
constexpr GLenum kRenderbuffer = 0x8D41;
constexpr GLenum kDepthComponent16 = 0x81A5;
constexpr GLenum kDepthComponent24 = 0x81A6;
constexpr GLenum kFramebufferComplete = 0x8CD5;

// A depth buffer format as precise as the screen's own.
GLenum screenDepthFormat();
