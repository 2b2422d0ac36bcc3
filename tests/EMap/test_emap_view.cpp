// The map view in view mode against simulated DVRs: camera states, streams and pop-up video.

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/EMapWidget.h"
#include "Network/HttpConnect.h"
#include "cgi_request.pb.h"
#include "emap_test_util.h"
#include "sim/SimDvr.h"
#include "support/TestMedia.h"

using simdvr::CSimDvr;
using simdvr::Request;

namespace {

using S = EMap_Status;

simdvr::Config Sim(bool old, int channels = 4)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = channels;
    c.model = old ? 12 : 4;  // old: an H.264 model
    c.mainSize = QStringLiteral("cif");
    c.fps = 10;
    c.firstClientId = 7;
    return c;
}

DVR Entry(const CSimDvr& sim, bool old)
{
    DVR dvr = emaptest::Dvr("Plant", "127.0.0.1", sim.port());
    dvr.set_old_protocol(old);
    dvr.set_protocol_type(old ? 2 : 1);
    return dvr;
}

// The stream-channel commands the DVR took in, in order.
std::vector<Request> ChannelCommands(const CSimDvr& sim)
{
    std::vector<Request> out;
    for (const Request& r : sim.requests()) {
        if (r.transport == simdvr::Transport::Post && (r.mode == cgi::MODE_STREAM_CHANNEL || r.param("OP") == "6"))
            out.push_back(r);
    }
    return out;
}

class EMapViewTest : public ::testing::Test {
protected:
    void open(const EMap& map, int noPacketMs = 0)
    {
        delete view;
        log.clear();
        area.resize(760, 600);
        view = new CEMapWidget(&area);
        view->setNoPacketTimeout(noPacketMs);
        QObject::connect(view, &CEMapWidget::updateLog, &log, &QPlainTextEdit::appendPlainText);
        view->setSelectedEMap(map);
        area.show();
        view->show();
    }
    void TearDown() override { delete view; }

    CCameraWidget* icon(int i) const { return view->cameraWidgets().at(i); }
    QList<int> states() const
    {
        QList<int> list;
        for (const CCameraWidget* c : view->cameraWidgets())
            list << c->status();
        return list;
    }
    // The log lines after their time.
    QStringList lines() const
    {
        QStringList out;
        for (const QString& line : log.toPlainText().split('\n', Qt::SkipEmptyParts))
            out << line.section("  ", 2);
        return out;
    }
    void doubleClick(int i) { QTest::mouseDClick(icon(i), Qt::LeftButton, {}, QPoint(4, 4)); }
    bool shows(int i) const
    {
        const CShowVideoDialog* d = icon(i)->videoDialog();
        return d && !d->screen().getInfo(0).image.isNull();
    }
    bool connected() const { return view->connections()[0]->getClientID() == 7; }

    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    QWidget area;
    QPlainTextEdit log;
    CEMapWidget* view = nullptr;
};

}  // namespace

