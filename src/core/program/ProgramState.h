#pragma once

#include "common/LocalTime.h"
#include "graphs/GraphChannels.h"
#include "graphs/GraphHistory.h"
#include "link/HidBackend.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "settings/ComparatorTable.h"

#include <string>

namespace voltaryn {

// How recordings are paced: by the PC's sampling time (kept by the recorder) or by the meter's
// own interval.
struct SamplingSettings {
    bool PcSampling = false;  // the user last chose the PC sampling rate
    int MeterInterval = 0;    // seconds, as last read from or sent to the meter
};

// The comparator window's share: the table as last read or written, which entry is picked, and
// the guards against a second start.
struct ComparatorState {
    ComparatorTable Table;
    int SelectedComparatorNo = 1;
    bool ComparatorLoading = false;
    bool ComparatorWindowOpen = false;
};

// The graphs' share: the live graph's settings and recorded history, and the detail graph's
// settings. The channel switches start all off and keep the last run's choice.
struct GraphState {
    bool RealTimeGraphActive = false;  // the live graph runs; the toolbar starts no second one
    ChannelSwitches GraphChannels;
    AxisLimits GraphAxisLimits;
    std::string GraphOhmRange;   // the range text when the live graph started
    std::string GraphTempUnit;   // the temperature unit text when the live graph started
    int GraphSampleIndex = 0;    // where the next sample goes; the count recorded so far
    GraphHistory History;
    ChannelSwitches DetailChannels;
    AxisLimits DetailAxisLimits;     // as last applied to the detail graph
    bool DetailRangeChanging = false;  // the detail graph's range fields are being set in code
};

// Everything the program keeps for one run, built once at start and handed by reference to the
// windows and flows that need a part of it. Nothing here is read from or saved to disk.
struct ProgramState {
    ProgramState(HidBackend& backend, PcClock clock)
        : pcClock(std::move(clock)), meter(backend), recorder(meter.reading, pcClock().SecondOfDay())
    {
    }
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    const PcClock pcClock;  // the PC's clock, read wherever the program needs the time of day
    MeterSession meter;
    Recorder recorder;
    SamplingSettings sampling;
    ComparatorState comparator;
    GraphState graphs;
};

} // namespace voltaryn
