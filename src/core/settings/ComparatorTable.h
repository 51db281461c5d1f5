#pragma once

#include "settings/ComparatorEntry.h"

#include <array>
#include <cstddef>
#include <stdexcept>

namespace voltaryn {

// The program's copy of the meter's comparator table, entries 1..99.
class ComparatorTable {
public:
    static constexpr int FirstEntry = 1;
    static constexpr int LastEntry = 99;

    static constexpr bool IsEntryNumber(int number) { return number >= FirstEntry && number <= LastEntry; }

    // Entry `number`; any other number than 1..99 throws std::out_of_range.
    ComparatorEntry& At(int number) { return entries_.at(Index(number)); }
    const ComparatorEntry& At(int number) const { return entries_.at(Index(number)); }

private:
    static std::size_t Index(int number)
    {
        if (!IsEntryNumber(number))
            throw std::out_of_range("comparator entry number outside 1..99");
        return static_cast<std::size_t>(number);
    }

    std::array<ComparatorEntry, LastEntry + 1> entries_{};  // numbered as the meter numbers them; 0 unused
};

} // namespace voltaryn
