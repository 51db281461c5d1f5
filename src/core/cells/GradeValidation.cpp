#include "cells/GradeValidation.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>

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

GradeFinding NeverMatches(const GradeTable& table, std::size_t index, std::size_t earlier)
{
    return {index, GradeFindingKind::NeverMatches, earlier, "never matches: " + Named(table, earlier) + " covers it wholly"};
}

GradeFinding Overlaps(const GradeTable& table, std::size_t index, std::size_t earlier)
{
    return {index, GradeFindingKind::Overlaps, earlier,
            "overlaps " + Named(table, earlier) + ", which takes the cells both admit"};
}

// A grade's limits as spans on both axes.
struct Box {
    Span voltage;
    Span resistance;
    std::size_t grade;
};

Box BoxOf(const GradeTable& table, std::size_t grade)
{
    const GradeLimits& limits = table.Grades[grade].Limits;
    return {VoltageSpan(limits), ResistanceSpan(limits), grade};
}

bool Covers(const Box& outer, const Box& inner)
{
    return Covers(outer.voltage, inner.voltage) && Covers(outer.resistance, inner.resistance);
}

// Two boxes whose insides meet, the earlier grade's first; nullopt when no two do. A sweep across
// voltage keeps the boxes it is inside, by the start of their resistance span; as the sweep stops
// at the first two that meet, those never meet each other, so the one starting next below a new
// box's end tells whether the new box meets any.
std::optional<std::pair<std::size_t, std::size_t>> MeetingBoxes(const std::vector<Box>& boxes)
{
    struct Edge {
        double at;
        bool starts;
        std::size_t box;
    };
    std::vector<Edge> edges;
    edges.reserve(2 * boxes.size());
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        edges.push_back({boxes[b].voltage.low, true, b});
        edges.push_back({boxes[b].voltage.high, false, b});
    }
    // Where one box ends and another starts, the two only touch: the end goes first. Edges at one
    // place keep the grades' order, so that of boxes that coincide the first two are told.
    std::ranges::stable_sort(edges, [](const Edge& a, const Edge& b) { return a.at != b.at ? a.at < b.at : !a.starts && b.starts; });
    std::map<double, std::size_t> inside;  // resistance span's start -> box
    for (const Edge& edge : edges) {
        const Box& box = boxes[edge.box];
        if (!edge.starts) {
            inside.erase(box.resistance.low);
            continue;
        }
        const auto above = inside.lower_bound(box.resistance.high);
        if (above != inside.begin()) {
            const Box& below = boxes[std::prev(above)->second];
            if (below.resistance.high > box.resistance.low)
                return std::minmax(below.grade, box.grade);
        }
        inside.emplace(box.resistance.low, edge.box);
    }
    return std::nullopt;
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
            findings.push_back(NeverMatches(table, index, *coveredBy));
            continue;
        }
        for (const std::size_t earlier : usable) {
            const GradeLimits& e = table.Grades[earlier].Limits;
            if (Overlap(VoltageSpan(e), voltage) && Overlap(ResistanceSpan(e), resistance))
                findings.push_back(Overlaps(table, index, earlier));
        }
        usable.push_back(index);
    }
    return findings;
}

// A table has a finding exactly when a grade is empty, or an earlier grade covers a later one or
// their insides meet: a grade covered by a grade that is never given is covered by the grade that
// covers that one. A box whose inside is not empty is covered only by a box its inside meets.
std::optional<GradeFinding> AnyFinding(const GradeTable& table)
{
    std::vector<Box> wide;  // room on both axes
    std::vector<Box> thin;  // no width on an axis: its inside is empty and meets nothing
    for (std::size_t index = 0; index < table.Grades.size(); ++index) {
        if (const std::optional<std::string> contradiction = ContradictionIn(table.Grades[index].Limits))
            return GradeFinding{index, GradeFindingKind::Empty, std::nullopt, *contradiction};
        const Box box = BoxOf(table, index);
        const bool hasRoom = box.voltage.low < box.voltage.high && box.resistance.low < box.resistance.high;
        (hasRoom ? wide : thin).push_back(box);
    }
    if (const auto meeting = MeetingBoxes(wide)) {
        const auto [earlier, later] = *meeting;
        return Covers(BoxOf(table, earlier), BoxOf(table, later)) ? NeverMatches(table, later, earlier)
                                                                  : Overlaps(table, later, earlier);
    }
    for (const Box& box : thin) {
        for (std::size_t earlier = 0; earlier < box.grade; ++earlier) {
            if (Covers(BoxOf(table, earlier), box))
                return NeverMatches(table, box.grade, earlier);
        }
    }
    return std::nullopt;
}

} // namespace voltaryn::cells
