#pragma once

#include "store/WalkSession.h"

#include <QColor>
#include <QStringList>

#include <optional>
#include <vector>

namespace voltaryn {

// The Inspection window's readings table: every place read or marked missing, in the walk's order,
// with its figures, change, verdict and each policy's verdict, beside the same place's resistance
// in the inspection compared with.
struct WalkReadingsTable {
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<QColor> colours;  // a row's verdict colour
};

// `against` indexes the walk's earlier inspections (JudgedString::records before the last); none:
// no comparison.
WalkReadingsTable WalkReadingsTableOf(const store::WalkSession& walk, const strings::InspectionVerdicts& verdicts,
                                      std::optional<std::size_t> against);

} // namespace voltaryn
