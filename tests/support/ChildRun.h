#pragma once

// Runs one test of this program in a child process and reads what its end reported.

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace childrun {

// Set in the child's environment: the test body that runs there checks for it.
constexpr const char* kChildVariable = "ZAVO_EXIT_CHILD";

inline bool InChild() { return qEnvironmentVariableIsSet(kChildVariable); }

// Runs the tests the filter names in a child, its exit check in the given mode ("report" or
// "check"); returns its output, its wait status in *status (-1: it hung and was killed).
// Started with posix_spawn rather than QProcess: ThreadSanitizer takes the child that Qt
// clones in the parent's memory for a fork of the parent, which then dies at its next thread.
inline std::string Run(const char* filter, const char* exitMode, int* status)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, "1");
    env.insert("ZAVO_TEST_EXIT", exitMode);
    QTemporaryFile output;
    if (!output.open())
        return "cannot create the child's output file";
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const std::string filterArg = std::string("--gtest_filter=") + filter;
    std::vector<std::string> variables;
    for (const QString& v : env.toStringList())
        variables.push_back(v.toStdString());
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(filterArg.c_str()), nullptr};
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
            *status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    output.seek(0);
    return output.readAll().toStdString();
}

// The milliseconds a report line of the exit check gives ("application ended in", "window
// closed to the end in"); -1 when the output has none.
inline int ReportedMs(const std::string& output, const char* what)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QRegularExpression::escape(QString::fromLatin1(what)) + QStringLiteral(" (\\d+) ms"))
            .match(QString::fromStdString(output));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace childrun
