// Real widgets on the X server when there is one (xcb); the offscreen platform otherwise,
// where the OpenGL cases skip.
#include <QApplication>
#include <QFileInfo>

#include <cstring>

#include <dlfcn.h>
#include <link.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    bool haveX = display && *display;
    if (haveX && display[0] == ':')
        haveX = QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(QByteArray(display + 1).split('.').front()));
    setenv("QT_QPA_PLATFORM", haveX ? "xcb" : "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    // Mesa's driver is unloaded at exit while the leak checker still runs, and the blocks its
    // globals held then look lost: keep it loaded to the end.
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
    return result;
}
