// The sink that stream threads deliver into: what its cut waits for, what it stops, and who
// frees what it keeps.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "Common/StreamSink.h"
#include "support/LeftBehind.h"

namespace {

struct Owner {
    int visits = 0;
};

// Says on which thread it went.
struct Parts {
    explicit Parts(std::atomic<std::thread::id>* freedOn) : freedOn(freedOn) {}
    ~Parts() { *freedOn = std::this_thread::get_id(); }
    std::atomic<std::thread::id>* freedOn;
};

using Sink = CStreamSink<Owner, Parts>;
using lefttest::Within;

class StreamSink : public ::testing::Test {
protected:
    Owner owner;
    std::atomic<std::thread::id> freedOn{};
    std::shared_ptr<Sink> sink = std::make_shared<Sink>(&owner, &freedOn);
};

}  // namespace

TEST_F(StreamSink, ACutReturnsOnlyOnceTheDeliveryInsideHasLeft)
{
    lefttest::Gate gate;
    std::atomic<bool> inside{false};
    std::thread delivery([&] {
        sink->reach([&](Owner& o) {
            inside = true;
            gate.pass();
            ++o.visits;
        });
    });
    ASSERT_TRUE(Within(10000, [&] { return inside.load(); }));
    int visitsAtCut = -1;
    std::thread cutter([&] {
        sink->cut();
        visitsAtCut = owner.visits;
    });
    ASSERT_TRUE(Within(10000, [&] { return sink->isCut(); }));
    gate.open();
    cutter.join();
    delivery.join();
    EXPECT_EQ(visitsAtCut, 1);
}

TEST_F(StreamSink, NothingReachesTheOwnerOnceCut)
{
    EXPECT_TRUE(sink->reach([](Owner& o) { ++o.visits; }));
    sink->cut();
    EXPECT_FALSE(sink->reach([](Owner& o) { ++o.visits; }));
    EXPECT_EQ(owner.visits, 1);
}

TEST_F(StreamSink, ACutDoesNotWaitForADeliveryWorkingOutsideTheGate)
{
    auto gate = std::make_shared<lefttest::Gate>();
    std::atomic<bool> released{false};
    std::thread delivery([own = sink, gate] { gate->pass(); });
    ASSERT_TRUE(Within(10000, [&] { return gate->waiting(); }));
    lefttest::OpenLate late([&] {
        released = true;
        gate->open();
    });
    sink->cut();
    EXPECT_FALSE(released.load());
    late.now();
    delivery.join();
}

TEST_F(StreamSink, WhatItKeepsGoesWithTheLastHolderOnThatHoldersThread)
{
    lefttest::Gate gate;
    std::thread::id deliveryThread;
    std::thread delivery([&, own = sink] {
        deliveryThread = std::this_thread::get_id();
        gate.pass();
    });
    ASSERT_TRUE(Within(10000, [&] { return gate.waiting(); }));
    sink->cut();
    sink.reset();
    EXPECT_EQ(freedOn.load(), std::thread::id());
    gate.open();
    delivery.join();
    EXPECT_EQ(freedOn.load(), deliveryThread);
}
