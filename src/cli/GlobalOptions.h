#pragma once

#include "sim/BatteryString.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace voltaryn::cli {

// How a command writes what it reads from the meter.
enum class Format {
    Text,  // for people: aligned columns, or one line per reading
    Tsv,   // a header line, then one TAB-separated line per record
    Csv,   // the same, comma-separated and quoted where needed
    Json,  // one JSON object per line (JSON Lines)
    Data,  // the window's data file: TAB after each cell, CR LF after each line (files only)
};

// The format a command writes `file` in ("-" for the standard output): `format` when the command
// line gives one, else as the file's extension says (.tsv, .csv, .json or .jsonl; any other
// name: the window's data file), text on the standard output.
Format FormatFor(std::optional<Format> format, const std::string& file);

inline bool IsStandardOutput(const std::string& file) { return file == "-"; }

// The simulated meters of --demo, with the knobs the tests turn.
struct DemoOptions {
    int meters = 1;
    std::vector<std::string> faults;  // each checked by DemoFaultError()
    std::optional<std::chrono::system_clock::time_point> simulatedStart;
    std::optional<std::uint64_t> cellSeed;  // the meters present a cell bench: meter i the stream seed + i
    std::optional<int> storageDays;         // the benches recheck what their streams stored, after these days
    std::optional<std::uint64_t> stringSeed;  // the meters' probes walk a battery string: meter i the string seed + i
    int stringBlocks = sim::DefaultStringBlocks;
};

// Where the demo's simulated clock starts: at --demo-time, or on a recheck that many days later,
// so that the recheck lies as far after the sorting that started there.
std::optional<std::chrono::system_clock::time_point> SimulatedClockStart(const DemoOptions& options);

struct GlobalOptions {
    bool demo = false;
    std::string device;  // the hidraw path of the meter to use; empty: the first meter found
    std::optional<Format> format;  // none: by the output file's name, else text
    DemoOptions demoOptions;
};

} // namespace voltaryn::cli
