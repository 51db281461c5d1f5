#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// How a batch names a cell without a label: by its number, "#0042".
std::string NumberedCellName(std::int64_t number);

// A cell ID as scanned, typed or read from a file, in the one spelling its batch knows the cell
// by, so that a batch never holds one cell under two spellings. The name rule checks and trims it;
// a cell's number in any spelling ("#0010", "0010", "10") becomes NumberedCellName's ("#0010"),
// any other text is a label and stays as it is. Empty: no ID. Throws NameRefused, also for a
// number 0 (numbers start at 1).
std::string NormalCellId(std::string_view id);

// The number a normal cell ID names; nullopt for a label or no ID.
std::optional<std::int64_t> CellNumberOf(std::string_view normalId);

} // namespace voltaryn::cells
