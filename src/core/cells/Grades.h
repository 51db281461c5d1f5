#pragma once

#include <optional>
#include <string>
#include <vector>

namespace voltaryn::cells {

// The limits a grade puts on a cell, each inclusive and each optional (absent: no limit).
struct GradeLimits {
    std::optional<double> MinVoltage;     // V
    std::optional<double> MaxVoltage;     // V
    std::optional<double> MinResistance;  // mOhm
    std::optional<double> MaxResistance;  // mOhm

    bool Admits(double voltage, double resistanceMilliOhm) const;
    bool operator==(const GradeLimits&) const = default;
};

// Why no cell can meet the limits ("min resistance 40 is above max 25", "max voltage inf is not a
// finite number"); nullopt when one can.
std::optional<std::string> ContradictionIn(const GradeLimits& limits);

struct Grade {
    std::string Name;
    std::string Colour;  // "#rrggbb"
    GradeLimits Limits;

    bool operator==(const Grade&) const = default;
};

// Grades in the order they are tried: a cell gets the first grade whose limits admit it, and the
// reject grade when none does. The reject grade has a name and colour and no limits.
struct GradeTable {
    std::vector<Grade> Grades;
    Grade Reject;

    const Grade& GradeOf(double voltage, double resistanceMilliOhm) const;
    bool operator==(const GradeTable&) const = default;
};

// Li-ion cells by internal resistance: A up to 25 mOhm, B up to 40, C up to 60, each only from
// 2.5 V up; cells above 60 mOhm or below 2.5 V are rejected.
GradeTable DefaultLiIonGrades();

} // namespace voltaryn::cells
