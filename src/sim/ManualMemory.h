#pragma once

#include "protocol/Protocol.h"
#include "sim/SimClock.h"

#include <functional>
#include <optional>
#include <vector>

namespace voltaryn::sim {

using protocol::MeterClockBytes;

// What the meter shows at one instant: its display packet and its clock.
struct DisplayMoment {
    protocol::Report display{};
    MeterClockBytes clock{};
};

// The meter's display and clock at a given time.
using DisplaySource = std::function<DisplayMoment(SimTime)>;

// The meter's memory of manually stored readings. A reading is stored by the memory key, or once
// per sampling interval while automatic memory ("AM") runs.
//
// Each record is a frozen copy of the display: the seven value groups with their points, signs
// and units, and the clock's day and time. It is kept as the reply that carries it:
//   bytes  4..11  indicator bits: the display's point bits in the same places, then the minus
//                 signs 6.6 voltage, 6.7 current, 7.0 temperature, 7.1 total capacity, the
//                 units 7.3 C, 7.4 F, 9.2 mAh, 10.7 mV, 11.0 mOhm
//   bytes 12..39  display characters 1..28: voltage, resistance, current, temperature, three
//                 capacity rows
//   bytes 45..48  day, hour, minute, second in packed decimal
// The record has one capacity unit where the display has one per row: mAh when every row shows
// mAh, else Ah, and a row shown in whole mAh gets its point after the first digit (0950 mAh is
// 0.950 Ah).
class ManualMemory {
public:
    static constexpr int Capacity = 999;    // what the keys can fill: the number field shows three digits
    static constexpr int MaxCount = 32767;  // what the record count carries; only Fill goes beyond Capacity

    // Where stored readings come from; until it is set, a stored reading is a blank display.
    void SetDisplaySource(DisplaySource source) { source_ = std::move(source); }

    int Count() const { return static_cast<int>(records_.size()); }
    // Stores the reading shown now; a full memory keeps what it holds.
    void Store(SimTime now);
    void Clear() { records_.clear(); }
    // Replaces the records with `count` readings (at most MaxCount) that `source` showed every
    // `step` from `first` on.
    void Fill(int count, const DisplaySource& source, SimTime first, std::chrono::seconds step);

    // The reply to a request for record `number`, counted from 1; all zeros beyond the count.
    protocol::Report RecordReply(int number) const;

    bool Automatic() const { return lastAutomaticStore_.has_value(); }
    void StartAutomatic(SimTime now);
    void StopAutomatic();
    // Stores the reading of every whole interval that has passed since the last automatic store,
    // each as it was shown at its own time.
    void Advance(SimTime now, std::chrono::seconds interval);

private:
    DisplaySource source_ = [](SimTime) { return DisplayMoment{}; };
    std::vector<protocol::Report> records_;
    std::optional<SimTime> lastAutomaticStore_;
};

} // namespace voltaryn::sim
