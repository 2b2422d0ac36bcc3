#pragma once

// Runs one test of this program in a child process and reads what its end reported.

#include <string>

#include <QProcessEnvironment>
#include <QRegularExpression>

#include "support/ChildProcess.h"

namespace childrun {

// Set in the child's environment: the test body that runs there checks for it.
constexpr const char* kChildVariable = "ZAVO_EXIT_CHILD";

inline bool InChild() { return qEnvironmentVariableIsSet(kChildVariable); }

// Runs the tests the filter names in a child, its exit check in the given mode ("report" or
// "check"); returns its output, its wait status in *status (-1: it hung and was killed).
inline std::string Run(const char* filter, const char* exitMode, int* status)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, "1");
    env.insert("ZAVO_TEST_EXIT", exitMode);
    return childtest::RunTestChild(filter, env, status);
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
