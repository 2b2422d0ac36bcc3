// The command queues at the application's end, in a child process of this program: the end
// of its application is what is tested.

#include <thread>

#include <gtest/gtest.h>

#include "Network/SendCommand.h"
#include "StreamProbe.h"
#include "support/ChildRun.h"
#include "support/ExitLimits.h"

using namespace nettest;
using simdvr::CSimDvr;

// A DVR drops the connection of a command while the application is already ending: Qt's
// network thread rewinds the request to send it again and waits for this thread. The end of
// the application must not wait on that thread, nor leave it running.
TEST(CommandQueueExit, NoNetworkThreadOutlivesTheApplicationWhenADvrDropsACommandAtTheEnd)
{
    if (childrun::InChild()) {
        CSimDvr sim;
        ASSERT_TRUE(sim.start());
        simdvr::Misbehaviour drop;
        drop.holdRequests = -1;
        drop.holdMs = 100;
        drop.replyDrop = true;
        sim.setMisbehaviour(drop);
        auto* sender = new CSendCommand;
        sender->send(MakeDvr(sim, false), QString::fromLatin1(CgiQuery(cgi::MODE_PTZF, cgi::Ptzf())));
        ASSERT_TRUE(sim.waitUntil([&] { return sim.heldRequests() == 1; }));
        // From here no event loop runs, as after the main window has gone.
        for (int waited = 0; sim.heldRequests() != 0 && waited < 10000; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(sim.heldRequests(), 0);
        // The network thread's turn to see the closed connection; the end below must hold
        // whether or not it has come yet.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        delete sender;
        return;
    }
    int status = 0;
    const std::string output = childrun::Run("CommandQueueExit.*", "report", &status);
    EXPECT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    // Judged by what a program that is right takes, far below Qt's five seconds.
    const int endedIn = childrun::ReportedMs(output, "application ended in");
    EXPECT_GE(endedIn, 0) << output;
    EXPECT_LT(endedIn, exitcheck::kApplicationEndMs) << output;
    EXPECT_NE(output.find("threads left after the application: 0"), std::string::npos) << output;
}
