#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <variant>
#include <vector>

namespace voltaryn::cells {

struct CellCsv;

// A cell's capacity is finite, above 0 and at most this many mAh.
inline constexpr double MaxCapacityMah = 1'000'000;

// What is wrong with a capacity in mAh ("is not above 0", "is above 1000000 mAh"); nullopt when a
// cell may have it.
std::optional<std::string> CapacityProblem(double milliAmpHours);

// A capacity cell of a CSV in mAh: a number in the column's unit (Ah when `ampereHours`), or a
// number with its own unit after it ("2.95 Ah", "2950 mAh", any case); otherwise what is wrong,
// told with the column's name ("capacity 'abc' is not a number").
std::variant<double, std::string> ReadCapacity(const CellCsv& csv, std::string_view text, bool ampereHours,
                                               std::string_view column);

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
    std::string id;  // as NormalCellId spells it
    double capacityMah = 0;
};

// The good rows of a file and one text for each bad line ("line 17: capacity 'abc' is not a
// number"), in the order of the lines.
struct CapacityFile {
    std::vector<CapacityRow> rows;
    std::vector<std::string> problems;
};

// Reads a capacity CSV: comma or semicolon separated (the header line decides; with semicolons a
// decimal comma is read as well), quoted as spreadsheets quote. IDs are read as NormalCellId
// spells them. A line is bad when its ID is empty, refused or names an earlier line's cell, or its
// capacity is none ReadCapacity takes; a file without an ID or capacity column has one problem and
// no rows.
CapacityFile ReadCapacityCsv(std::string_view text, const CapacityColumns& columns = {});

// One text for each row whose cell is not among `batchIds` ("line 30: cell 'X9' is not in batch B").
std::vector<std::string> CellsNotInBatch(std::span<const CapacityRow> rows,
                                         const std::unordered_set<std::string>& batchIds, std::string_view batch);

} // namespace voltaryn::cells
