// The command queues at the application's end, in a child process of this program: the end
// of its application is what is tested.

#include <chrono>
#include <string>
#include <thread>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QRegularExpression>

#include "Network/SendCommand.h"
#include "StreamProbe.h"
#include "support/ChildProcess.h"

using namespace nettest;
using simdvr::CSimDvr;

namespace {

const char* const kChildVariable = "ZAVO_EXIT_CHILD";

// Runs this test in a child; its output with the threads it left once its application went.
std::string RunChild(const char* test, int* status)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, "1");
    env.insert("ZAVO_TEST_EXIT", "report");
    return childtest::RunTestChild(test, env, status);
}

// How long the child's application took to go; -1 when it did not say.
int EndedInMs(const std::string& output)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("application ended in (\\d+) ms")).match(QString::fromStdString(output));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Qt's network layer waits this long for its thread when its connections are cleared, and
// leaves the thread running after it.
constexpr int kNetworkThreadWaitMs = 5000;

}  // namespace

// A DVR drops the connection of a command while the application is already ending: Qt's
// network thread rewinds the request to send it again and waits for this thread. The end of
// the application must not wait on that thread, nor leave it running.
TEST(CommandQueueExit, NoNetworkThreadOutlivesTheApplicationWhenADvrDropsACommandAtTheEnd)
{
    if (qEnvironmentVariableIsSet(kChildVariable)) {
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
    const std::string output = RunChild("CommandQueueExit.*", &status);
    EXPECT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    const int endedIn = EndedInMs(output);
    EXPECT_GE(endedIn, 0) << output;
    EXPECT_LT(endedIn, kNetworkThreadWaitMs) << output;
    EXPECT_NE(output.find("threads left after the application: 0"), std::string::npos) << output;
}
