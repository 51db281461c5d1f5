#pragma once

#include "common/LocalTime.h"
#include "link/HidBackend.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "settings/ComparatorTable.h"

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

// The live graph's share: whether it runs, so the toolbar does not start a second one.
struct GraphState {
    bool RealTimeGraphActive = false;
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
