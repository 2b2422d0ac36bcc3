// Test entry: gives every test executable the Qt application object it needs.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#ifdef ZAVO_TEST_GUI
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    // ctest's test discovery runs us without the test's environment: pick a platform that
    // works without a display unless an X server is really there.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if (!platform || !*platform || (std::strcmp(platform, "xcb") == 0 && (!display || !*display)))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    ::testing::InitGoogleTest(&argc, argv);
    TestApp app(argc, argv);
    return RUN_ALL_TESTS();
}
