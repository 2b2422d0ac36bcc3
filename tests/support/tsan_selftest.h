#pragma once

// What the parts of the ThreadSanitizer self-test share.

#include <functional>
#include <map>
#include <string>

namespace selftest {

// Runs one case with the program's arguments; 0 when it ran as meant.
using Case = std::function<int(int, char**)>;

constexpr int ROUNDS = 200;

// The cases that need an X server: the wall's OpenGL upload and Qt's X connection.
const std::map<std::string, Case>& WindowRaceCases();
const std::map<std::string, Case>& WindowHandOvers();

}  // namespace selftest
