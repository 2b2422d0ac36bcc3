// Linked into a suite whose every test must also end cleanly: the test main then fails the
// program when it takes long to end after its main window's close, its application takes long
// to end, or it leaves a thread running. A parent that asked for a report only keeps its choice.
#include <cstdlib>

namespace {
const int kExitCheck = setenv("ZAVO_TEST_EXIT", "check", 0);
}
