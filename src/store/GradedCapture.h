#pragma once

#include "cells/CaptureEngine.h"
#include "cells/Grades.h"
#include "store/StoreTypes.h"

namespace voltaryn::store {

// The store's record of a capture: its numbers and display texts and its temperature in °C. Where
// it goes, station, operator and time are left for the caller, who knows them.
CaptureInput CapturedReading(const cells::CellCapture& capture);
// The same of a captured cell, with its grade's name under `grades`.
CaptureInput GradedCapture(const cells::CellCapture& capture, const cells::GradeTable& grades);

} // namespace voltaryn::store
