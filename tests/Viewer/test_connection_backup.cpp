// A DVR connection's backup against the simulated DVR, into real files: what the files hold
// and when the backup stream is opened at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include <QFile>
#include <QSignalSpy>

#include "ConnectDVR.h"
#include "Network/StreamProbe.h"
#include "Playback/LocalFiles.h"
#include "Playback/PlaybackFile.h"
#include "SysData/RecordFiles.h"
#include "SysData/record_test_util.h"

using rectest::Files;
using rectest::Rig;

namespace {

constexpr int64_t T0 = 1000000000;  // the DVR's clock, a whole minute later than T0 - 40

simdvr::Config Dvr(bool old, bool audioPresentClock = false)
{
    simdvr::Config c = nettest::SmallDvr(old);
    c.model = old ? 14 : 4;  // old: an H.264 model byte
    c.fps = 10;
    c.oldAudioPresentClock = audioPresentClock;
    return c;
}

// A connection that was never live: it knows nothing of the DVR but its list entry.
struct Backup {
    explicit Backup(bool old, int fileFormat = 0, bool audioPresentClock = false)
        : rig(fileFormat), sim(Dvr(old, audioPresentClock))
    {
        EXPECT_TRUE(sim.start());
        DVR dvr = nettest::MakeDvr(sim, old);
        dvr.set_name("Shop");
        connection.setDVR(dvr);
    }
    ~Backup() { connection.disconnect(); }
    // Backs up channels 0 and 1 for `seconds`; true once the operator is told it is complete.
    bool run(int seconds, int64_t start = T0)
    {
        CConnectDVR::PbBackupParam p;
        p.mode = 2;
        p.startTime = start;
        p.endTime = start + seconds;
        p.channelMask = 0x3;
        QSignalSpy ended(&connection, &CConnectDVR::backupEnded);
        connection.startPlayback(p);
        const bool done = QTest::qWaitFor([&] { return !ended.isEmpty(); }, 20000) && ended.first().first().toBool();
        connection.recordStop();
        return done;
    }
    QString folder() const { return rig.backup() + "/Shop"; }

    Rig rig;
    simdvr::CSimDvr sim;
    CConnectDVR connection;
};

recfile::QvfFileHeader FirstQvfHeader(const QString& folder)
{
    recfile::QvfFileHeader h{};
    const QStringList qvf = Files(folder, "*.qvf");
    QFile f(folder + "/" + qvf.value(0));
    EXPECT_FALSE(qvf.isEmpty());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(reinterpret_cast<char*>(&h), sizeof h), qint64(sizeof h));
    return h;
}

}  // namespace

TEST(ConnectionBackup, FilesOfAConnectionNeverLiveNameTheDvrsCamerasAndModel)
{
    Backup b(false);
    ASSERT_TRUE(b.run(2));
    const recfile::QvfFileHeader h = FirstQvfHeader(b.folder());
    EXPECT_EQ(h.channels, 4);
    EXPECT_EQ(h.model, 4);
    EXPECT_STREQ(h.titles[0], "Door");
    EXPECT_STREQ(h.titles[1], "Yard");
}

TEST(ConnectionBackup, ABackupThatCannotBeWrittenOpensNoStream)
{
    Backup b(false);
    CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], "/dev/null/backup");
    QSignalSpy failed(&b.connection, &CConnectDVR::recordFailed);
    CConnectDVR::PbBackupParam p;
    p.mode = 2;
    p.startTime = T0;
    p.endTime = T0 + 2;
    p.channelMask = 0x3;
    b.connection.startPlayback(p);
    EXPECT_EQ(failed.count(), 1);
    QTest::qWait(500);
    EXPECT_TRUE(b.sim.streams().empty());
}

TEST(ConnectionBackup, AnOldDvrsBackupPlayedBackLocallyHasItsAudioAndCameraNames)
{
    Backup b(true);
    ASSERT_TRUE(b.run(3));
    CPlaybackFile player;
    player.setFolder(b.folder());
    std::mutex lock;
    int audio = 0;
    QStringList names;
    QObject context;
    QObject::connect(&player, &CPlaybackFile::PlayAudio, &context, [&](const DISPLAY_DVR_INFO&, const unsigned char*, size_t) {
        std::lock_guard<std::mutex> guard(lock);
        ++audio;
    }, Qt::DirectConnection);
    QObject::connect(&player, &CPlaybackFile::DisplayVideo, &context, [&](const DISPLAY_DVR_INFO& info, const unsigned char*, size_t) {
        std::lock_guard<std::mutex> guard(lock);
        names = {info.channelNames[0], info.channelNames[1]};
    }, Qt::DirectConnection);
    player.play(T0, 0x3);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        std::lock_guard<std::mutex> guard(lock);
        return audio > 0 && !names.isEmpty();
    }, 10000));
    player.stopPlay();
    std::lock_guard<std::mutex> guard(lock);
    EXPECT_EQ(names, QStringList({"Door", "Yard"}));
}

// The DVR stamps the backup's audio stream with its present clock, the video with the
// recording's times: the files follow the video.
TEST(ConnectionBackup, AnOldDvrsAudioOnItsPresentClockGoesIntoOnePairPerMinuteOfVideo)
{
    Backup b(true, 0, true);
    ASSERT_TRUE(b.run(4, T0 + 18));  // across a minute
    const QStringList bases = RawFileBases(b.folder());
    EXPECT_EQ(bases, QStringList({"20010909_014658", "20010909_014700"}));
    for (const QString& base : bases) {
        CRawFile f;
        ASSERT_TRUE(f.open(b.folder(), base)) << f.error().toStdString();
        EXPECT_TRUE(std::any_of(f.index().begin(), f.index().end(),
                                [](const recfile::QrxIndexRecord& r) { return r.type == FRAME_AUDIO; }))
            << base.toStdString();
    }
}
