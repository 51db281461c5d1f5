#include "cells/GradeValidation.h"

#include <algorithm>
#include <limits>

namespace voltaryn::cells {
namespace {

constexpr double NoLimit = std::numeric_limits<double>::infinity();

// One axis of a grade's limits, with an absent limit as an infinite one.
struct Span {
    double low;
    double high;
};

Span VoltageSpan(const GradeLimits& l) { return {l.MinVoltage.value_or(-NoLimit), l.MaxVoltage.value_or(NoLimit)}; }
Span ResistanceSpan(const GradeLimits& l)
{
    return {l.MinResistance.value_or(-NoLimit), l.MaxResistance.value_or(NoLimit)};
}

bool Covers(Span outer, Span inner) { return outer.low <= inner.low && inner.high <= outer.high; }
bool Overlap(Span a, Span b) { return std::max(a.low, b.low) < std::min(a.high, b.high); }

std::string Named(const GradeTable& table, std::size_t index)
{
    return "grade " + std::to_string(index + 1) + " (\"" + table.Grades.at(index).Name + "\")";
}

} // namespace

std::vector<GradeFinding> ValidateGrades(const GradeTable& table)
{
    std::vector<GradeFinding> findings;
    std::vector<std::size_t> usable;  // earlier grades that are given to some cells
    for (std::size_t index = 0; index < table.Grades.size(); ++index) {
        const GradeLimits& limits = table.Grades[index].Limits;
        if (const std::optional<std::string> contradiction = ContradictionIn(limits)) {
            findings.push_back({index, GradeFindingKind::Empty, std::nullopt, *contradiction});
            continue;
        }
        const Span voltage = VoltageSpan(limits);
        const Span resistance = ResistanceSpan(limits);
        const auto coveredBy = std::find_if(usable.begin(), usable.end(), [&](std::size_t earlier) {
            const GradeLimits& e = table.Grades[earlier].Limits;
            return Covers(VoltageSpan(e), voltage) && Covers(ResistanceSpan(e), resistance);
        });
        if (coveredBy != usable.end()) {
            findings.push_back({index, GradeFindingKind::NeverMatches, *coveredBy,
                                "never matches: " + Named(table, *coveredBy) + " covers it wholly"});
            continue;
        }
        for (const std::size_t earlier : usable) {
            const GradeLimits& e = table.Grades[earlier].Limits;
            if (Overlap(VoltageSpan(e), voltage) && Overlap(ResistanceSpan(e), resistance))
                findings.push_back({index, GradeFindingKind::Overlaps, earlier,
                                    "overlaps " + Named(table, earlier) + ", which takes the cells both admit"});
        }
        usable.push_back(index);
    }
    return findings;
}

} // namespace voltaryn::cells
