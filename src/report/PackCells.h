#pragma once

#include "cells/PackMap.h"
#include "cells/PackTypes.h"
#include "store/StoreTypes.h"

#include <vector>

namespace voltaryn::report {

// The map of a saved pack; a cell the batch no longer holds shows by its number alone.
cells::PackMap MapSavedPack(const store::PackLayout& pack, const std::vector<store::CellRow>& rows);

} // namespace voltaryn::report
