// Names and cell IDs as typed or read from a capacity file.
#include "cells/CapacityCsv.h"
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
        {Batch, " \t lot 7\u00a0\r\n", "lot 7"}, {Station, "bench\u2003", "bench"}, {Station, "", ""}, {Operator, "kim", "kim"},
        {Batch, longest, longest}, {Grade, accents, accents},  // characters are counted, not bytes
        {Batch, longest + "x", "refused: the batch name is 201 characters long; at most 200 are allowed"},
        {Batch, "  ", "refused: the batch name is empty"}, {Grade, "", "refused: the grade name is empty"},
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
        {CellId, "#0010", "#0010"}, {CellId, " 0010 ", "#0010"}, {CellId, "10", "#0010"}, {CellId, "#12345", "#12345"},
        {CellId, "QR-7", "QR-7"}, {CellId, " qr-7\r", "qr-7"}, {CellId, "#A1", "#A1"}, {CellId, "+10", "+10"}, {CellId, "", ""},
        {CellId, "99999999999999999999", "99999999999999999999"},  // too large for a number: a label
        {CellId, "#0000", "refused: the cell ID names cell 0: cell numbers start at 1"},
        {CellId, "SN\x1b" "1", "refused: the cell ID holds the control character U+001B"},
    };
    for (const auto& [kind, text, kept] : cases)
        EXPECT_EQ(Kept(kind, text), kept) << text;
    EXPECT_EQ(NameProblem(Batch, "lot 7"), std::nullopt);
    EXPECT_EQ(CellNumberOf(NormalCellId("0042")), 42);
    EXPECT_EQ(CellNumberOf(NormalCellId("#A1")), std::nullopt);
}

struct Expected {
    std::string id;
    double capacityMah;
    std::size_t line;
};

TEST(CapacityCsv, FindsColumnsReadsNumbersAndTellsEveryBadLine)
{
    // What, the file, the columns named, the rows read, the problems told.
    const std::tuple<const char*, std::string, CapacityColumns, std::vector<Expected>, std::vector<std::string>> cases[] = {
        {"commas, headers in any case, blank lines skipped",
         "Cell ID,Voltage,Capacity_mAh\r\nA1,3.6,3012.5\r\n\r\nA2,3.6, 2990 \r\n", {}, {{"A1", 3012.5, 2}, {"A2", 2990, 4}}, {}},
        {"semicolons with a decimal comma, ampere-hours", "serial;Capacity (Ah)\nX1;3,012\nX2;2,9\n", {},
         {{"X1", 3012, 2}, {"X2", 2900, 3}}, {}},
        {"a quoted cell spans lines and holds separators", "id,note,mah\n\"B,1\",\"two\nlines\",3000\nB2,,abc\n", {},
         {{"B,1", 3000, 2}}, {"line 4: capacity 'abc' is not a number"}},
        {"capacity_ah and cap are known", "cell,capacity_ah\nC1,3.1\n", {}, {{"C1", 3100, 2}}, {}},
        {"every kind of bad line",
         "id,cap\nD1,abc\nD2,\nD3,-5\nD4,0\n,3000\nD6,3000\nD6,3001\nD8,3000,extra\n", {}, {{"D6", 3000, 7}, {"D8", 3000, 9}},
         {"line 2: capacity 'abc' is not a number", "line 3: capacity '' is not a number",
          "line 4: capacity '-5' is not above 0", "line 5: capacity '0' is not above 0", "line 6: no cell ID",
          "line 8: cell 'D6' is already on line 7"}},
        {"a unit beside the number wins over the column's", "id;Capacity (Ah)\nU1;2950 mAh\nU2; 2,95 ah \nU3;3mah\n", {},
         {{"U1", 2950, 2}, {"U2", 2950, 3}, {"U3", 3, 4}}, {}},
        {"a capacity is finite, above 0 and at most 1000000 mAh",
         "id,mah\nV1,1000000\nV2,1000000.5\nV3,1e400\nV4,inf\nV5,nan\nV6,2 kAh\nV7,1001 Ah\n", {}, {{"V1", 1e6, 2}},
         {"line 3: capacity '1000000.5' is above 1000000 mAh", "line 4: capacity '1e400' is not a number",
          "line 5: capacity 'inf' is not a number", "line 6: capacity 'nan' is not a number",
          "line 7: capacity '2 kAh' is not a number", "line 8: capacity '1001 Ah' is above 1000000 mAh"}},
        {"a cell's number in any spelling is one cell", "id,mah\n2,3000\n#0002,3001\n 0003 ,3002\nSN\x1bX,3003\n", {},
         {{"#0002", 3000, 2}, {"#0003", 3002, 4}},
         {"line 3: cell '#0002' is already on line 2", "line 5: the cell ID holds the control character U+001B"}},
        {"a decimal comma is no number between commas", "id,mah\nE1,\"3,5\"\n", {}, {},
         {"line 2: capacity '3,5' is not a number"}},
        {"columns named on the command line win over the header's names", "Cell,Label,Capacity,Final AH\nF1,L1,1,2.5\n",
         {"label", "final ah"}, {{"L1", 2500, 2}}, {}},
        {"no columns the reader knows", "name,energy\nG1,10\n", {}, {},
         {"line 1: no cell ID column (a header named id, cell, cell id or serial)",
          "line 1: no capacity column (a header named capacity, capacity_mah, mah or cap)"}},
        {"a named column that is not there", "id,mah\nH1,1\n", {"", "charge"}, {}, {"line 1: no column 'charge'"}},
        {"an empty file", "", {}, {},
         {"line 1: no cell ID column (a header named id, cell, cell id or serial)",
          "line 1: no capacity column (a header named capacity, capacity_mah, mah or cap)"}},
    };
    for (const auto& [what, text, columns, rows, problems] : cases) {
        SCOPED_TRACE(what);
        const CapacityFile file = ReadCapacityCsv(text, columns);
        EXPECT_EQ(file.problems, problems);
        ASSERT_EQ(file.rows.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(file.rows[i].id, rows[i].id);
            EXPECT_DOUBLE_EQ(file.rows[i].capacityMah, rows[i].capacityMah);
            EXPECT_EQ(file.rows[i].line, rows[i].line);
        }
    }
}

TEST(CapacityCsv, CellsNotInTheBatchAreToldByLine)
{
    const CapacityFile file = ReadCapacityCsv("id,mah\nA1,1\nX9,2\nA2,3\nx1,4\n");
    EXPECT_EQ(CellsNotInBatch(file.rows, {"A1", "A2", "X1"}, "B"),
              (std::vector<std::string>{"line 3: cell 'X9' is not in batch B", "line 5: cell 'x1' is not in batch B"}));
}

} // namespace
} // namespace voltaryn::cells
