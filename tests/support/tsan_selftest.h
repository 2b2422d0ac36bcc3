#pragma once

// What the parts of the ThreadSanitizer self-test share.

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <type_traits>

namespace selftest {

// Runs one case with the program's arguments; 0 when it ran as meant.
using Case = std::function<int(int, char**)>;

// A race case and its site: the function that both racing accesses are made from, so that a
// frame of each access's stack names it. Another report does not stand for the case's own.
struct RaceCase {
    std::string site;
    Case run;
};

template <typename F>
Case AsCase(F f)
{
    if constexpr (std::is_invocable_v<F, int, char**>)
        return f;
    else
        return [f](int, char**) { return f(); };
}

// The case run by a function that makes both its racing accesses.
#define ZAVO_RACE_AT(function) selftest::RaceCase{#function, selftest::AsCase(function)}

constexpr int ROUNDS = 200;

// Waits until flag is set, for at most 30 s, without ordering anything for ThreadSanitizer.
inline void WaitRelaxed(const std::atomic<bool>& flag)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!flag.load(std::memory_order_relaxed) && std::chrono::steady_clock::now() < end)
        std::this_thread::yield();
}

// The cases that need an X server: the wall's OpenGL upload and Qt's X connection.
const std::map<std::string, RaceCase>& WindowRaceCases();
const std::map<std::string, Case>& WindowHandOvers();

}  // namespace selftest
