#pragma once

#include "cells/PackMap.h"

namespace voltaryn::report {

class ReportPage;

// The build map on the page: a column per series group (the groups wrap into further blocks when
// they do not fit across), a row per place in the group, each cell's ID on its deviation's colour,
// and under each group its capacity sum and parallel resistance. A legend line tells the scale.
void PaintPackMap(ReportPage& page, const cells::PackMap& map);

} // namespace voltaryn::report
