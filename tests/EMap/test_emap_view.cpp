// The map view in view mode against simulated DVRs: camera states, streams and pop-up video.

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/EMapWidget.h"
#include "Network/HttpConnect.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "cgi_request.pb.h"
#include "emap_test_util.h"
#include "sim/SimDvr.h"
#include "support/TestMedia.h"

using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

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
    return c;
}

DVR Entry(const CSimDvr& sim, bool old, const char* name = "Plant")
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_chnum(sim.config().channels);
    dvr.set_old_protocol(old);
    dvr.set_protocol_type(old ? 2 : 1);
    for (const char* title : {"Door", "Yard", "Hall", "Gate"})
        dvr.add_chname(title);
    return dvr;
}

EMap MapOf(const DVR& dvr, std::initializer_list<int> channels)
{
    EMap map;
    map.set_name("Plant");
    int x = 20;
    for (const int ch : channels) {
        EMapItems* item = map.add_items();
        *item->mutable_dvr() = dvr;
        item->set_channel(ch);
        item->set_pos_x(x);
        item->set_pos_y(40);
        x += 90;
    }
    return map;
}

// The stream-channel commands the DVR took in, as sent.
std::vector<Request> ChannelCommands(const CSimDvr& sim)
{
    std::vector<Request> out;
    for (const Request& r : sim.requests()) {
        const bool oldChannels = r.oldProtocol && r.param("OP") == "6";
        if (r.transport == Transport::Post && (r.mode == cgi::MODE_STREAM_CHANNEL || oldChannels))
            out.push_back(r);
    }
    return out;
}

cgi::StreamChannel Decoded(const Request& r)
{
    cgi::StreamChannel m;
    EXPECT_TRUE(r.dataOk && r.message(&m));
    EXPECT_EQ(r.user, "admin");
    return m;
}

// A map view in view mode on a shown area, with its log as the main window keeps it.
class EMapViewTest : public ::testing::Test {
protected:
    void open(const EMap& map, int noPacketMs = 0)
    {
        area.resize(760, 600);
        view = new CEMapWidget(&area);
        view->setEditable(false);
        if (noPacketMs)
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
    // The log lines without their time.
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
        log.clear();
        open(MapOf(Entry(sim, old), {0, 1, 2, 3}), 500);
        ASSERT_EQ(view->connections().size(), 1);
        const QList<int> events = {S::MOTION, S::MOTION_SENSOR, S::SENSOR, S::VIDEO_LOSS};
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == events; }, 10000)) << old;
        const Qt::GlobalColor colours[] = {Qt::green, Qt::magenta, Qt::yellow, Qt::black};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(icon(i)->fillColor(), colours[i]) << i;
            EXPECT_EQ(icon(i)->isRecording(), i == 0) << i;
        }
        // Current DVRs send the map's channels as headers only.
        const simdvr::StreamInfo stream = sim.streams().at(0);
        EXPECT_EQ(stream.vchmask, 0xFu);
        EXPECT_EQ(stream.headerOnlyMask, old ? 0u : 0xFu);
        EXPECT_EQ(stream.achmask, 0u);

        sim.setLiveStatus(0, 0, 0, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::CONNECTED); }, 10000));
        EXPECT_EQ(icon(0)->fillColor(), Qt::blue);
        QStringList expected = {"Plant  Door  connected", "Plant  Door  record on", "Plant  Door  motion",
                                "Plant  Yard  connected", "Plant  Yard  motion + sensor",
                                "Plant  Hall  connected", "Plant  Hall  sensor", "Plant  Gate  video loss",
                                "Plant  Door  record off"};
        QStringList seen = lines();
        for (const QString& line : expected)
            EXPECT_EQ(seen.count(line), 1) << line.toStdString() << old;
        EXPECT_EQ(seen.filter("connected").size(), 3);

        // The DVR goes away: every camera turns "disconnected" once the stream gives up.
        sim.stop();
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::DISCONNECTED); }, 10000));
        EXPECT_EQ(icon(2)->fillColor(), Qt::transparent);
        EXPECT_EQ(lines().filter("disconnected").size(), 4);
        delete view;
        view = nullptr;
    }
}

