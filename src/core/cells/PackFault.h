#pragma once

#include <cstddef>
#include <string>

namespace voltaryn::cells {

// Why no pack, or no replacement, could be had: for each surface to word in its own language.
struct PackFault {
    enum class Reason {
        ShapeNotPositive,  // series or parallel 0 or less
        SpreadNegative,    // a voltage spread below 0 V, or not a number
        DuplicateId,       // cellId is listed twice
        CellUnusable,      // cellId has no capacity or resistance above 0
        TooFewCells,       // needed cells, available eligible
        TooFewGroups,      // needed groups of `parallel` within spreadV, available made
        CellsNotListed,    // the pack holds cells that are not in the list
        CellNotInPack,     // cellId is not in the pack
        SparesNotListed,   // the pack's spares hold cells that are not in the list
        NoSpare,           // no spare cell is left
        NoSpareFits,       // no spare keeps the group within the voltage spread
        SnakeTooWide,      // the snake deal puts cells more than spreadV apart into one group
    };
    Reason reason;
    int series = 0;
    int parallel = 0;
    std::size_t needed = 0;
    std::size_t available = 0;
    double spreadV = 0;
    std::string cellId = {};
};

// The fault in English, one line starting in lower case: "needs 12 cells, 9 are eligible: 3 missing".
std::string PackFaultText(const PackFault& fault);

} // namespace voltaryn::cells
