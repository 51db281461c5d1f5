#pragma once

#include "sim/BatteryString.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace voltaryn {

// What the program is started with.
struct ProgramOptions {
    bool demo = false;                      // the simulated meter instead of a real one
    std::optional<std::uint64_t> cellSeed;  // --demo-cells: the seed of the cells on its probes
    std::optional<int> storageDays;         // --demo-days: those cells rechecked after that many days
    std::optional<std::uint64_t> stringSeed;  // --demo-string: the seed of the battery string on its probes
    int stringBlocks = sim::DefaultStringBlocks;  // --demo-blocks: the blocks of that string
    bool openCellSorting = false;
    bool openStringWalk = false;
    QString storeAddress;                   // the cell database; empty for the default
    bool resetSettings = false;             // forget what earlier runs remembered
    QString file;                           // a data file or list to open at the start, or empty
    QString error;                          // why the command line cannot be taken; empty when it can
};

// Whether the command line asks for --help or --version, which need no display: Qt's own options
// (-platform, ...) are not known here, and nothing is printed.
bool AsksForHelpOrVersion(const QStringList& arguments);

// Reads the program's command line (arguments[0] is the program); --help, --version and an unknown
// option print what they print and end the program.
ProgramOptions ReadProgramOptions(const QStringList& arguments);

} // namespace voltaryn