TEST_F(EMapViewTest, ADvrThatRefusesConnectionsTurnsDisconnectedAfterTheNoPacketTimeOut)
{
    uint16_t port = 0;
    {
        CSimDvr gone(Sim(false));
        ASSERT_TRUE(gone.start());
        port = gone.port();
    }
    DVR dvr;
    dvr.set_name("Gone");
    dvr.set_address("127.0.0.1");
    dvr.set_port(port);
    dvr.add_chname("Door");
    open(MapOf(dvr, {0}), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::DISCONNECTED}; }, 10000));
    EXPECT_EQ(lines(), QStringList{"Gone  Door  disconnected"});
}

TEST_F(EMapViewTest, OneStreamPerAddressAndPortWithTheMapsChannels)
{
    CSimDvr first(Sim(false, 16));
    CSimDvr second(Sim(false, 16));
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
    EMap map = MapOf(Entry(first, false), {3, 5, 3});
    EMapItems* other = map.add_items();
    *other->mutable_dvr() = Entry(second, false);
    other->set_channel(1);
    open(map);
    EXPECT_EQ(view->connections().size(), 2);
    ASSERT_TRUE(first.waitForStreams(1));
    ASSERT_TRUE(second.waitForStreams(1));
    EXPECT_EQ(first.streams().at(0).headerOnlyMask, 0x28u);
    EXPECT_EQ(second.streams().at(0).headerOnlyMask, 0x2u);
    QList<int> ids;
    for (const CCameraWidget* c : view->cameraWidgets())
        ids << c->getConnectionID();
    EXPECT_EQ(ids, (QList<int>{0, 0, 0, 1}));
}

TEST_F(EMapViewTest, PopUpsSwitchTheirChannelBetweenHeadersAndWholeFrames)
{
    // Current protocol: the camera's own selection plus the map's channels, without the open
    // pop-ups as headers.
    {
        simdvr::Config cfg = Sim(false, 16);
        cfg.firstClientId = 7;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        DVR dvr = Entry(sim, false);
        dvr.set_bit_ch(0x00FF);
        open(MapOf(dvr, {3, 12}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() == 7; }, 10000));

        doubleClick(1);
        doubleClick(1);  // open already: nothing more
        doubleClick(0);
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 2; }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && shows(1); }, 10000));
        icon(1)->closeVideoWidget();
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
        const uint32_t headers[] = {0x10FF & ~0x1000, 0x10FF & ~0x1008, 0x10FF & ~0x0008};
        const std::vector<Request> sent = ChannelCommands(sim);
        for (size_t i = 0; i < 3; ++i) {
            const cgi::StreamChannel m = Decoded(sent[i]);
            EXPECT_EQ(m.stream_id(), 7u);
            EXPECT_EQ(m.vchmask(), 0x10FFu);
            EXPECT_EQ(m.achmask(), 0u);
            EXPECT_EQ(m.header_only_mask(), headers[i]) << i;
            EXPECT_FALSE(m.has_auto_stream());
        }
        EXPECT_EQ(view->showVideoMask(0), 0x8u);
        // The title is the time of a key frame of the channel.
        EXPECT_TRUE(QDateTime::fromString(icon(0)->videoDialog()->windowTitle(), "yyyy-MM-dd  hh:mm:ss").isValid());
        EXPECT_EQ(icon(0)->videoDialog()->screen().getInfo(0).title, "Plant");
        EXPECT_EQ(icon(0)->videoDialog()->screen().getInfo(0).channelName, "Gate");
        delete view;
        view = nullptr;
    }
    // Old protocol: the open channels in hexadecimal.
    {
        simdvr::Config cfg = Sim(true, 4);
        cfg.firstClientId = 7;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        open(MapOf(Entry(sim, true), {0, 2}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() == 7; }, 10000));
        doubleClick(0);
        doubleClick(1);
        icon(0)->closeVideoWidget();
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
        QList<QByteArray> bodies;
        for (const Request& r : ChannelCommands(sim))
            bodies << r.body;
        EXPECT_EQ(bodies, (QList<QByteArray>{"MODE=5&CID=7&OP=6&CH=1", "MODE=5&CID=7&OP=6&CH=5",
                                             "MODE=5&CID=7&OP=6&CH=4"}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows(1); }, 10000));
    }
}

