#pragma once

// The pages against simulated DVRs that know the operator by an account of its own.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include <vector>

#include "Network/SendCommand.h"
#include "Settings/AppSettings.h"
#include "cgi_request.pb.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

namespace lctest {

using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

inline simdvr::Config Config(bool old, int channels = 16)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = channels;
    c.model = old ? 8 : 4;
    c.user = QStringLiteral("oper");
    c.password = QStringLiteral("pa55");
    return c;
}

inline DVR Entry(const CSimDvr& sim, bool old, const char* name = "Lobby")
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("oper");
    dvr.set_password("pa55");
    dvr.set_chnum(sim.config().channels);
    dvr.set_old_protocol(old);
    dvr.set_protocol_type(old ? 2 : 1);
    return dvr;
}

// The commands the DVR took in, in its order.
inline std::vector<Request> Posts(const CSimDvr& sim)
{
    std::vector<Request> posts;
    for (const Request& r : sim.requests())
        if (r.transport == Transport::Post)
            posts.push_back(r);
    return posts;
}

// Once the page's sender has nothing queued or in flight, every command reached the DVR.
inline std::vector<Request> SentBy(const CSendCommand& sender, const CSimDvr& sim)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return sender.queuedCount() == 0 && !sender.requestTimer().isActive(); }, 10000));
    return Posts(sim);
}

// A current-protocol command's message; the account must be the DVR entry's.
template <class M>
M Decoded(const Request& r, cgi::Mode mode)
{
    EXPECT_FALSE(r.oldProtocol);
    EXPECT_EQ(r.mode, mode);
    EXPECT_EQ(r.user, "oper");
    EXPECT_EQ(r.password, "pa55");
    M m;
    EXPECT_TRUE(r.dataOk && r.message(&m));
    return m;
}

template <class W>
QPushButton* Button(W& page, const char* name)
{
    auto* b = page.template findChild<QPushButton*>(QLatin1String(name));
    EXPECT_TRUE(b) << name;
    return b;
}

}  // namespace lctest
