#pragma once

#include "cells/CaptureEngine.h"
#include "cells/Grades.h"
#include "store/StoreTypes.h"

namespace voltaryn::store {

// The store's record of a captured cell graded under `grades`: its numbers and display texts, its
// temperature in °C and its grade's name. Batch, label, station, operator and time are left for
// the caller, who knows them.
CaptureInput GradedCapture(const cells::CellCapture& capture, const cells::GradeTable& grades);

} // namespace voltaryn::store
