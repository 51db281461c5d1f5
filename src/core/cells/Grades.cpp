#include "cells/Grades.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace voltaryn::cells {
namespace {

std::optional<std::string> Contradiction(const char* quantity, const std::optional<double>& min,
                                         const std::optional<double>& max)
{
    std::ostringstream text;
    for (const auto& [end, limit] : {std::pair{"min ", min}, std::pair{"max ", max}}) {
        if (limit && !std::isfinite(*limit)) {
            text << end << quantity << ' ' << *limit << " is not a finite number";
            return text.str();
        }
    }
    if (!min || !max || *min <= *max)
        return std::nullopt;
    text << "min " << quantity << ' ' << *min << " is above max " << *max;
    return text.str();
}

} // namespace

bool GradeLimits::Admits(double voltage, double resistanceMilliOhm) const
{
    return (!MinVoltage || voltage >= *MinVoltage) && (!MaxVoltage || voltage <= *MaxVoltage) &&
           (!MinResistance || resistanceMilliOhm >= *MinResistance) &&
           (!MaxResistance || resistanceMilliOhm <= *MaxResistance);
}

std::optional<std::string> ContradictionIn(const GradeLimits& limits)
{
    if (auto voltage = Contradiction("voltage", limits.MinVoltage, limits.MaxVoltage))
        return voltage;
    return Contradiction("resistance", limits.MinResistance, limits.MaxResistance);
}

const Grade& GradeTable::GradeOf(double voltage, double resistanceMilliOhm) const
{
    const auto grade = std::find_if(Grades.begin(), Grades.end(), [&](const Grade& g) {
        return g.Limits.Admits(voltage, resistanceMilliOhm);
    });
    return grade != Grades.end() ? *grade : Reject;
}

GradeTable DefaultLiIonGrades()
{
    // Each grade starts where the one before ends, so the table validates without overlaps; the
    // shared edge goes to the earlier grade.
    constexpr double minVoltage = 2.5;
    return {
        .Grades = {{"A", "#2e7d32", {minVoltage, std::nullopt, std::nullopt, 25}},
                   {"B", "#9ccc65", {minVoltage, std::nullopt, 25, 40}},
                   {"C", "#f9a825", {minVoltage, std::nullopt, 40, 60}}},
        .Reject = {"Reject", "#c62828", {}},
    };
}

} // namespace voltaryn::cells
