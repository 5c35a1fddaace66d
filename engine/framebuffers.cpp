#include "framebuffers.h"

#include <cstring>

namespace {

template <typename Function>
void lookUp(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

bool hasFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && version[0] >= '3' && version[0] <= '9' && version[1] == '.') ||
           (extensions && std::strstr(extensions, "GL_ARB_framebuffer_object"));
}

}  // namespace

const FramebufferFunctions* framebufferFunctions()
{
    static FramebufferFunctions functions;
    if (!hasFramebufferObjects())
        return nullptr;
    lookUp(functions.genFramebuffers, "glGenFramebuffers");
    lookUp(functions.bindFramebuffer, "glBindFramebuffer");
    lookUp(functions.framebufferTexture2D, "glFramebufferTexture2D");
    lookUp(functions.genRenderbuffers, "glGenRenderbuffers");
    lookUp(functions.bindRenderbuffer, "glBindRenderbuffer");
    lookUp(functions.renderbufferStorage, "glRenderbufferStorage");
    lookUp(functions.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    lookUp(functions.checkFramebufferStatus, "glCheckFramebufferStatus");
    lookUp(functions.blitFramebuffer, "glBlitFramebuffer");
    const bool complete = functions.genFramebuffers && functions.bindFramebuffer && functions.framebufferTexture2D &&
                          functions.genRenderbuffers && functions.bindRenderbuffer && functions.renderbufferStorage &&
                          functions.framebufferRenderbuffer && functions.checkFramebufferStatus &&
                          functions.blitFramebuffer;
    return complete ? &functions : nullptr;
}

GLenum screenDepthFormat()
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    return depthBits > 16 ? kDepthComponent24 : kDepthComponent16;
}
