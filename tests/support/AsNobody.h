#pragma once

// File modes do not stop root. A test about them run as root runs itself again in a child
// process as the user "nobody" (through setpriv), on the offscreen platform since nobody may
// not reach the X server; the parent passes when the child's run passes.
//
//     TEST(Suite, Case)
//     {
//         RUN_AS_A_USER_WHOM_MODES_STOP();
//         ... the test itself ...
//     }

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"

namespace asnobody {

constexpr char CHILD_MARK[] = "ZAVO_TEST_AS_NOBODY";

struct ChildRun {
    QString whyNot;  // empty when the child ran
    int exitCode = -1;
    QString output;
};

inline bool MustRunAsNobody() { return geteuid() == 0 && !qEnvironmentVariableIsSet(CHILD_MARK); }

inline ChildRun RunThisTestAsNobody()
{
    ChildRun run;
    const struct passwd* nobody = getpwnam("nobody");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!nobody || nobody->pw_uid == 0) {
        run.whyNot = QStringLiteral("runs as root and there is no user \"nobody\" to run it as");
        return run;
    }
    if (setpriv.isEmpty()) {
        run.whyNot = QStringLiteral("runs as root and setpriv (util-linux) is missing to run it as nobody");
        return run;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(CHILD_MARK, QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("XAUTHORITY"));
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const std::string filter = "--gtest_filter=" + std::string(test->test_suite_name()) + "." + test->name();
    int status = -1;
    run.output = QString::fromStdString(childtest::RunChildProgram(
        setpriv.toStdString(),
        {"--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups", "--",
         QCoreApplication::applicationFilePath().toStdString(), filter},
        env, &status, 240000, "/tmp"));
    if (status == -1) {
        run.whyNot = QStringLiteral("could not run as nobody: ") + run.output;
        return run;
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace asnobody

// As root: the test's verdict is that of its run as nobody, and the test ends here.
#define RUN_AS_A_USER_WHOM_MODES_STOP()                                                            \
    do {                                                                                           \
        if (::asnobody::MustRunAsNobody()) {                                                       \
            const ::asnobody::ChildRun run_ = ::asnobody::RunThisTestAsNobody();                  \
            if (!run_.whyNot.isEmpty())                                                            \
                GTEST_SKIP() << run_.whyNot.toStdString();                                         \
            EXPECT_EQ(run_.exitCode, 0) << "the run as nobody:\n" << run_.output.toStdString();   \
            EXPECT_TRUE(run_.output.contains(QLatin1String("[  PASSED  ] 1 test")))                \
                << "the run as nobody ran no test:\n" << run_.output.toStdString();                \
            return;                                                                                \
        }                                                                                          \
    } while (false)
