#include "GLExtensions.h"

namespace {

template <typename F>
void lookUp(const QOpenGLContext* context, const char* name, F& entry)
{
    entry = context ? reinterpret_cast<F>(context->getProcAddress(name)) : nullptr;
}

}  // namespace

bool GLExtensionFunctions::resolve(const QOpenGLContext* context)
{
    lookUp(context, "glGenFramebuffersEXT", GenFramebuffersEXT);
    lookUp(context, "glGenRenderbuffersEXT", GenRenderbuffersEXT);
    lookUp(context, "glBindRenderbufferEXT", BindRenderbufferEXT);
    lookUp(context, "glRenderbufferStorageEXT", RenderbufferStorageEXT);
    lookUp(context, "glDeleteFramebuffersEXT", DeleteFramebuffersEXT);
    lookUp(context, "glDeleteRenderbuffersEXT", DeleteRenderbuffersEXT);
    lookUp(context, "glBindFramebufferEXT", BindFramebufferEXT);
    lookUp(context, "glFramebufferTexture2DEXT", FramebufferTexture2DEXT);
    lookUp(context, "glFramebufferRenderbufferEXT", FramebufferRenderbufferEXT);
    lookUp(context, "glCheckFramebufferStatusEXT", CheckFramebufferStatusEXT);

    lookUp(context, "glActiveTexture", ActiveTexture);
    lookUp(context, "glTexImage3D", TexImage3D);
    lookUp(context, "glGenBuffers", GenBuffers);
    lookUp(context, "glBindBuffer", BindBuffer);
    lookUp(context, "glBufferData", BufferData);
    lookUp(context, "glDeleteBuffers", DeleteBuffers);
    lookUp(context, "glMapBuffer", MapBuffer);
    lookUp(context, "glUnmapBuffer", UnmapBuffer);

    return fboSupported() && openGL15Supported();
}

bool GLExtensionFunctions::fboSupported() const
{
    return GenFramebuffersEXT && GenRenderbuffersEXT && BindRenderbufferEXT && RenderbufferStorageEXT &&
           DeleteFramebuffersEXT && DeleteRenderbuffersEXT && BindFramebufferEXT && FramebufferTexture2DEXT &&
           FramebufferRenderbufferEXT && CheckFramebufferStatusEXT;
}

bool GLExtensionFunctions::openGL15Supported() const
{
    return ActiveTexture && TexImage3D && GenBuffers && BindBuffer && BufferData && DeleteBuffers && MapBuffer &&
           UnmapBuffer;
}

GLExtensionFunctions& getGLExtensionFunctions()
{
    static GLExtensionFunctions functions;
    return functions;
}
