#pragma once

// A main window in a sandbox of its own (settings, application folder, operator), with
// simulated DVRs named in its DVR list.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

#include <memory>
#include <vector>

#include "DVRList/ControlDVRList.h"
#include "DVRList/DVRListTree.h"
#include "EMap/ControlEMapList.h"
#include "Display/DisplayWidget.h"
#include "Viewer.h"
#include "ConnectDVR.h"
#include "Network/StreamProbe.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

namespace windowtest {

// A command to a running stream: the old protocol's operation code, or the current mode.
inline bool IsStreamCommand(const simdvr::Request& r, const char* oldOp, cgi::Mode mode)
{
    return r.transport == simdvr::Transport::Post && (r.oldProtocol ? r.param("OP") == oldOp : r.mode == mode);
}

// The channel mask of the last stream-channel command a DVR received for its video stream;
// -1 when none came.
inline long LastVideoMask(const simdvr::CSimDvr& sim)
{
    long mask = -1;
    for (const simdvr::Request& r : sim.requests()) {
        if (r.transport != simdvr::Transport::Post)
            continue;
        if (r.oldProtocol && r.param("OP") == "3" && r.param("CID").toInt() < 100)
            mask = r.param("CH").toLong(nullptr, 16);
        cgi::StreamChannel command;
        if (!r.oldProtocol && r.mode == cgi::MODE_STREAM_CHANNEL && r.message(&command))
            mask = command.vchmask();
    }
    return mask;
}

// The window is built after the test has written the list and the settings it wants.
struct WindowRig {
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    std::vector<std::unique_ptr<simdvr::CSimDvr>> sims;
    GroupList list;
    std::unique_ptr<Viewer> window;

    WindowRig() { CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF); }
    ~WindowRig()
    {
        // As the operator ends the program: the exit check times it from here.
        if (window && window->isVisible())
            window->close();
        window.reset();
        // What the window released with deleteLater() (the alarm sound's output among it).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A simulated DVR in group 0 of the list.
    simdvr::CSimDvr& addDvr(const char* name, bool old, int channels, uint32_t bits = 0xFFFF)
    {
        simdvr::Config c;
        c.oldProtocol = old;
        c.channels = channels;
        c.model = old ? 14 : (channels == 4 ? 6 : channels == 8 ? 5 : 4);
        c.fps = 10;
        sims.push_back(std::make_unique<simdvr::CSimDvr>(c));
        EXPECT_TRUE(sims.back()->start());
        Group* group = list.group_size() ? list.mutable_group(0) : list.add_group();
        group->set_name("Site");
        DVR* dvr = group->add_dvr();
        *dvr = nettest::MakeDvr(*sims.back(), old, bits & ((1u << channels) - 1));
        dvr->set_name(name);
        dvr->set_chnum(channels);
        return *sims.back();
    }
    Viewer& open()
    {
        EXPECT_TRUE(CControlDVRList().Save(list.group_size() ? list : GroupList()));
        window = std::make_unique<Viewer>();
        window->setConnectionTimings(300, 1500);
        window->resize(1021, 720);
        window->show();
        return *window;
    }
    // Connects the whole group (dvrIndex -1) or one DVR, and waits until every listed
    // connection has its first frame.
    bool connect(int dvrIndex = -1, int timeoutMs = 15000)
    {
        window->OnGroupConnect(*window->dvrTree()->topLevelItem(0), 0, dvrIndex);
        return QTest::qWaitFor([&] {
            for (CConnectDVR* c : window->connections())
                if (c && !c->IsConnected())
                    return false;
            return !window->connections().isEmpty();
        }, timeoutMs);
    }
    // Saves a map list of one group, "Floor 1", with one map showing channel 0 of the first
    // listed DVR; the map is named after that DVR.
    EMapGroupList saveFirstCameraMap() const
    {
        EMapGroupList maps;
        EMapList* group = maps.add_emap_list();
        group->set_name("Floor 1");
        EMap* map = group->add_emap();
        map->set_name(list.group(0).dvr(0).name());
        EMapItems* item = map->add_items();
        *item->mutable_dvr() = list.group(0).dvr(0);
        item->set_channel(0);
        EXPECT_TRUE(CControlEMapList().Save(maps));
        return maps;
    }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    // Lets the 100 ms re-layout after a change run.
    static void settle() { QTest::qWait(Viewer::RESTORE_DELAY_MS + 150); }
};

}  // namespace windowtest