TEST_F(EMapViewTest, APopUpOpenedBeforeTheFirstFrameIsSentWithTheStreamsId)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    simdvr::Misbehaviour stall;
    stall.stall = true;
    sim.setMisbehaviour(stall);
    open(MapOf(Entry(sim, false), {1}));
    ASSERT_TRUE(sim.waitForStreams(1));
    doubleClick(0);
    ASSERT_TRUE(icon(0)->isEnableVideoWidget());
    QTest::qWait(0);
    EXPECT_TRUE(ChannelCommands(sim).empty());
    EXPECT_EQ(view->connections()[0]->getClientID(), -1);

    sim.setMisbehaviour(simdvr::Misbehaviour());
    ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 1; }, 10000));
    const cgi::StreamChannel m = Decoded(ChannelCommands(sim).front());
    EXPECT_EQ(int(m.stream_id()), view->connections()[0]->getClientID());
    EXPECT_EQ(m.header_only_mask(), 0xFFFFu & ~0x2u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0); }, 10000));
}

TEST_F(EMapViewTest, ClosingAViewWithPopUpsOpenStopsItsStreamsAndSendsNoChannelCommand)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    open(MapOf(Entry(sim, false), {0, 1, 2}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() >= 0; }, 10000));
    doubleClick(0);
    doubleClick(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && shows(2); }, 10000));
    const size_t commands = ChannelCommands(sim).size();
    QPointer<CShowVideoDialog> popup = icon(0)->videoDialog();

    view->close();  // deletes itself
    view = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(popup);
    ASSERT_TRUE(sim.waitUntil([&] { return !sim.streams().at(0).open || sim.streams().at(0).stopped; }));
    EXPECT_EQ(ChannelCommands(sim).size(), commands);
}

TEST_F(EMapViewTest, OnlyOpenPopUpsDecodeTheirChannelFromTheNextKeyFrame)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    simdvr::Misbehaviour stall;
    stall.stall = true;
    sim.setMisbehaviour(stall);
    open(MapOf(Entry(sim, false), {1, 2}));
    CHttpConnect* stream = view->connections()[0];

    struct Kind { bool old; int model; testmedia::Codec codec; };
    // A title is never set back to an older time: the seconds keep running across the kinds.
    uint32_t second = 1000;
    for (const Kind kind : {Kind{false, 0, testmedia::Codec::H264}, Kind{true, 12, testmedia::Codec::H264},
                            Kind{true, 8, testmedia::Codec::Mpeg4}}) {
        testmedia::Clip clip = testmedia::LoadClip(kind.codec, "cif");
        if (kind.codec == testmedia::Codec::Mpeg4)
            clip.units = testmedia::WithoutMpeg4Headers(clip.units);
        DISPLAY_DVR_INFO info;
        info.oldProtocol = kind.old;
        // One unit of the clip as the stream hands it over: key units start a new second.
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

        // Closed: channel 1 is not decoded, so opening it waits for a key frame.
        for (size_t u = 0; u < 5; ++u)
            feed(u, 1);
        doubleClick(0);
        ASSERT_TRUE(icon(0)->isEnableVideoWidget());
        feed(5, 1);
        EXPECT_FALSE(shows(0));
        feed(0, 1, 10);  // cut short: dropped
        EXPECT_FALSE(shows(0));
        feed(0, 2);      // another channel
        feed(1, 2);
        EXPECT_FALSE(shows(0));
        feed(0, 1);
        ASSERT_TRUE(shows(0)) << kind.model;
        const CDisplayInfo shown = icon(0)->videoDialog()->screen().getInfo(0);
        EXPECT_EQ(shown.image.size(), QSize(clip.width, clip.height));
        EXPECT_EQ(shown.channel, 1);
        EXPECT_EQ(shown.channelName, "Yard");
        EXPECT_EQ(icon(0)->videoDialog()->windowTitle(),
                  QDateTime::fromSecsSinceEpoch(second, Qt::UTC).toString("yyyy-MM-dd  hh:mm:ss"));
        EXPECT_FALSE(icon(1)->isEnableVideoWidget());

        // A hidden map decodes nothing.
        view->hide();
        feed(1, 1);
        view->show();
        icon(0)->closeVideoWidget();
    }
}
