#pragma once

#include "common/EventPump.h"
#include "link/MeterCommands.h"
#include "settings/ComparatorTable.h"
#include "settings/ComparatorTexts.h"

#include <functional>

namespace voltaryn {

// Receives one grid row of the table as it is read.
using ComparatorRowSink = std::function<void(const ComparatorRowTexts& row)>;

struct ComparatorLoadResult {
    int entriesRead = 0;  // entries 1..entriesRead were read and stored
    bool Complete() const { return entriesRead == ComparatorTable::LastEntry; }
};

// Reads entries 1..99 in order into `table`, hands each one's row to `sink` and lets pending
// events run after it. It stops at the first answer that is not the meter's own (unplugged or
// silent): the link would decode its previous reply again, and that entry and every later one
// keep what the table held.
ComparatorLoadResult LoadComparatorTable(MeterCommands& commands, ComparatorTable& table, EventPump& pump,
                                         const ComparatorRowSink& sink);

} // namespace voltaryn
