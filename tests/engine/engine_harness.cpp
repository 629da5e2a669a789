#include "engine_harness.h"

#include <thread>

namespace vantrel::test {

void EventRecorder::ActFrame(std::int32_t frame) {
    frames.push_back(frame);
    order.push_back("ActFrame");
}

void EventRecorder::ThreadEnded() {
    ++ended;
    order.push_back("ThreadEnded");
}

void EventRecorder::Failure(std::int32_t code, const std::string& text) {
    failures.emplace_back(code, text);
    order.push_back("Failure");
}

bool pumpUntilEnded(Mp3Engine& engine, EventRecorder& recorder, std::chrono::seconds limit) {
    engine.setListener(&recorder);
    int before = recorder.ended;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (recorder.ended == before) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        engine.waitForEvents(std::chrono::milliseconds(100));
        engine.deliverEvents();
    }
    return true;
}

void pumpFor(Mp3Engine& engine, std::chrono::milliseconds span) {
    auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until) {
        engine.waitForEvents(std::chrono::milliseconds(20));
        engine.deliverEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace vantrel::test
