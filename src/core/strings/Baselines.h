#pragma once

#include "strings/WalkRecord.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace voltaryn::strings {

// A block's resistance settles in its first months: its baseline is taken this long after the
// string was installed.
inline constexpr std::chrono::days SettledAfter{90};

enum class BaselineSource {
    Settled,      // the first inspection SettledAfter the installation that read the block
    Provisional,  // none yet (or no installed date): the first inspection that read the block
    Chosen,       // from the inspection the user chose
    Typed,        // a figure the user typed
};

// "settled", "provisional", "chosen", "typed".
std::string_view BaselineSourceName(BaselineSource source);

struct Baseline {
    double milliohm = 0;
    BaselineSource source = BaselineSource::Provisional;
    std::optional<std::int64_t> inspection;  // where it was read; none when typed
    std::optional<std::chrono::sys_days> date;

    bool operator==(const Baseline&) const = default;
};

// What the user set for a string; the store keeps it.
struct BaselineChoice {
    std::optional<std::int64_t> inspection;  // every block's baseline from this inspection
    std::map<int, double> typedMilliohm;     // block -> its baseline, over the inspection chosen

    bool operator==(const BaselineChoice&) const = default;
};

// Each block's baseline, [block - 1], from the string's inspections oldest first: a typed figure,
// else its reading in the inspection chosen, else the default; none for a block never read. An
// inspection chosen that is not among `inspections` chooses nothing.
// A block the chosen inspection has no reading of keeps its default.
std::vector<std::optional<Baseline>> BlockBaselines(const StringLayout& layout, std::span<const InspectionRecord> inspections,
                                                   const BaselineChoice& choice = {});

// A strap's first reading: what the strap rule measures it against in later inspections.
struct FirstReading {
    double milliohm = 0;
    std::int64_t inspection = 0;

    bool operator==(const FirstReading&) const = default;
};

// Each strap's first reading, [strap - 1], from the inspections oldest first; none for a strap
// never read.
std::vector<std::optional<FirstReading>> StrapFirstReadings(const StringLayout& layout,
                                                            std::span<const InspectionRecord> inspections);

} // namespace voltaryn::strings
