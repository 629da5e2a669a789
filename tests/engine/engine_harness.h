#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "engine/mp3_engine.h"

namespace vantrel::test {

// Records what an engine reported, in order.
class EventRecorder : public Mp3PlayListener {
public:
    std::vector<std::int32_t> frames;
    std::vector<std::pair<std::int32_t, std::string>> failures;
    int ended = 0;
    std::vector<std::string> order; // "ActFrame", "ThreadEnded", "Failure"

    void ActFrame(std::int32_t frame) override;
    void ThreadEnded() override;
    void Failure(std::int32_t code, const std::string& text) override;
};

// Drains the engine's events on this thread until ThreadEnded arrives; false when it does not
// within the limit (a hang guard, generous enough for any machine).
bool pumpUntilEnded(Mp3Engine& engine, EventRecorder& recorder,
                    std::chrono::seconds limit = std::chrono::seconds(120));
// Drains events for a while (while playing live).
void pumpFor(Mp3Engine& engine, std::chrono::milliseconds span);

} // namespace vantrel::test
