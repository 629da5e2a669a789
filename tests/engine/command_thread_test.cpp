#include <atomic>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

#include "engine/command_thread.h"
#include "engine/mp3_engine.h"

namespace vantrel::test {
namespace {

TEST(CommandThread, ATaskRunInlineMayPostMore) {
    std::atomic<int> ran{0};
    CommandThread thread([] { return false; }, [] {});
    auto calls = std::async(std::launch::async, [&] {
        for (int i = 0; i < 100; ++i)
            thread.callInline([&] { thread.post([&] { ++ran; }); });
        thread.call([] {});
    });
    if (calls.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "a task that posts deadlocked the thread";
        std::_Exit(1); // the thread cannot be joined
    }
    EXPECT_EQ(ran, 100);
}

TEST(CommandThread, WhatATaskThrowsIsReportedAndTheThreadGoesOn) {
    CommandThread thread([] { return false; }, [] {});
    testing::internal::CaptureStderr();
    thread.call([] { throw std::runtime_error("out of sample buffers"); });
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("out of sample buffers"), std::string::npos);
    bool ran = false;
    thread.call([&] { ran = true; });
    EXPECT_TRUE(ran);
}

#ifndef NDEBUG
TEST(Mp3EngineDeathTest, CallsFromAnotherThreadThanItsOwnerAbort) {
    Mp3Engine engine;
    EXPECT_DEATH(std::async(std::launch::async, [&] { engine.StopPlay(); }).get(), "thread");
}
#endif

} // namespace
} // namespace vantrel::test
