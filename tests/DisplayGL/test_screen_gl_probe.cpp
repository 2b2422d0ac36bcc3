// The OpenGL probe on the X server, whose only renderer is Mesa's software rasteriser, and
// the display setting a first start stores from it.
#include "Viewer/Viewer.h"
#include "screen_gl_util.h"

TEST(OpenGLProbe, AContextOfTheSoftwareRasteriserIsUsableButNotHardware)
{
    REQUIRE_X();
    const CScreen::OpenGLProbe probe = CScreen::probeOpenGL();
    EXPECT_TRUE(probe.usable);
    EXPECT_TRUE(probe.renderer.contains(QLatin1String("llvmpipe"))) << qPrintable(probe.renderer);
    EXPECT_TRUE(probe.software);
}

TEST(OpenGLProbe, AFirstStartWithTheSoftwareRasteriserStoresOff)
{
    REQUIRE_X();
    displaytest::EmptySettings();
    ASSERT_FALSE(CAppSettings().contains(CAppSettings::OPENGL));
    EXPECT_EQ(Viewer::getOpenGLMode(), OPENGL_MODE_OFF);
    EXPECT_EQ(CAppSettings().readSetting(CAppSettings::OPENGL, -1).toInt(), OPENGL_MODE_OFF);
}

TEST(OpenGLProbe, AStoredOpenGLSettingIsKeptOnTheSoftwareRasteriser)
{
    REQUIRE_X();
    displaytest::EmptySettings();
    for (int mode : {OPENGL_MODE_ON, OPENGL_MODE_POWER_OF_2}) {
        CAppSettings().writeSetting(CAppSettings::OPENGL, mode);
        EXPECT_EQ(Viewer::getOpenGLMode(), mode);
        EXPECT_EQ(CAppSettings().readSetting(CAppSettings::OPENGL, -1).toInt(), mode);
    }
}
