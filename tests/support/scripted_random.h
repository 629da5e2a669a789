#pragma once

#include "platform/random_source.h"

#include <deque>

namespace vantrel::test {

// Hands out the numbers the test queued, in order, and counts the draws; an empty queue
// draws 0.
class ScriptedRandom : public RandomSource {
public:
    std::deque<double> numbers;
    int draws = 0;

    double draw() override {
        ++draws;
        if (numbers.empty()) return 0.0;
        double r = numbers.front();
        numbers.pop_front();
        return r;
    }
};

} // namespace vantrel::test