TEST_F(EMapViewTest, CameraStatesColourTheIconsAndFillTheLog)
{
    for (const bool old : {false, true}) {
        simdvr::Config cfg = Sim(old);
        cfg.recordMask = 0x1;
        cfg.motionMask = 0x3;
        cfg.sensorMask = 0x6;
        cfg.vlossMask = 0x8;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        open(emaptest::Map("Plant", "", Entry(sim, old), {0, 1, 2, 3}), 500);
        const QList<int> events = {S::MOTION, S::MOTION_SENSOR, S::SENSOR, S::VIDEO_LOSS};
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == events; }, 10000)) << old;
        const Qt::GlobalColor colours[] = {Qt::green, Qt::magenta, Qt::yellow, Qt::black};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(icon(i)->fillColor() == colours[i] && icon(i)->isRecording() == (i == 0)) << i;
        // One stream; current DVRs send the map's channels as headers only.
        ASSERT_EQ(sim.streams().size(), 1u);
        EXPECT_EQ(sim.streams()[0].vchmask, 0xFu);
        EXPECT_EQ(sim.streams()[0].headerOnlyMask, old ? 0u : 0xFu);

        sim.setLiveStatus(0, 0, 0, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::CONNECTED); }, 10000));
        QStringList seen = lines();
        seen.sort();
        EXPECT_EQ(seen, (QStringList{"Plant  Door  connected", "Plant  Door  motion", "Plant  Door  record off",
                                     "Plant  Door  record on", "Plant  Gate  video loss", "Plant  Hall  connected",
                                     "Plant  Hall  sensor", "Plant  Yard  connected", "Plant  Yard  motion + sensor"}))
            << old;

        // The DVR goes away: every camera turns "disconnected" once its stream gives up.
        sim.stop();
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::DISCONNECTED); }, 10000));
        EXPECT_EQ(lines().filter("disconnected").size(), 4);
    }

    // A DVR that refuses the connection: "disconnected" after the no-packet time-out.
    uint16_t port = 0;
    {
        CSimDvr gone(Sim(false));
        ASSERT_TRUE(gone.start());
        port = gone.port();
    }
    open(emaptest::Map("Gone", "", emaptest::Dvr("Gone", "127.0.0.1", port), {0}), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::DISCONNECTED}; }, 10000));
    EXPECT_EQ(lines(), QStringList{"Gone  Door  disconnected"});
}

TEST_F(EMapViewTest, PopUpCommandsSwitchChannelsBetweenHeadersAndWholeFrames)
{
    // Current protocol: the camera's selection and the map's channels, without the open pop-ups
    // as headers. A second DVR (another port) has a stream of its own.
    {
        CSimDvr sim(Sim(false, 16));
        CSimDvr other(Sim(false, 16));
        ASSERT_TRUE(sim.start() && other.start());
        DVR dvr = Entry(sim, false);
        dvr.set_bit_ch(0x00FF);
        EMap map = emaptest::Map("Plant", "", dvr, {3, 12, 3});
        *map.add_items() = emaptest::Map("", "", Entry(other, false), {1}).items(0);
        open(map);
        EXPECT_EQ(view->connections().size(), 2);
        EXPECT_EQ(icon(3)->getConnectionID(), 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 10000));
        EXPECT_EQ(sim.streams()[0].headerOnlyMask, 0x1008u);

        doubleClick(1);
        doubleClick(1);  // open already: nothing more
        doubleClick(0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && shows(1); }, 10000));
        icon(1)->closeVideoWidget();
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
        const uint32_t headers[] = {0x10FF & ~0x1000, 0x10FF & ~0x1008, 0x10FF & ~0x0008};
        for (size_t i = 0; i < 3; ++i) {
            cgi::StreamChannel m;
            ASSERT_TRUE(ChannelCommands(sim)[i].message(&m));
            EXPECT_TRUE(m.stream_id() == 7 && m.vchmask() == 0x10FF && m.achmask() == 0 && !m.has_auto_stream());
            EXPECT_EQ(m.header_only_mask(), headers[i]) << i;
        }
        EXPECT_TRUE(ChannelCommands(other).empty());
    }
    // Old protocol: the open channels in hexadecimal.
    CSimDvr sim(Sim(true));
    ASSERT_TRUE(sim.start());
    open(emaptest::Map("Plant", "", Entry(sim, true), {0, 2}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 10000));
    doubleClick(0);
    doubleClick(1);
    icon(0)->closeVideoWidget();
    ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
    QList<QByteArray> bodies;
    for (const Request& r : ChannelCommands(sim))
        bodies << r.body;
    EXPECT_EQ(bodies, (QList<QByteArray>{"MODE=5&CID=7&OP=6&CH=1", "MODE=5&CID=7&OP=6&CH=5", "MODE=5&CID=7&OP=6&CH=4"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(1); }, 10000));

    // Closing the view with a pop-up open stops the stream and sends no channel command.
    QPointer<CShowVideoDialog> popup = icon(1)->videoDialog();
    view->close();
    view = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(popup);
    ASSERT_TRUE(sim.waitUntil([&] { return !sim.streams()[0].open || sim.streams()[0].stopped; }));
    EXPECT_EQ(ChannelCommands(sim).size(), 3u);
}

