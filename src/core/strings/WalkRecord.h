#pragma once

#include "strings/StringModel.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace voltaryn::strings {

// One place's reading in force (the latest, after retests); a figure the meter did not show is
// nullopt, and the rules that need it do not judge the reading.
struct Reading {
    std::optional<double> volts;
    std::optional<double> milliohm;
    std::optional<double> celsius;

    bool operator==(const Reading&) const = default;
};

// One dated walk of a string, as the rules read it. A block without a reading (missing, or not
// taken yet) is nullopt and is not judged.
struct InspectionRecord {
    std::int64_t id = 0;  // the store's; handed back in baselines and trends
    std::chrono::sys_days date;  // the day it was taken
    std::optional<double> ambientCelsius;
    std::vector<std::optional<Reading>> blocks;  // [block - 1]
    std::vector<std::optional<Reading>> straps;  // [strap - 1]; empty when straps are not measured
};

inline Place BlockPlace(int number) { return {PlaceKind::Block, number}; }
inline Place StrapPlace(int number) { return {PlaceKind::Strap, number}; }

// The reading at `place`, when the inspection has one (the vectors may be shorter than the string).
const Reading* ReadingAt(const InspectionRecord& inspection, Place place);
// Its resistance, when it has a reading with one.
std::optional<double> MilliohmAt(const InspectionRecord& inspection, Place place);

} // namespace voltaryn::strings
