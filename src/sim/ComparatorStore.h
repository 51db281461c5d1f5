#pragma once

#include "protocol/Protocol.h"
#include "sim/ComparatorJudge.h"

#include <array>

namespace voltaryn::sim {

// The meter's comparator table: entries 1..99 kept as the payloads they travel as, and the limits
// each one sets for judging.
class ComparatorStore {
public:
    static constexpr int Entries = 99;

    // Limits for the demo battery: resistance limits in the 40 mOhm range that tighten from entry
    // to entry, so that the 12 V battery passes the first entries, warns in the middle ones and
    // fails the last; every entry takes 12.00 V to 14.00 V.
    ComparatorStore();

    // Entry 1..99; any other number reads as zeros and is not stored.
    protocol::ComparatorPayload Payload(int number) const;
    void Store(int number, const protocol::ComparatorPayload& payload);

    // The entry's limits in ohm and volt. A limit without a decimal-point flag counts whole units.
    ComparatorLimits Limits(int number) const;

private:
    std::array<protocol::ComparatorPayload, Entries> payloads_{};
};

} // namespace voltaryn::sim
