// The command queues at the application's end, in a child process of this program: the end
// of its application is what is tested.

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTemporaryFile>
#include <QRegularExpression>

#include "Network/SendCommand.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;

namespace {

const char* const kChildVariable = "ZAVO_EXIT_CHILD";

// Runs this test in a child; its output with the threads it left once its application went.
// Started with posix_spawn rather than QProcess: ThreadSanitizer takes the child that Qt clones
// in the parent's memory for a fork of the parent, which then dies at its next thread.
std::string RunChild(const char* test, int* status)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, "1");
    env.insert("ZAVO_TEST_EXIT", "report");
    QTemporaryFile output;
    if (!output.open())
        return "cannot create the child's output file";
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const std::string filter = std::string("--gtest_filter=") + test;
    std::vector<std::string> variables;
    for (const QString& v : env.toStringList())
        variables.push_back(v.toStdString());
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(filter.c_str()), nullptr};
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, output.handle(), 1);
    posix_spawn_file_actions_adddup2(&files, output.handle(), 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return "cannot start the child";
    // A bound only for a child that hangs.
    *status = -1;
    for (int waited = 0; waitpid(pid, status, WNOHANG) == 0; waited += 10) {
        if (waited >= 120000) {
            kill(pid, SIGKILL);
            waitpid(pid, status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    output.seek(0);
    return output.readAll().toStdString();
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
