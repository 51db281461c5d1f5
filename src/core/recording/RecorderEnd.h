#pragma once

#include <string>

namespace voltaryn {

// A recording or the live list that has ended, told to the user as a notice on the panel.
struct RecorderEnd {
    enum class What { Recording, LiveList };
    enum class Cause {
        RangeChanged,     // the meter's resistance range differs from the one at the start
        TempUnitChanged,  // so does its temperature unit
        RecordLimit,      // Recorder::MaxRecords records were taken
        Stopped           // the user stopped the recording, or the program ended
    };

    What what = What::Recording;
    Cause cause = Cause::Stopped;
    std::string time{};        // the recorder's time of day when it ended, "hh:mm:ss"
    std::string before{};      // the range or temperature unit at the start (for a change)
    std::string after{};       // the range or temperature unit it changed to
    int records = 0;           // records the file holds, or rows the live list got
    std::string fileName{};    // the recording file's name, without its folder
    int unwrittenRecords = 0;  // records that never reached the file
    std::string error{};       // why they did not, or why the file could not be closed
};

// The notice in one line, for example "Recording ended at 10:42:17: the range changed
// (400 mOhm to 4 Ohm). 1234 records in battery1.txt."
std::string RecorderEndNotice(const RecorderEnd& end);

} // namespace voltaryn
