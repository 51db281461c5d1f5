#pragma once

#include "sim/SimClock.h"

#include <optional>

namespace voltaryn::sim {

// The meter's memory of manually stored readings. A reading is stored by the memory key, or once
// per sampling interval while automatic memory ("AM") runs.
class ManualMemory {
public:
    static constexpr int Capacity = 999;  // the number field shows three digits

    int Count() const { return count_; }
    // Stores one reading; a full memory keeps what it holds.
    void Store();
    void Clear();

    bool Automatic() const { return lastAutomaticStore_.has_value(); }
    void StartAutomatic(SimTime now);
    void StopAutomatic();
    // Stores one reading for every whole interval that has passed since the last automatic store.
    void Advance(SimTime now, std::chrono::seconds interval);

private:
    int count_ = 0;
    std::optional<SimTime> lastAutomaticStore_;
};

} // namespace voltaryn::sim
