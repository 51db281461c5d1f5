#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace voltaryn::cells {

// The columns of a charger's or tester's CSV that hold the cell ID and its capacity. An empty
// name is looked up in the header: id, cell, cell id or serial; capacity, capacity_mah, mah or cap
// (any case, "_" or " " between words). A capacity header naming Ah ("capacity_ah",
// "Capacity (Ah)") holds ampere-hours, converted to mAh.
struct CapacityColumns {
    std::string id;
    std::string capacity;
};

struct CapacityRow {
    std::size_t line = 0;  // from 1, the header being line 1
    std::string id;
    double capacityMah = 0;
};

// The good rows of a file and one text for each bad line ("line 17: capacity 'abc' is not a
// number"), in the order of the lines.
struct CapacityFile {
    std::vector<CapacityRow> rows;
    std::vector<std::string> problems;
};

// Reads a capacity CSV: comma or semicolon separated (the header line decides; with semicolons a
// decimal comma is read as well), quoted as spreadsheets quote. A line is bad when its ID is
// empty or repeats an earlier line's, or its capacity is not a number above 0; a file without an
// ID or capacity column has one problem and no rows.
CapacityFile ReadCapacityCsv(std::string_view text, const CapacityColumns& columns = {});

// One text for each row whose cell is not among `batchIds` ("line 30: cell 'X9' is not in batch B").
std::vector<std::string> CellsNotInBatch(std::span<const CapacityRow> rows,
                                         const std::unordered_set<std::string>& batchIds, std::string_view batch);

} // namespace voltaryn::cells
