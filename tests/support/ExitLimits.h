#pragma once

// How long a test program's end may take before the exit check calls it slow, and the lines
// it reports them in. A program that is right ends in a few milliseconds; the limits leave
// room for a loaded machine under a sanitizer, and stay well below the waits that mean
// something hangs (a stream's thread join, 3 s; Qt's network thread, 5 s).

namespace exitcheck {

// The application object's end: nothing of the program should wait there any more.
constexpr long long kApplicationEndMs = 1000;
// From the main window's close to the process's end, as the operator waits for it: the
// close itself may wait a second for a DVR that does not answer its last commands.
constexpr long long kCloseToEndMs = 3000;

constexpr const char* kApplicationEndLine = "application ended in %lld ms\n";
constexpr const char* kCloseToEndLine = "window closed to the end in %lld ms\n";

}  // namespace exitcheck
