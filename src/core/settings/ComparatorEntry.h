#pragma once

#include "protocol/Protocol.h"

#include <optional>
#include <string>

namespace voltaryn {

using protocol::ComparatorPayload;

// A resistance limit of a comparator entry: its display digits, its unit, and the range flags
// that place its decimal point.
struct OhmLimit {
    int Count = 0;       // 0..9999, the four display digits without the point
    bool Milli = false;  // in milliohm, else in ohm
    bool Dot3 = false;   // range "4", X.XXX
    bool Dot2 = false;   // range "40", XX.XX
    bool Dot1 = false;   // range "400", XXX.X

    // 3, 2 or 1 from the one range flag set; nothing when none or several are set, since the
    // point of such a limit is not known.
    std::optional<int> Decimals() const;
    // "4 mOhm" ... "400 Ohm"; the unit alone ("mOhm", "Ohm") when the decimals are not known.
    std::string Range() const;

    bool operator==(const OhmLimit&) const = default;
};

// A voltage limit: its display digits and the flags that place its point (no XXX.X position).
struct VoltLimit {
    int Count = 0;
    bool Dot3 = false;  // X.XXX
    bool Dot2 = false;  // XX.XX

    std::optional<int> Decimals() const;  // 3 or 2; nothing unless exactly one flag is set

    bool operator==(const VoltLimit&) const = default;
};

// One entry of the meter's comparator table: the limits it judges PASS/FAIL against.
struct ComparatorEntry {
    OhmLimit HighOhm;
    OhmLimit LowOhm;
    VoltLimit HighVolt;
    VoltLimit LowVolt;

    bool operator==(const ComparatorEntry&) const = default;
};

// The ten payload bytes: the counts high, low, then HighOhm, LowOhm, HighVolt, LowVolt, then
// flag byte 1: bit 0 HighOhm.Milli, 1..3 HighOhm.Dot3/2/1, 4..6 LowOhm.Dot3/2/1, 7 LowOhm.Milli,
// and flag byte 2: bits 0..3 HighVolt.Dot3, HighVolt.Dot2, LowVolt.Dot3, LowVolt.Dot2.
ComparatorEntry DecodeComparatorEntry(const ComparatorPayload& payload);
// Counts are sent as their low 16 bits; the editors keep them within 0..9999.
ComparatorPayload EncodeComparatorEntry(const ComparatorEntry& entry);

} // namespace voltaryn
