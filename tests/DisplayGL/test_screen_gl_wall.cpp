// Walls of decoded pictures, through OpenGL and by widget cells: live cells move, the failed and
// lost cells show their pictures. Saved to ZAVO_SCREENSHOT_DIR when set (scripts/screenshots).
#include <QDir>
#include <QScreen>

#include "Common/DecodeVideo.h"
#include "Display/CellPainter.h"
#include "screen_gl_util.h"

using namespace displaytest;
using namespace screengl;
using testmedia::Clip;
using testmedia::Codec;

namespace {

// Decoded cameras (a decoder slot per cell, H.264 and MPEG-4 in turn) on a wall of the given
// size, with one failed and one lost cell.
void ShowWall(OpenGLMode mode, int cells, QSize size, int failed, int lost, const char* clipSize, const QString& name)
{
    const Clip clips[] = {testmedia::LoadClip(Codec::H264, clipSize), testmedia::LoadClip(Codec::Mpeg4, clipSize)};
    Wall wall(mode, cells, size);
    wall.screen->setDisplaySettings(true, 1, 1);
    wall.screen->setSelected(0);
    CDecodeVideo decoder;
    decoder.Init(cells);
    decoder.changeOpenglOption(true);
    std::vector<size_t> next(static_cast<size_t>(cells), 0);
    // Decodes the cell's next picture; returns its frame's size.
    auto decode = [&](int i) {
        const Clip& clip = clips[i % 2];
        const testmedia::AccessUnit& unit = clip.units[next[size_t(i)]++ % clip.units.size()];
        decoder.DecodeFrame(clip.codec == Codec::H264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4, i,
                            unit.data.data(), unit.data.size(), FrameSize{clip.width, clip.height},
                            unit.key ? FRAME_KEY : FRAME_DELTA);
        return uint32_t(unit.data.size());
    };
    for (int i = 0; i < cells; ++i)  // neighbours start at different points of their clip
        for (int f = 0; f <= i * 7 % 29; ++f)
            decode(i);

    auto feed = [&] {
        for (int i = 0; i < cells; ++i) {
            const uint32_t bytes = decode(i);
            CDisplayInfo info = Picture(decoder.GetDecodedImage(i), i % 16);
            info.screen = i;
            info.title = QStringLiteral("DVR-%1").arg(i / 16 + 1);
            info.channelName = QStringLiteral("Camera %1").arg(i % 16 + 1);
            info.frameBytes = bytes;
            info.record = i % 4 == 1;
            info.motion = i % 5 == 2;
            info.sensor = i % 7 == 3;
            if (i == failed) {
                // Without a camera name, which a small cell would write over the picture.
                info.failed = true;
                info.title = QStringLiteral("Connection failed");
                info.channelName.clear();
            }
            info.videoLoss = i == lost;
            wall.screen->setInfo(i, info);
        }
    };

    feed();
    const QImage first = wall.Shot();
    for (int step = 0; step < 5; ++step)
        feed();
    const QImage later = wall.Shot();
    const QPoint at = wall.owner.mapToGlobal(QPoint(0, 0));
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (!dir.isEmpty() && QDir().mkpath(dir)) {
        first.save(QDir(dir).filePath(name + ".png"));
        later.save(QDir(dir).filePath(name + "-later.png"));
        QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), size.width(), size.height())
            .save(QDir(dir).filePath(name + "-on-screen.png"));
    }

    const CCellPictures& pictures = CCellPictures::get();
    for (int i = 0; i < cells; ++i) {
        const QRect& cell = wall.rects[i];
        if (i == failed || i == lost) {
            const QPixmap& picture = i == failed ? pictures.connectionFailed : pictures.videoLoss;
            EXPECT_LT(StateMismatches(later, cell, picture, 24), picture.width() * picture.height() / 50) << name.toStdString() << i;
            continue;
        }
        // A moving picture.
        const QRect inner = cell.adjusted(2, 20, -2, -20);
        EXPECT_GT(Mismatches(first, inner.x(), inner.y(), later.copy(inner), 30), cell.width() * cell.height() / 50)
            << name.toStdString() << i;
    }
}

}  // namespace

// Sixteen cameras, and sixty-four on the smallest display and a larger one.
TEST(ScreenWall, SixteenAndSixtyFourCameras)
{
    REQUIRE_X();
    ShowWall(OPENGL_MODE_ON, 16, QSize(1024, 768), 5, 10, "d1", QStringLiteral("wall-4x4"));
    ShowWall(OPENGL_MODE_OFF, 16, QSize(1024, 768), 5, 10, "d1", QStringLiteral("wall-4x4-widgets"));
    ShowWall(OPENGL_MODE_ON, 64, QSize(730, 550), 20, 45, "cif", QStringLiteral("wall-8x8"));
    ShowWall(OPENGL_MODE_POWER_OF_2, 64, QSize(1024, 768), 20, 45, "cif", QStringLiteral("wall-8x8-large"));
}
