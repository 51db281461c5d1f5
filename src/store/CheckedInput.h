#pragma once

#include "cells/NameRule.h"
#include "store/StoreTypes.h"

namespace voltaryn::store {

// What the store is given, checked by the rules every surface applies as well (cells/NameRule.h,
// cells/CellId.h, cells/CapacityCsv.h) before anything is written or queued; what they refuse is
// thrown as StoreError(Invalid) with the rule's text.

QString CheckedName(cells::NameKind kind, const QString& text);
// The capture with its names trimmed and its label as NormalCellId spells it; a recheck needs one.
// A string reading names its site, string, inspection and place.
CaptureInput CheckedCapture(CaptureInput capture);
// A cell's label as NormalCellId spells it, or the number it spells ("#0007": cell 7); an empty
// label stays empty.
CellKey CheckedCellKey(const QString& label);
// A cell named by a label as CheckedCellKey reads it, or by its number as it is.
CellKey CheckedCellKey(const CellKey& cell);
void CheckCapacity(const CellCapacity& capacity);
void CheckSelfDischarge(const SelfDischargeRules& rules);

} // namespace voltaryn::store
