#include "engine/command_thread.h"
#include "engine/event_queue.h"
#include "engine/mp3_engine.h"
#include "engine_harness.h"
#include <atomic>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

namespace vantrel::test {
namespace {

using Kind = EventQueue::Kind;

TEST(EventQueue, CoalescesWaitingFrameReportsButKeepsOtherEventsInOrder) {
    EventQueue queue;
    int wakeUps = 0;
    queue.setWakeUp([&] { ++wakeUps; });
    queue.push({Kind::ActFrame, 1, {}});
    queue.push({Kind::ActFrame, 2, {}});
    queue.push({Kind::Failure, 7, "broken"});
    queue.push({Kind::ActFrame, 3, {}});
    queue.push({Kind::ActFrame, 4, {}});
    queue.push({Kind::ThreadEnded, 0, {}});
    EXPECT_EQ(wakeUps, 1); // one drain is scheduled for the whole batch

    EventRecorder recorder;
    queue.deliver(&recorder);
    EXPECT_EQ(recorder.order,
              (std::vector<std::string>{"ActFrame", "Failure", "ActFrame", "ThreadEnded"}));
    EXPECT_EQ(recorder.frames, (std::vector<std::int32_t>{2, 4}));
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].second, "broken");

    queue.push({Kind::ActFrame, 5, {}});
    EXPECT_EQ(wakeUps, 2);
}

// A handler may open another stream (a box's event loop lets a media key through): what the old
// stream still had waiting must not reach the new one.
TEST(EventQueue, EventsOfAStreamNoLongerCurrentAreDropped) {
    struct Reopening : EventRecorder {
        EventQueue* queue = nullptr;
        void Failure(std::int32_t code, const std::string& text) override {
            EventRecorder::Failure(code, text);
            queue->setCurrent(2);
        }
    } recorder;
    EventQueue queue;
    recorder.queue = &queue;
    queue.setCurrent(1);
    queue.push({Kind::Failure, 1, "broken", 1});
    queue.push({Kind::ThreadEnded, 0, {}, 1});
    queue.deliver(&recorder);
    EXPECT_EQ(recorder.order, std::vector<std::string>{"Failure"});

    queue.push({Kind::ActFrame, 7, {}, 2});
    queue.push({Kind::ActFrame, 9, {}, 1}); // late news of the old stream replaces nothing
    queue.deliver(&recorder);
    EXPECT_EQ(recorder.frames, std::vector<std::int32_t>{7});
}

TEST(EventQueue, WithoutAListenerEventsAreDropped) {
    EventQueue queue;
    queue.push({Kind::ThreadEnded, 0, {}});
    queue.deliver(nullptr);
    EventRecorder recorder;
    queue.deliver(&recorder);
    EXPECT_TRUE(recorder.order.empty());
}

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
