#include "cells/CapacityCsv.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

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
