#pragma once

// Grade tables are stored as JSON:
//
//   {
//     "grades": [
//       { "name": "A", "colour": "#2e7d32", "minVoltage": 2.5, "maxResistance": 25 },
//       { "name": "B", "colour": "#9ccc65", "minVoltage": 2.5, "minResistance": 25, "maxResistance": 40 }
//     ],
//     "reject": { "name": "Reject", "colour": "#c62828" }
//   }
//
// "grades" lists the grades in the order they are tried; it may be empty (every cell is
// rejected). Each grade has a "name" the name rule takes (NameRule.h), unique across the table
// including the reject grade, a "colour" written "#rrggbb", and any of "minVoltage" and "maxVoltage" (volts) and
// "minResistance" and "maxResistance" (milliohms), all inclusive; a missing limit is no limit, and
// a minimum above its maximum is an error. "reject" has a name and colour only. Any other key is an
// error, so a misspelt limit is not silently dropped.

#include "cells/Grades.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// What is wrong with a grade file and where, e.g.
// `grade 2 ("B"): min resistance 40 is above max 25`.
class GradeFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Both throw GradeFileError. A file is also refused for what the grade editor refuses (empty,
// never matching or overlapping grades, GradeValidation.h); its message starts with its path. A
// file that cannot be read throws FileUnreadable (files/FileStatus.h).
GradeTable GradesFromJson(std::string_view text);
GradeTable LoadGradesFile(const std::filesystem::path& path);

std::string GradesToJson(const GradeTable& table);

} // namespace voltaryn::cells
