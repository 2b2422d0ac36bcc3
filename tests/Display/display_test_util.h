#pragma once

// Pictures, pixel checks, mouse events and DVR frames shared by the display tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>

#include "Display/DisplayInfo.h"
#include "Display/DisplayVideo.h"
#include "Settings/AppSettings.h"
#include "sim/SimDvr.h"
#include "support/TestMedia.h"

namespace displaytest {

using Frame = std::vector<uint8_t>;

template <typename Done>
bool WaitFor(Done done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

// Virtual time: a sleep is recorded and moves the clock on at once, unless the test holds
// the clock, in which case the sleeping thread waits (interruptibly) until it is let go.
class FakeClock : public CPlaybackClock {
public:
    KTimeVal Now() override { boost::lock_guard<boost::mutex> lock(m_mutex); return KTimeVal(m_ms / 1000, int32_t(m_ms % 1000 * 1000)); }
    void Sleep(int ms) override
    {
        boost::unique_lock<boost::mutex> lock(m_mutex);
        m_sleeps.push_back(ms);
        while (m_held)
            m_cond.wait(lock);
        m_ms += ms;
    }
    void Hold(bool held) { boost::lock_guard<boost::mutex> lock(m_mutex); m_held = held; m_cond.notify_all(); }
    std::vector<int> Sleeps() { boost::lock_guard<boost::mutex> lock(m_mutex); return m_sleeps; }

private:
    boost::mutex m_mutex;
    boost::condition_variable m_cond;
    int64_t m_ms = 5000000;
    bool m_held = false;
    std::vector<int> m_sleeps;
};

// An empty settings store in a scratch folder, so no test touches the real settings.
inline void EmptySettings()
{
    static QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/user");
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.path() + "/system");
    QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).clear();
}

// A left-button event; held: the buttons down during it.
inline void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline QImage Solid(int w, int h, const QColor& color, QImage::Format format = QImage::Format_RGB888)
{
    QImage image(w, h, format);
    image.fill(color);
    return image;
}

// Red top-left, green top-right, blue bottom-left, white bottom-right.
inline QImage Quadrants(int w, int h)
{
    QImage image = Solid(w, h, Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    return image;
}

inline CDisplayInfo Picture(const QImage& image, int channel = 0)
{
    CDisplayInfo info;
    info.image = image;
    info.channel = info.screen = channel;
    info.frameBytes = 1000;
    return info;
}

inline bool Near(QRgb a, QRgb b, int tolerance = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// picture drawn over a background colour, as a cell draws it.
inline QImage Composed(const QPixmap& picture, const QColor& background)
{
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(background);
    QPainter(&out).drawPixmap(0, 0, picture);
    return out;
}

// Pixels of expected that differ from image at offset (x, y) by more than tolerance.
inline int Mismatches(const QImage& image, int x, int y, const QImage& expected, int tolerance = 3)
{
    int bad = 0;
    for (int j = 0; j < expected.height(); ++j)
        for (int i = 0; i < expected.width(); ++i)
            bad += !image.rect().contains(x + i, y + j) || !Near(image.pixel(x + i, y + j), expected.pixel(i, j), tolerance);
    return bad;
}

// Mismatches of a state picture drawn centred on black in cell.
inline int StateMismatches(const QImage& shot, const QRect& cell, const QPixmap& picture, int tolerance = 3)
{
    return Mismatches(shot, (cell.left() + cell.right()) / 2 - picture.width() / 2,
                      (cell.top() + cell.bottom()) / 2 - picture.height() / 2, Composed(picture, Qt::black), tolerance);
}

// A frame around data in the current protocol (type 0 key, 1 delta, 3 audio) or the old one
// (info: the resolution code and the motion, sensor and record bits).
inline Frame FrameOf(const simdvr::FrameFields& f, const Frame& data, bool old = false)
{
    const QByteArray header = old ? simdvr::MakeCUFrameHeader(f) : simdvr::MakeCFrameHeader(f);
    Frame out(header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline Frame CFrameOf(const Frame& data, int type, int channel, int width, int height, uint32_t sec, uint32_t usec = 0)
{
    return FrameOf({type, channel, 0, uint32_t(data.size()), width, height, sec, int32_t(usec), 8, 0, 0, 0}, data);
}

inline Frame CFrameOf(const testmedia::Clip& clip, size_t unit, int channel, uint32_t sec, uint32_t usec = 0)
{
    const testmedia::AccessUnit& u = clip.units[unit];
    return CFrameOf(u.data, u.key ? 0 : 1, channel, clip.width, clip.height, sec, usec);
}

inline Frame CUFrameOf(const Frame& data, bool key, int channel, uint8_t info, uint16_t videoLoss, uint32_t sec, int model = 6)
{
    return FrameOf({key ? 0 : 1, channel, 0, uint32_t(data.size()), 0, 0, sec, 0, model, info, 0, videoLoss}, data, true);
}

}  // namespace displaytest
