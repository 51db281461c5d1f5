#pragma once

#include "sim/SimClock.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace voltaryn::sim {

// One recording file on the meter's SD card: readings of the present battery model taken every
// `interval` from `start` on, `start` being what the meter's clock read then.
struct SdFile {
    int number = 0;  // 0..255
    SimTime start;
    std::chrono::seconds interval{1};
    int records = 0;

    std::int64_t Size() const;
};

// The text the meter writes for a recording file, made line by line as it is read, so that a long
// file costs no memory. Lines end with LF and keep their fields at fixed character positions
// (counted from 1):
//   lines 1..11  the 342-byte header; line 4 has the start date at 18..27 and its time at 29..36,
//                line 5 the interval at 15..24
//   line 11 + n  record n, 81 characters and the LF: time 2..9, voltage 11..19, resistance in
//                mOhm 21..29, current 31..38, temperature 39..47, in-, out- and total capacity
//                in Ah 48..60, 61..69 and 70..79; a value too wide for its field shows "OL"
class SdRecordingText {
public:
    explicit SdRecordingText(const SdFile& file);

    // Copies the text from byte `offset` on into `out`; bytes past its end are 0.
    void Read(std::int64_t offset, std::span<std::uint8_t> out) const;

private:
    std::string RecordLine(int number) const;

    SdFile file_;
    std::string header_;
};

} // namespace voltaryn::sim
