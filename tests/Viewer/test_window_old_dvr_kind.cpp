// The stream kind of an old-protocol DVR, as the window's connection keeps it across reconnects.

#include "window_test_util.h"

using namespace windowtest;
using simdvr::Request;
using simdvr::Transport;

TEST(WindowOldDvrKind, AnOldDvrOfAnUnknownModelReconnectsWithTheSubStreamModesItStartedWith)
{
    for (const uint32_t model : {3u, 30u}) {  // model bytes the program does not know; the frames are H.264
        SCOPED_TRACE(model);
        WindowRig rig;
        simdvr::CSimDvr& sim = rig.addDvr("Yard", true, 4);  // known as H.264: 16 screens ask its sub stream
        simdvr::Config cfg = sim.config();
        cfg.model = model;
        sim.setConfig(cfg);
        Viewer& w = rig.open();
        ASSERT_TRUE(rig.connect());
        CConnectDVR* c = w.connections()[0];
        const auto audioStreams = [&] {
            int n = 0;
            for (const simdvr::StreamInfo& s : sim.streams())
                n += s.audioOnly;
            return n;
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return audioStreams() == 1; }, 10000));
        sim.setRefusing(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending(); }, 10000));
        sim.setRefusing(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return c->IsConnected() && audioStreams() == 2; }, 10000));
        QList<int> videoModes, audioModes;
        for (const Request& r : sim.requests())
            if (r.transport == Transport::Stream)
                (r.hasParam("CID") ? audioModes : videoModes) << r.mode;
        EXPECT_EQ(videoModes, QList<int>({9, 9}));
        EXPECT_EQ(audioModes, QList<int>({10, 10}));
    }
}
