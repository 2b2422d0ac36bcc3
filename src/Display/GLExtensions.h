#pragma once

// Framebuffer-object and OpenGL 1.5 buffer entry points, which the platform's OpenGL library
// does not export directly, looked up from a current context.

#include <QOpenGLContext>

struct GLExtensionFunctions {
    // Looks every entry point up in context (null where it has none; all null without a
    // context). True when all 18 were found.
    bool resolve(const QOpenGLContext* context);

    bool fboSupported() const;
    bool openGL15Supported() const;

    // Framebuffer objects
    PFNGLGENFRAMEBUFFERSEXTPROC GenFramebuffersEXT = nullptr;
    PFNGLGENRENDERBUFFERSEXTPROC GenRenderbuffersEXT = nullptr;
    PFNGLBINDRENDERBUFFEREXTPROC BindRenderbufferEXT = nullptr;
    PFNGLRENDERBUFFERSTORAGEEXTPROC RenderbufferStorageEXT = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC DeleteFramebuffersEXT = nullptr;
    PFNGLDELETERENDERBUFFERSEXTPROC DeleteRenderbuffersEXT = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC BindFramebufferEXT = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC FramebufferTexture2DEXT = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC FramebufferRenderbufferEXT = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC CheckFramebufferStatusEXT = nullptr;

    // OpenGL 1.5
    PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;
    PFNGLTEXIMAGE3DPROC TexImage3D = nullptr;
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLMAPBUFFERPROC MapBuffer = nullptr;
    PFNGLUNMAPBUFFERPROC UnmapBuffer = nullptr;
};

// The program's one set, resolved by the display for its OpenGL widget.
GLExtensionFunctions& getGLExtensionFunctions();
