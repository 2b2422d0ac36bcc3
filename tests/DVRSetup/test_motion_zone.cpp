// The motion zone editor over a live camera of a simulated DVR.

#include <QPushButton>

#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "Display/Screen.h"
#include "Settings/AppSettings.h"
#include "setup_test_util.h"

using namespace setuptest;

TEST(MotionZoneDialog, ShowsTheOneCameraUnderTheGridAndStopsItsStream)
{
    const struct {
        bool old;
        int model;
        int depth;  // H.264 pictures are 24-bit, MPEG-4 ones 32-bit
    } rows[] = {{false, 4, 24}, {true, 8, 32}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.old ? "old protocol" : "current protocol");
        uitest::Sandbox sandbox;
        CAppSettings settings;
        settings.writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
        settings.writeSetting(CAppSettings::CODEC_TYPE, 1);
        simdvr::Config c;
        c.oldProtocol = row.old;
        c.model = uint32_t(row.model);
        c.fps = 10;
        CSimDvr sim(c);
        ASSERT_TRUE(sim.start());
        DVR dvr = Entry(sim, "admin", "1234", row.old);
        dvr.set_bit_ch(1u << 2);

        QByteArray zone(16 * 12, '\0');
        zone[0] = 1;
        {
            CMotionZoneDialog dialog;
            dialog.setMotionZone(12, 16, zone);
            dialog.connect(dvr);
            dialog.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.screen()->getInfo(0).image.isNull(); }, 20000));
            EXPECT_EQ(dialog.screen()->getInfo(0).image.depth(), row.depth);
            const simdvr::StreamInfo stream = sim.stream(1);
            EXPECT_EQ(stream.vchmask, 1u << 2);
            EXPECT_EQ(stream.mode, 0);
            if (!row.old) {
                // The sub stream, as the "CodecType" setting asks.
                EXPECT_EQ(stream.codec, 1);
                EXPECT_EQ(dialog.screen()->getInfo(0).image.size(), QSize(352, 240));
            }

            QTest::mouseClick(dialog.grid(), Qt::LeftButton, {}, QPoint(3 * 22 + 5, 2 * 20 + 5));
            Child<QPushButton>(dialog, "selection")->click();
            uitest::Screenshot(&dialog, row.old ? "motion_zone_old" : "motion_zone");
            const QByteArray edited = dialog.getMotionZone();
            EXPECT_EQ(edited.size(), zone.size());
            EXPECT_EQ(edited[0], 1);
            EXPECT_EQ(edited[2 * 16 + 3], 1);
            EXPECT_EQ(edited.count('\1'), 2);
        }
        // Gone with the dialog: the DVR was told to stop, or saw the stream close.
        EXPECT_TRUE(sim.waitUntil([&] { return sim.stream(1).stopped || !sim.stream(1).open; }));
    }
}

TEST(MotionZoneDialog, ARefusedStreamShowsTheFailedCellAndTheGridStaysEditable)
{
    uitest::Sandbox sandbox;
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    auto sim = StartSim();
    simdvr::Misbehaviour refuse;
    refuse.streamErrorCode = 4;  // client limit
    sim->setMisbehaviour(refuse);
    CMotionZoneDialog dialog;
    dialog.setMotionZone(15, 22, QByteArray(22 * 15, '\0'));
    dialog.connect(Entry(*sim));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.screen()->getInfo(0).failed; }, 20000));
    QTest::mouseClick(dialog.grid(), Qt::LeftButton, {}, QPoint(5, 5));
    Child<QPushButton>(dialog, "selection")->click();
    EXPECT_EQ(dialog.getMotionZone().count('\1'), 1);
}
