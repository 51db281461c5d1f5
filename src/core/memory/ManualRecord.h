#pragma once

#include "link/MeterLink.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace voltaryn {

// The eight texts of one manual record, in list order: time stamp, voltage, resistance, current,
// temperature, in-capacity, out-capacity, total capacity.
using ManualRecordTexts = std::array<std::string, 8>;

// The highest record number the meter counts to (its record count is a signed 16-bit value).
inline constexpr int MaxManualRecords = 32767;

// Sends the request for manual record `number` (1..MaxManualRecords) and waits for the reply:
// bytes 0, 67, 4, number mod 256, number div 256, 0. Returns whether the reply came.
bool RequestManualRecord(MeterLink& link, int number);

// Decodes a manual record reply, a frozen copy of the meter's display:
//
//   bytes  0..3    unused
//   bytes  4..11   indicator bits, b.n = bit n (0 = least significant) of byte b
//   bytes 12..39   seven groups of four characters, one per byte; code 0 is no character
//                  12..15 voltage      points 4.1/4.2/4.3  minus 6.6  unit mV if 10.7 else V
//                  16..19 resistance   points 4.4/4.5/4.6             unit mOhm if 11.0 else Ohm
//                  20..23 current      points 4.7/5.0/5.1  minus 6.7  unit A
//                  24..27 temperature  points 5.2/5.3/5.4  minus 7.0  unit C if 7.3, else F if 7.4
//                  28..31 in-capacity  points 5.5/5.6/5.7             unit mAh if 9.2 else Ah
//                  32..35 out-capacity points 6.0/6.1/6.2             unit as in-capacity
//                  36..39 total cap.   points 6.3/6.4/6.5  minus 7.1  unit as in-capacity
//   bytes 40..44   unused
//   bytes 45..48   time stamp, packed decimal: day, hour, minute, second
//
// A value is its four characters with the point after the 1st, 2nd or 3rd (the earliest lit point
// bit wins), then the unit text (" (V)", " (℃)", ...), then "-" in front of the whole when its
// minus bit is lit. The time stamp reads "05-14:30:00". A time stamp byte with a half-byte above 9
// is not packed decimal; the stamp then reads "invalid time " followed by the four bytes in
// hexadecimal in the same shape ("invalid time 5A-14:30:00"), so the row still shows its values
// and cannot be mistaken for a real time. A reply shorter than 49 bytes reads as padded with 0.
ManualRecordTexts DecodeManualRecord(std::span<const std::uint8_t> reply);

// What makes a manual record reply no record ("its time stamp 76-65:3D:A6 is no time", "its
// voltage field holds code 0xB8"); none when its value characters are all ones a display field
// can show and its time stamp is a day of the month and a time of day in packed decimal.
std::optional<std::string> ManualRecordProblem(std::span<const std::uint8_t> reply);

} // namespace voltaryn
