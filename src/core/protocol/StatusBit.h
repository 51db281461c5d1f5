#pragma once

#include <bitset>
#include <cstdint>

namespace voltaryn {

// Status bits of the display packet, named after the display element each one lights.
// The value is (byte - 1) * 8 + bit, for packet bytes 1 to 8 and bit 0 = least significant.
// NOLINTNEXTLINE(readability-enum-initial-value): bits 0 and 32 are unused, so two runs start anew
enum class StatusBit : std::uint8_t {
    HighODec1 = 1, HighODec2, HighODec3,         // 1.1-1.3 voltage field points after digit 1..3
    LowODec1, LowODec2, LowODec3,                // 1.4-1.6 resistance field points
    HighVDec1, HighVDec2, HighVDec3,             // 1.7-2.1 current field points
    LowVDec1, LowVDec2, LowVDec3,                // 2.2-2.4 temperature field points
    Cap0Dec1, Cap0Dec2, Cap0Dec3,                // 2.5-2.7 capacity row 0 points
    Cap1Dec1, Cap1Dec2, Cap1Dec3,                // 3.0-3.2 capacity row 1 points
    Cap2Dec1, Cap2Dec2, Cap2Dec3,                // 3.3-3.5 capacity row 2 points
    HighONeg,                                    // 3.6 voltage minus sign
    LcdVm,                                       // 3.7 m before the voltage unit
    UnitVOhm,                                    // 4.0 ohm as the voltage field's unit
    UnitV,                                       // 4.1 V as the voltage field's unit
    LcdOhmm,                                     // 4.2 m before the resistance unit
    UnitOhm,                                     // 4.3 ohm as the resistance unit
    HighVNeg,                                    // 4.4 current minus sign
    LcdAV,                                       // 4.5 V as the current field's unit
    UnitA,                                       // 4.6 A as the current field's unit
    LcdAuto = 33,                                // 5.1 small circle symbol
    LcdOADJ,                                     // 5.2 "OADJ"
    LcdHOLD,                                     // 5.3 "HOLD"
    LcdAUTOHOLD,                                 // 5.4 "AUTO-HOLD"
    LcdAM,                                       // 5.5 "AM"
    LcdAvg,                                      // 5.6 "AVG"
    LcdBi,                                       // 5.7 beeper symbol
    LcdBt,                                       // 6.0 battery symbol
    LcdCapLabels,                                // 6.1 "IN-CAP", "OUT-CAP" and "T-CAP" together
    Lcdm0, Lcdm1, Lcdm2,                         // 6.2-6.4 m before Ah of capacity rows 0..2
    LcdAh,                                       // 6.5 "Ah" of all three capacity rows
    LcdPass,                                     // 6.6 "PASS"
    LcdWarning,                                  // 6.7 "WARNING"
    LcdFail,                                     // 7.0 "FAIL"
    LcdIntv,                                     // 7.1 "INTV"
    LcdTime,                                     // 7.2 "TIME"
    LcdNo,                                       // 7.3 "NO." and its line
    LcdCompUp,                                   // 7.4 "COMP"
    LcdSqM,                                      // 7.5 boxed M
    LcdSqR,                                      // 7.6 boxed R
    LowVNeg,                                     // 7.7 temperature minus sign
    LcdTemV,                                     // 8.0 V as the temperature field's unit
    UnitC,                                       // 8.1 degree C
    UnitF,                                       // 8.2 degree F
    Cap2Neg,                                     // 8.3 capacity row 2 minus sign
    LblPercent2,                                 // 8.4 third percentage character ("1" of 100)
    LcdPercent,                                  // 8.5 percent sign
    DPoint1,                                     // 8.6 point indicator ":"
    DPoint0,                                     // 8.7 point indicator "-"
};

constexpr StatusBit StatusBitAt(int byte, int bit)
{
    return static_cast<StatusBit>((byte - 1) * 8 + bit);
}

// The 64 bits of packet bytes 1 to 8; bits 1.0, 4.7 and 5.0 mean nothing and are kept clear.
class StatusBits {
public:
    static constexpr std::uint64_t UsedMask = ~((1ull << 0) | (1ull << 31) | (1ull << 32));

    StatusBits() = default;
    explicit StatusBits(std::uint64_t raw) : bits_(raw & UsedMask) {}

    bool operator[](StatusBit bit) const { return bits_.test(static_cast<std::size_t>(bit)); }
    void Set(StatusBit bit, bool on = true) { bits_.set(static_cast<std::size_t>(bit), on); }
    std::uint64_t Raw() const { return bits_.to_ullong(); }
    bool operator==(const StatusBits&) const = default;

private:
    std::bitset<64> bits_;
};

} // namespace voltaryn

namespace voltaryn {
static_assert(StatusBitAt(3, 6) == StatusBit::HighONeg);
static_assert(StatusBitAt(4, 6) == StatusBit::UnitA);
static_assert(StatusBitAt(5, 7) == StatusBit::LcdBi);
static_assert(StatusBitAt(6, 4) == StatusBit::Lcdm2);
static_assert(StatusBitAt(7, 7) == StatusBit::LowVNeg);
static_assert(StatusBitAt(8, 7) == StatusBit::DPoint0);
} // namespace voltaryn
