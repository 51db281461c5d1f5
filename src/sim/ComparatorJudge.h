#pragma once

namespace voltaryn::sim {

// The limits of the comparator entry the meter judges against, in ohm and volt.
struct ComparatorLimits {
    double highOhms;
    double lowOhms;
    double highVolts;
    double lowVolts;
};

enum class Verdict { Pass, Warning, Fail };

// PASS while the resistance is at most the low limit, WARNING up to the high limit, FAIL above it.
// A voltage outside its limits fails whatever the resistance.
Verdict Judge(const ComparatorLimits& limits, double ohms, double volts);

} // namespace voltaryn::sim
