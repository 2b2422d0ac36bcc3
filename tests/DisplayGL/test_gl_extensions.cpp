#include <gtest/gtest.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <utility>
#include <vector>

#include "Display/GLExtensions.h"
#include "screen_gl_util.h"

namespace {

// Each entry point with the name it is looked up by.
std::vector<std::pair<QFunctionPointer, const char*>> Named(const GLExtensionFunctions& f)
{
    auto p = [](auto fn) { return reinterpret_cast<QFunctionPointer>(fn); };
    return {{p(f.GenFramebuffersEXT), "glGenFramebuffersEXT"}, {p(f.GenRenderbuffersEXT), "glGenRenderbuffersEXT"},
            {p(f.BindRenderbufferEXT), "glBindRenderbufferEXT"}, {p(f.RenderbufferStorageEXT), "glRenderbufferStorageEXT"},
            {p(f.DeleteFramebuffersEXT), "glDeleteFramebuffersEXT"},
            {p(f.DeleteRenderbuffersEXT), "glDeleteRenderbuffersEXT"}, {p(f.BindFramebufferEXT), "glBindFramebufferEXT"},
            {p(f.FramebufferTexture2DEXT), "glFramebufferTexture2DEXT"},
            {p(f.FramebufferRenderbufferEXT), "glFramebufferRenderbufferEXT"},
            {p(f.CheckFramebufferStatusEXT), "glCheckFramebufferStatusEXT"}, {p(f.ActiveTexture), "glActiveTexture"},
            {p(f.TexImage3D), "glTexImage3D"}, {p(f.GenBuffers), "glGenBuffers"}, {p(f.BindBuffer), "glBindBuffer"},
            {p(f.BufferData), "glBufferData"}, {p(f.DeleteBuffers), "glDeleteBuffers"}, {p(f.MapBuffer), "glMapBuffer"},
            {p(f.UnmapBuffer), "glUnmapBuffer"}};
}

}  // namespace

TEST(GLExtensions, ResolvesEveryEntryPointByItsNameAndNoneWithoutAContext)
{
    REQUIRE_X();
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    ASSERT_TRUE(context.create() && context.makeCurrent(&surface)) << "no OpenGL context on this display";

    GLExtensionFunctions f;
    EXPECT_TRUE(f.resolve(&context));
    EXPECT_TRUE(f.fboSupported());
    EXPECT_TRUE(f.openGL15Supported());
    for (const auto& [fn, name] : Named(f)) {
        EXPECT_NE(fn, nullptr) << name;
        EXPECT_EQ(fn, context.getProcAddress(name)) << name;
    }

    // Resolving again replaces every pointer.
    EXPECT_FALSE(f.resolve(nullptr));
    EXPECT_FALSE(f.fboSupported());
    EXPECT_FALSE(f.openGL15Supported());
    for (const auto& [fn, name] : Named(f))
        EXPECT_EQ(fn, nullptr) << name;
}
