#pragma once

#include "settings/ComparatorEntry.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn {

// The texts of a limit editor's four digit selectors, the most significant first.
using DigitTexts = std::array<std::string, 4>;

inline constexpr int MaxComparatorCount = 9999;
inline constexpr std::string_view OhmUnitText = " Ohm";
inline constexpr std::string_view MilliOhmUnitText = " mOhm";

// A resistance limit editor. The decimal-point option is numbered by the decimals it gives: 3
// (X.XXX), 2 (XX.XX) or 1 (XXX.X); nothing while none is chosen.
struct OhmEditor {
    DigitTexts digits{"0", "0", "0", "0"};
    std::optional<int> option = 1;
    std::string unit{MilliOhmUnitText};
};

// A voltage limit editor: options 3 and 2 only.
struct VoltEditor {
    DigitTexts digits{"0", "0", "0", "0"};
    std::optional<int> option = 3;
};

// The four limit editors of a comparator entry, as they start before any entry is picked.
struct ComparatorEditors {
    OhmEditor highOhm;
    OhmEditor lowOhm;
    VoltEditor highVolt;
    VoltEditor lowVolt;
};

// The count's four digits, most significant first: 1234 gives "1", "2", "3", "4"; 5 "0", "0", "0", "5".
// A count outside 0..MaxComparatorCount gives the digits of the nearer end.
DigitTexts SplitDigits(int count);

// The number the selectors spell: their texts joined, read up to the first non-digit, at most
// MaxComparatorCount. An empty selector is skipped ("1", "", "3", "4" give 134), a non-digit
// cuts the number ("1", "2", "x", "4" give 12), and no leading digit gives 0.
int JoinDigits(const DigitTexts& digits);

// A voltage at XX.XX above 60.00 becomes 60.00 (digits 6, 0, 0, 0); true when it did.
bool ClampToSixtyVolts(VoltEditor& editor);

// The editors showing an entry, as when its row is picked: digits, options and units. A limit
// whose decimals are not known gets no option chosen.
ComparatorEditors EditorsFor(const ComparatorEntry& entry);

// The entry the editors describe, to be sent with "Update": both voltage editors are clamped
// first (the editors then show their new digits), then the flags and counts are taken.
ComparatorEntry BuildEntry(ComparatorEditors& editors);

} // namespace voltaryn
