#pragma once

#include <cstdint>
#include <initializer_list>

namespace voltaryn::sim {

// Random draws from a key (SplitMix64 over the mixed key): the same key always gives the same
// draws, whatever was drawn from other keys before, so a simulation that derives every value from
// its seed and a position in time gives the same values however often it is asked.
class SeededDice {
public:
    SeededDice(std::initializer_list<std::uint64_t> key);

    double Uniform(double low, double high);  // in [low, high)
    int Between(int low, int high);           // in [low, high], both included
    bool Chance(double probability);
    double Normal();  // standard normal

private:
    std::uint64_t Next();

    std::uint64_t state_ = 0;
};

} // namespace voltaryn::sim
