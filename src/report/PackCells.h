#pragma once

#include "cells/PackMap.h"
#include "cells/PackTypes.h"
#include "store/StoreTypes.h"

#include <vector>

namespace voltaryn::report {

// The batch's cells as the pack builder takes them: named as store::CellName names them, without a capacity
// (0) when none is known, without a resistance when the latest reading has none.
std::vector<cells::PackCell> PackCellsOf(const std::vector<store::CellRow>& rows);

// The map of a saved pack; a cell the batch no longer holds shows by its number alone.
cells::PackMap MapSavedPack(const store::PackLayout& pack, const std::vector<store::CellRow>& rows);

} // namespace voltaryn::report
