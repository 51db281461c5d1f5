#pragma once

#include "cells/PackTypes.h"

#include <array>
#include <string>
#include <vector>

namespace voltaryn::cells {

// Why a cell cannot go into a pack; Usable when it can.
enum class LeftOut { Usable, NotChosen, Rejected, InPack, Suspect, NoCapacity, NoResistance };
inline constexpr std::size_t LeftOutReasons = 7;

// Which cells a pack may take: those of the grades chosen (empty: any), and self-discharge
// suspects only when asked for.
struct PackChoice {
    std::vector<std::string> grades;
    bool includeSuspects = false;
};

// What the cell's batch, or the file that lists it, tells beside its figures.
struct CellStanding {
    bool rejected = false;  // graded the reject grade
    bool packed = false;    // in a saved pack
    bool suspect = false;   // suspected of self-discharge
};

// A cell is usable when its grade is one chosen and not the reject grade, it is in no saved pack,
// it is no self-discharge suspect (unless chosen), and it has a capacity and a resistance above 0.
LeftOut WhyLeftOut(const PackCell& cell, const CellStanding& standing, const PackChoice& choice);

// The cells a pack may take, and how many were left out for each reason.
struct PackOffer {
    std::vector<PackCell> cells;
    std::array<int, LeftOutReasons> leftOut{};  // by LeftOut

    // Takes the cell when it is usable, else counts why it is not.
    void Offer(PackCell cell, const CellStanding& standing, const PackChoice& choice);
    // "left out: 2 rejected, 1 without a capacity"; empty when none was.
    std::string LeftOutText() const;
};

} // namespace voltaryn::cells
