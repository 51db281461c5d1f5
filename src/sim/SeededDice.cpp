#include "sim/SeededDice.h"

#include <cmath>
#include <numbers>

namespace voltaryn::sim {
namespace {

constexpr std::uint64_t Golden = 0x9E3779B97F4A7C15u;

std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

SeededDice::SeededDice(std::initializer_list<std::uint64_t> key)
{
    for (std::uint64_t part : key)
        state_ = Mix(state_ + Golden + part);
}

std::uint64_t SeededDice::Next()
{
    state_ += Golden;
    return Mix(state_);
}

double SeededDice::Uniform(double low, double high)
{
    const double unit = static_cast<double>(Next() >> 11) * 0x1.0p-53;  // 53 random bits in [0, 1)
    return low + (high - low) * unit;
}

int SeededDice::Between(int low, int high)
{
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
}

bool SeededDice::Chance(double probability) { return Uniform(0, 1) < probability; }

// Box-Muller; 1 - u keeps the logarithm away from zero.
double SeededDice::Normal()
{
    const double u = Uniform(0, 1);
    const double v = Uniform(0, 1);
    return std::sqrt(-2 * std::log(1 - u)) * std::cos(2 * std::numbers::pi * v);
}

} // namespace voltaryn::sim
