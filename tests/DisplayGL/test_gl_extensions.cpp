#include <gtest/gtest.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "Display/GLExtensions.h"

namespace {

// A current OpenGL context on an offscreen surface.
struct GLContext {
    QOffscreenSurface surface;
    QOpenGLContext context;

    bool make()
    {
        surface.create();
        return surface.isValid() && context.create() && context.makeCurrent(&surface);
    }
};

bool HaveX()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

#define REQUIRE_GL(gl)                                                                         \
    if (!HaveX())                                                                              \
        GTEST_SKIP() << "OpenGL needs an X server: no DISPLAY";                                \
    ASSERT_TRUE((gl).make()) << "no OpenGL context on this display"

}  // namespace

TEST(GLExtensions, ResolvesAllEighteenEntryPoints)
{
    GLContext gl;
    REQUIRE_GL(gl);
    GLExtensionFunctions& f = getGLExtensionFunctions();
    EXPECT_EQ(&f, &getGLExtensionFunctions()) << "one set for the program";
    EXPECT_TRUE(f.resolve(&gl.context));
    EXPECT_TRUE(f.fboSupported());
    EXPECT_TRUE(f.openGL15Supported());

    // Each pointer is the entry point of its own name.
    QOpenGLContext& c = gl.context;
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.GenFramebuffersEXT), c.getProcAddress("glGenFramebuffersEXT"));
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.CheckFramebufferStatusEXT),
              c.getProcAddress("glCheckFramebufferStatusEXT"));
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.ActiveTexture), c.getProcAddress("glActiveTexture"));
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.UnmapBuffer), c.getProcAddress("glUnmapBuffer"));
}

TEST(GLExtensions, FramebufferEntryPointsDrawOffscreen)
{
    GLContext gl;
    REQUIRE_GL(gl);
    GLExtensionFunctions f;
    ASSERT_TRUE(f.resolve(&gl.context));
    QOpenGLFunctions* core = gl.context.functions();

    GLuint fbo = 0, colour = 0, depth = 0;
    f.GenFramebuffersEXT(1, &fbo);
    f.GenRenderbuffersEXT(1, &colour);
    f.GenRenderbuffersEXT(1, &depth);
    ASSERT_NE(fbo, 0u);
    f.BindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    f.BindRenderbufferEXT(GL_RENDERBUFFER_EXT, colour);
    f.RenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, 8, 8);
    f.FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colour);
    f.BindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    f.RenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT16, 8, 8);
    f.FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
    EXPECT_EQ(f.CheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));

    core->glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    core->glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    core->glReadPixels(3, 3, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);

    // A texture as the colour attachment.
    GLuint texture = 0;
    core->glGenTextures(1, &texture);
    core->glBindTexture(GL_TEXTURE_2D, texture);
    core->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    f.FramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    EXPECT_EQ(f.CheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
    core->glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    core->glClear(GL_COLOR_BUFFER_BIT);
    core->glReadPixels(1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[2], 255);

    f.BindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    f.DeleteFramebuffersEXT(1, &fbo);
    f.DeleteRenderbuffersEXT(1, &colour);
    f.DeleteRenderbuffersEXT(1, &depth);
    core->glDeleteTextures(1, &texture);
    EXPECT_EQ(core->glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLExtensions, BufferAndTextureEntryPointsWork)
{
    GLContext gl;
    REQUIRE_GL(gl);
    GLExtensionFunctions f;
    ASSERT_TRUE(f.resolve(&gl.context));
    QOpenGLFunctions* core = gl.context.functions();

    const unsigned char data[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    GLuint buffer = 0;
    f.GenBuffers(1, &buffer);
    ASSERT_NE(buffer, 0u);
    f.BindBuffer(GL_ARRAY_BUFFER, buffer);
    f.BufferData(GL_ARRAY_BUFFER, sizeof data, data, GL_STATIC_DRAW);
    const void* mapped = f.MapBuffer(GL_ARRAY_BUFFER, GL_READ_ONLY);
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(std::memcmp(mapped, data, sizeof data), 0);
    EXPECT_EQ(f.UnmapBuffer(GL_ARRAY_BUFFER), static_cast<GLboolean>(GL_TRUE));
    f.BindBuffer(GL_ARRAY_BUFFER, 0);
    f.DeleteBuffers(1, &buffer);

    f.ActiveTexture(GL_TEXTURE1);
    GLint active = 0;
    core->glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE1);
    f.ActiveTexture(GL_TEXTURE0);

    GLuint volume = 0;
    core->glGenTextures(1, &volume);
    core->glBindTexture(GL_TEXTURE_3D, volume);
    f.TexImage3D(GL_TEXTURE_3D, 0, GL_RGBA, 4, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EXPECT_EQ(core->glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    f.TexImage3D(GL_TEXTURE_3D, 0, GL_RGBA, -1, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EXPECT_EQ(core->glGetError(), static_cast<GLenum>(GL_INVALID_VALUE)) << "a real entry point checks its arguments";
    core->glDeleteTextures(1, &volume);
}

TEST(GLExtensions, ResolvingAgainReplacesEveryPointer)
{
    GLContext gl;
    REQUIRE_GL(gl);
    GLExtensionFunctions f;
    ASSERT_TRUE(f.resolve(&gl.context));
    EXPECT_FALSE(f.resolve(nullptr));
    EXPECT_FALSE(f.fboSupported());
    EXPECT_FALSE(f.openGL15Supported());
    EXPECT_EQ(f.GenFramebuffersEXT, nullptr);
    EXPECT_EQ(f.UnmapBuffer, nullptr);

    GLContext second;
    ASSERT_TRUE(second.make());
    EXPECT_TRUE(f.resolve(&second.context));
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.BindBuffer), second.context.getProcAddress("glBindBuffer"));
}

int main(int argc, char** argv)
{
    // OpenGL contexts need an X server; without one the cases skip on the offscreen platform.
    const char* display = std::getenv("DISPLAY");
    bool haveX = display && *display;
    if (haveX && display[0] == ':') {
        const QByteArray number = QByteArray(display + 1).split('.').front();
        haveX = QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number));
    }
    setenv("QT_QPA_PLATFORM", haveX ? "xcb" : "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