TEST_F(EMapViewTest, APopUpOpenedBeforeTheFirstFrameIsSentWithTheStreamsId)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    simdvr::Misbehaviour stall;
    stall.stall = true;
    sim.setMisbehaviour(stall);
    open(emaptest::Map("Plant", "", Entry(sim, false), {1}));
    ASSERT_TRUE(sim.waitForStreams(1));
    doubleClick(0);
    ASSERT_TRUE(icon(0)->isEnableVideoWidget());
    EXPECT_EQ(view->showVideoMask(0), 0x2u);
    sim.setMisbehaviour(simdvr::Misbehaviour());
    ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 1; }, 10000));
    cgi::StreamChannel m;
    ASSERT_TRUE(ChannelCommands(sim)[0].message(&m));
    EXPECT_EQ(m.stream_id(), 7u);
    EXPECT_EQ(m.header_only_mask(), 0xFFFFu & ~0x2u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0); }, 10000));
}

TEST_F(EMapViewTest, OnlyOpenPopUpsDecodeTheirChannelFromTheNextKeyFrame)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    simdvr::Misbehaviour stall;
    stall.stall = true;
    sim.setMisbehaviour(stall);
    open(emaptest::Map("Plant", "", Entry(sim, false), {1, 2}));
    CHttpConnect* stream = view->connections()[0];
    uint32_t second = 1000;  // titles never go back in time
    struct Kind { bool old; int model; testmedia::Codec codec; };
    for (const Kind kind : {Kind{false, 0, testmedia::Codec::H264}, Kind{true, 12, testmedia::Codec::H264},
                            Kind{true, 8, testmedia::Codec::Mpeg4}}) {
        testmedia::Clip clip = testmedia::LoadClip(kind.codec, "cif");
        if (kind.codec == testmedia::Codec::Mpeg4)
            clip.units = testmedia::WithoutMpeg4Headers(clip.units);
        DISPLAY_DVR_INFO info;
        info.oldProtocol = kind.old;
        // A unit of the clip as the stream hands it over; key units start a new second.
        auto feed = [&](size_t unit, int channel, int cut = 0) {
            const testmedia::AccessUnit& u = clip.units.at(unit);
            simdvr::FrameFields f;
            f.type = u.key ? 0 : 1;
            f.channel = channel;
            f.frameSize = uint32_t(u.data.size());
            f.width = clip.width;
            f.height = clip.height;
            f.timeSec = u.key ? ++second : second;
            f.model = kind.model;
            f.info = simdvr::CUFrameResolutionInfo(clip.width, clip.height);
            QByteArray frame = kind.old ? simdvr::MakeCUFrameHeader(f) : simdvr::MakeCFrameHeader(f);
            frame += QByteArray(reinterpret_cast<const char*>(u.data.data()), qsizetype(u.data.size()));
            emit stream->EMapDataReceived(info, frame.left(frame.size() - cut));
        };
        ASSERT_TRUE(clip.units.at(0).key && !clip.units.at(1).key);
        for (size_t u = 0; u < 5; ++u)
            feed(u, 1);  // closed: not decoded
        doubleClick(0);
        feed(5, 1);
        feed(0, 1, 10);  // cut short
        feed(0, 2);      // another channel
        view->hide();
        feed(0, 1);      // a map not shown
        view->show();
        EXPECT_FALSE(shows(0));
        feed(0, 1);
        ASSERT_TRUE(shows(0)) << kind.model;
        const CDisplayInfo shown = icon(0)->videoDialog()->screen().getInfo(0);
        EXPECT_TRUE(shown.image.size() == QSize(clip.width, clip.height) && shown.channel == 1);
        EXPECT_EQ(icon(0)->videoDialog()->windowTitle(),
                  QDateTime::fromSecsSinceEpoch(second, Qt::UTC).toString("yyyy-MM-dd  hh:mm:ss"));
        icon(0)->closeVideoWidget();
    }
}
