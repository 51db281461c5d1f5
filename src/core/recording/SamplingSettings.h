#pragma once

namespace voltaryn {

// How recordings are paced: by the PC's sampling time (kept by the recorder) or by the meter's
// own interval.
struct SamplingSettings {
    bool PcSampling = false;  // the user last chose the PC sampling rate
    int MeterInterval = 0;    // seconds, as last read from or sent to the meter
};

} // namespace voltaryn
