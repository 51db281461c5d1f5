#pragma once

#include "cells/Grades.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace voltaryn::cells {

enum class GradeFindingKind {
    Empty,         // a minimum above its maximum: no cell can get the grade
    NeverMatches,  // an earlier grade admits every cell this one would: it is never given
    Overlaps,      // an earlier grade takes some of this one's cells (often on purpose)
};

// What a grade editor shows beside one grade.
struct GradeFinding {
    std::size_t Grade = 0;  // index into GradeTable::Grades
    GradeFindingKind Kind = GradeFindingKind::Empty;
    std::optional<std::size_t> Earlier;  // the earlier grade that covers or overlaps it
    std::string Text;                    // e.g. `never matches: grade 1 ("A") covers it wholly`

    bool operator==(const GradeFinding&) const = default;
};

// The findings for every grade, in grade order. A grade that is empty or never matches has only
// that finding, and later grades are not checked against it: it takes no cells.
// Limits that merely touch (one grade's maximum is the next one's minimum) do not overlap: the
// shared edge goes to the earlier grade.
std::vector<GradeFinding> ValidateGrades(const GradeTable& table);

// One of ValidateGrades' findings when it has any, else nullopt: whether a table given as a file is
// refused. It takes n log n time for a table of any size, where ValidateGrades compares each grade
// with every earlier one; only grades whose minimum equals their maximum (no width on that axis)
// are still compared with each earlier grade.
std::optional<GradeFinding> AnyFinding(const GradeTable& table);

} // namespace voltaryn::cells
