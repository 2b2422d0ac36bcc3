#pragma once

// A display widget with widget cells whose sound card records what it is given.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

#include <functional>
#include <memory>

#include "Display/DisplayWidget.h"
#include "Settings/settings_sandbox.h"

namespace displaytest {

inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

struct Played {
    QMutex mutex;
    QByteArray bytes;
};

class RecordingCard : public CAudioDevice {
public:
    explicit RecordingCard(std::shared_ptr<Played> played) : m_played(std::move(played)) {}
    bool open(const QAudioFormat&) override { return true; }
    qint64 bytesFree() override { return 1 << 20; }
    qint64 write(const char* data, qint64 size) override
    {
        QMutexLocker lock(&m_played->mutex);
        m_played->bytes.append(data, size);
        return size;
    }
    bool stopped() override { return false; }

private:
    std::shared_ptr<Played> m_played;
};

class DisplayWidgetTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
        auto p = played;
        w = std::make_unique<CDisplayWidget>(nullptr, [p] { return std::make_unique<RecordingCard>(p); });
        w->show();
    }
    void TearDown() override { w.reset(); }

    void LiveM(int cells)
    {
        w->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
        w->resetDisplay();
        w->UpdateDisplayRect(cells, 0);
    }
    // The cell that shows screen `screen` on the current page.
    const CDisplayInfo& Cell(int screen) const
    {
        return w->screenContainer()->getInfo(screen - w->getViewStartScreen());
    }

    std::shared_ptr<Played> played = std::make_shared<Played>();
    std::unique_ptr<CDisplayWidget> w;
};

}  // namespace displaytest
