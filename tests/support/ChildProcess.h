#pragma once

// Runs this test program again in a child process, for tests of what happens once per process
// (the application's end, Qt's audio backend coming up).

#include <chrono>
#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTemporaryFile>

namespace childtest {

// Runs a program with the arguments and environment given, in the folder given (the current one
// when empty); returns its output (both streams) and leaves its wait status in status (-1: it did
// not end within boundMs and was killed). Started with posix_spawn rather than QProcess:
// ThreadSanitizer takes the child that Qt clones in the parent's memory for a fork of the
// parent, which then dies at its next thread.
inline std::string RunChildProgram(const std::string& program, const std::vector<std::string>& args,
                                   const QProcessEnvironment& env, int* status, int boundMs = 120000,
                                   const std::string& folder = std::string())
{
    *status = -1;
    QTemporaryFile output;
    if (!output.open())
        return "cannot create the child's output file";
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const QString& v : env.toStringList())
        variables.push_back(v.toStdString());
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, output.handle(), 1);
    posix_spawn_file_actions_adddup2(&files, output.handle(), 2);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&files, folder.c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return "cannot start the child";
    // A bound only for a child that hangs.
    for (int waited = 0; waitpid(pid, status, WNOHANG) == 0; waited += 10) {
        if (waited >= boundMs) {
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

// Runs the tests the gtest filter names in a child of this test program, as RunChildProgram.
inline std::string RunTestChild(const std::string& filter, const QProcessEnvironment& env, int* status,
                                int boundMs = 120000)
{
    return RunChildProgram(QCoreApplication::applicationFilePath().toStdString(), {"--gtest_filter=" + filter}, env,
                           status, boundMs);
}

// True when the child ran to its end with status 0.
inline bool EndedWell(int status) { return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0; }

// How the child ended, for a failure's message.
inline std::string HowItEnded(int status)
{
    if (status == -1)
        return "it did not end in time and was killed";
    if (WIFEXITED(status))
        return "it exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "it was ended by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    return "wait status " + std::to_string(status);
}

}  // namespace childtest
