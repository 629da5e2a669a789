#include "platform/random_source.h"

#include <random>

namespace vantrel {

namespace {

class SystemRandom : public RandomSource {
public:
    SystemRandom() : engine_(std::random_device{}()) {}
    double draw() override { return uniform_(engine_); }

private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

} // namespace

std::unique_ptr<RandomSource> makeSystemRandom() {
    return std::make_unique<SystemRandom>();
}

} // namespace vantrel
