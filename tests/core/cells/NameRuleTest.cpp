#include "cells/CellId.h"
#include "cells/NameRule.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

// What the rule keeps of `text`, or "refused: " and why.
std::string Kept(NameKind kind, std::string_view text)
{
    try {
        return kind == NameKind::CellId ? NormalCellId(text) : CheckedName(kind, text);
    } catch (const NameRefused& refused) {
        return std::string("refused: ") + refused.what();
    }
}

TEST(NameRule, TrimsAndRefusesControlsLengthAndBrokenText)
{
    using enum NameKind;
    const std::string longest(200, 'x');
    std::string accents;
    for (int i = 0; i < 200; ++i)
        accents += "é";
    const std::tuple<NameKind, std::string, std::string> cases[] = {  // kind, text, kept
        {Batch, " \t lot 7\u00a0\r\n", "lot 7"},
        {Station, "bench\u2003", "bench"},
        {Station, "", ""},
        {Operator, "kim", "kim"},
        {Batch, longest, longest},
        {Grade, accents, accents},  // characters are counted, not bytes
        {Batch, longest + "x", "refused: the batch name is 201 characters long; at most 200 are allowed"},
        {Batch, "  ", "refused: the batch name is empty"},
        {Grade, "", "refused: the grade name is empty"},
        {Station, std::string("st\0ation", 8), "refused: the station holds the control character U+0000"},
        {Operator, "\x1b[31mkim", "refused: the operator holds the control character U+001B"},
        {Batch, "lot\r7", "refused: the batch name holds the control character U+000D"},
        {Batch, "lot\n7", "refused: the batch name holds the control character U+000A"},
        {Grade, "A\tB", "refused: the grade name holds the control character U+0009"},
        {Grade, "A\x7f", "refused: the grade name holds the control character U+007F"},
        {Station, "a\u0085b", "refused: the station holds the control character U+0085"},
        {Operator, "kim\u202egnp.exe", "refused: the operator holds the control character U+202E"},
        {Batch, "lot \u202a7", "refused: the batch name holds the control character U+202A"},
        {Batch, "\u2066lot\u2069", "refused: the batch name holds the control character U+2066"},
        {Batch, "lot\u2028seven", "refused: the batch name holds the control character U+2028"},
        {Station, "st\xff", "refused: the station is not UTF-8 text"},
        {Station, "\xc0\xaf", "refused: the station is not UTF-8 text"},  // an overlong '/'
        // A cell's number in any spelling is the cell; anything else is a label as it stands.
        {CellId, "#0010", "#0010"},
        {CellId, " 0010 ", "#0010"},
        {CellId, "10", "#0010"},
        {CellId, "#12345", "#12345"},
        {CellId, "QR-7", "QR-7"},
        {CellId, " qr-7\r", "qr-7"},
        {CellId, "#A1", "#A1"},
        {CellId, "+10", "+10"},
        {CellId, "99999999999999999999", "99999999999999999999"},  // too large for a number: a label
        {CellId, "", ""},
        {CellId, "#0000", "refused: the cell ID names cell 0: cell numbers start at 1"},
        {CellId, "SN\x1b" "1", "refused: the cell ID holds the control character U+001B"},
    };
    for (const auto& [kind, text, kept] : cases)
        EXPECT_EQ(Kept(kind, text), kept) << text;
    EXPECT_EQ(NameProblem(Batch, "lot 7"), std::nullopt);
    EXPECT_EQ(CellNumberOf(NormalCellId("0042")), 42);
    EXPECT_EQ(CellNumberOf(NormalCellId("#A1")), std::nullopt);
}

} // namespace
} // namespace voltaryn::cells
