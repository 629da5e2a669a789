#pragma once

#include <memory>

namespace vantrel {

// Real numbers for random choices; tests script them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number with 0 <= r < 1.
    virtual double draw() = 0;
};

// Draws from a generator seeded once from the system's entropy, so successive draws differ
// without re-seeding.
std::unique_ptr<RandomSource> makeSystemRandom();

} // namespace vantrel
