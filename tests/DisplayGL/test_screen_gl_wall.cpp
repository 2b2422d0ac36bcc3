// Walls of decoded camera pictures, drawn through OpenGL and by widget cells: every live cell
// shows its moving picture, the failed and the lost cell their pictures. With
// ZAVO_SCREENSHOT_DIR set the walls are also saved there, both as the view drew them and as
// the X server shows them (scripts/screenshots-wall).
#include <gtest/gtest.h>

#include <QDir>
#include <QScreen>

#include <cmath>
#include <memory>
#include <vector>

#include "Common/DecodeVideo.h"
#include "Display/CellPainter.h"
#include "screen_gl_util.h"
#include "support/TestMedia.h"

using namespace screentest;
using namespace screengl;
using testmedia::Clip;
using testmedia::Codec;

namespace {

// Camera pictures of the test clips, one decoder slot per cell.
class Cameras {
public:
    Cameras(int cells, const std::vector<Clip>& clips) : m_clips(clips), m_next(cells, 0)
    {
        m_decoder.Init(cells);
        m_decoder.changeOpenglOption(true);
        // Cells start at different points of their clip, so neighbours differ.
        for (int i = 0; i < cells; ++i) {
            const int start = (i * 7) % 29;
            for (int f = 0; f <= start; ++f)
                Next(i);
        }
    }

    // The cell's next picture.
    QImage Next(int cell)
    {
        const Clip& clip = m_clips[size_t(cell) % m_clips.size()];
        const size_t i = m_next[size_t(cell)]++ % clip.units.size();
        const testmedia::AccessUnit& unit = clip.units[i];
        const ProtocolType type = clip.codec == Codec::H264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4;
        m_decoder.DecodeFrame(type, cell, unit.data.data(), unit.data.size(), FrameSize{clip.width, clip.height},
                              unit.key ? FRAME_KEY : FRAME_DELTA);
        return m_decoder.GetDecodedImage(cell);
    }

    size_t Bytes(int cell) const
    {
        const Clip& clip = m_clips[size_t(cell) % m_clips.size()];
        return clip.units[(m_next[size_t(cell)] + clip.units.size() - 1) % clip.units.size()].data.size();
    }

private:
    std::vector<Clip> m_clips;
    std::vector<size_t> m_next;
    CDecodeVideo m_decoder;
};

// Spread of the grey levels inside a cell: a camera picture has detail, a flat fill has none.
double Detail(const QImage& shot, const QRect& cell)
{
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = cell.top() + 20; y < cell.bottom() - 20; y += 2) {
        for (int x = cell.left() + 4; x < cell.right() - 4; x += 2) {
            const double g = qGray(shot.pixel(x, y));
            sum += g;
            sum2 += g * g;
            ++n;
        }
    }
    if (n == 0)
        return 0;
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, sum2 / n - mean * mean));
}

void Save(const QImage& image, const QString& name)
{
    const QByteArray dir = qgetenv("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}

// What the X server shows of a widget.
QImage OnScreen(QWidget& w)
{
    const QPoint at = w.mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), w.width(), w.height()).toImage();
}

struct WallCase {
    int cells;
    QSize size;
    int failed;
    int lost;
};

void ShowWall(OpenGLMode mode, const WallCase& c, const std::vector<Clip>& clips, const QString& name)
{
    Wall wall(mode, c.cells, c.size);
    Cameras cameras(c.cells, clips);
    wall.screen->setDisplaySettings(true, 1, 1);
    wall.screen->setSelected(0);

    auto feed = [&] {
        for (int i = 0; i < c.cells; ++i) {
            CDisplayInfo info;
            info.channel = i % 16;
            info.screen = i;
            info.title = QStringLiteral("DVR-%1").arg(i / 16 + 1);
            info.channelName = QStringLiteral("Camera %1").arg(i % 16 + 1);
            info.image = cameras.Next(i);
            info.frameBytes = uint32_t(cameras.Bytes(i));
            info.record = i % 4 == 1;
            info.motion = i % 5 == 2;
            info.sensor = i % 7 == 3;
            if (i == c.failed) {
                // Without a camera name, which a small cell would write over the picture.
                info.failed = true;
                info.title = QStringLiteral("Connection failed");
                info.channelName.clear();
            }
            info.videoLoss = i == c.lost;
            wall.screen->setInfo(i, info);
        }
    };

    feed();
    const QImage first = wall.Shot();
    Save(first, name + QStringLiteral(".png"));
    for (int step = 0; step < 5; ++step)
        feed();
    const QImage later = wall.Shot();
    Save(later, name + QStringLiteral("-later.png"));
    Save(OnScreen(wall.owner), name + QStringLiteral("-on-screen.png"));

    const CCellPictures& pictures = CCellPictures::get();
    for (int i = 0; i < c.cells; ++i) {
        const QRect& cell = wall.rects[i];
        if (i == c.failed || i == c.lost) {
            const QPixmap& picture = i == c.failed ? pictures.connectionFailed : pictures.videoLoss;
            const int x = (cell.left() + cell.right()) / 2 - picture.width() / 2;
            const int y = (cell.top() + cell.bottom()) / 2 - picture.height() / 2;
            EXPECT_LT(Mismatches(later, x, y, Composed(picture, Qt::black), 24),
                      picture.width() * picture.height() / 50)
                << name.toStdString() << " cell " << i;
            continue;
        }
        EXPECT_GT(Detail(later, cell), 20.0) << name.toStdString() << " cell " << i;
        // The pictures move.
        EXPECT_GT(Differences(first, later, cell.adjusted(2, 20, -2, -20), 30), cell.width() * cell.height() / 50)
            << name.toStdString() << " cell " << i;
    }
}

std::vector<Clip> Clips(const char* size)
{
    return {testmedia::LoadClip(Codec::H264, size), testmedia::LoadClip(Codec::Mpeg4, size)};
}

}  // namespace

TEST(ScreenWall, SixteenCameras)
{
    REQUIRE_X();
    const std::vector<Clip> clips = Clips("d1");
    ASSERT_FALSE(clips[0].units.empty());
    ShowWall(OPENGL_MODE_ON, WallCase{16, QSize(1024, 768), 5, 10}, clips, QStringLiteral("wall-4x4"));
    ShowWall(OPENGL_MODE_OFF, WallCase{16, QSize(1024, 768), 5, 10}, clips, QStringLiteral("wall-4x4-widgets"));
}

TEST(ScreenWall, SixtyFourCamerasOnTheSmallestDisplay)
{
    REQUIRE_X();
    const std::vector<Clip> clips = Clips("cif");
    ASSERT_FALSE(clips[0].units.empty());
    ShowWall(OPENGL_MODE_ON, WallCase{64, QSize(730, 550), 20, 45}, clips, QStringLiteral("wall-8x8"));
    ShowWall(OPENGL_MODE_POWER_OF_2, WallCase{64, QSize(1024, 768), 20, 45}, clips,
             QStringLiteral("wall-8x8-large"));
}
