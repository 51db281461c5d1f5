#include "files/PrintLayout.h"

#include <gmock/gmock.h>

namespace voltaryn {
namespace {

using ::testing::ElementsAreArray;

// A monospaced print font: 100 twips a character; lines 200 twips high.
double MonoWidth(std::string_view text) { return 100.0 * static_cast<double>(text.size()); }
constexpr double LineHeight = 200;

// A page 12000 twips wide that holds exactly `rows` rows by the four-line rule, plus `slack` twips.
PrintPage PageHolding(std::size_t rows, double slack = 0)
{
    return {.width = 12000, .height = 400 + static_cast<double>(rows + 3) * LineHeight + slack, .lineHeight = LineHeight};
}

TEST(PrintLayoutTest, SizesColumnsByHeaderAndLastRowOnlyAndCentresTheTexts)
{
    const std::vector<std::tuple<const char*, RecordTable, std::vector<double>>> cases = {  // what, table, widths
        {"header wider", {{"Time", "V"}, {{"1", "2"}}}, {500, 200}},
        {"last row wider", {{"V", "T"}, {{"1", "2"}, {"12.63", "10:00:02"}}}, {600, 900}},
        {"a wider middle row does not widen", {{"V"}, {{"-2.000000"}, {"1.0"}}}, {400}},
        {"a cell the last row lacks", {{"A", "B"}, {{"1"}}}, {200, 200}},
    };
    for (const auto& [what, table, widths] : cases) {
        const PrintPlan plan = PlanPrint(table, PageHolding(10), MonoWidth);
        EXPECT_THAT(plan.columnWidth, ElementsAreArray(widths)) << what;
        double left = 400;
        for (std::size_t c = 0; c < widths.size(); left += widths[c++] + ColumnGap)
            EXPECT_EQ(plan.columnLeft[c], left) << what << ", column " << c;
        EXPECT_EQ(plan.tableRight, left) << what;
    }
    // Cells of 700 and 1000 twips starting at 400 and 1100.
    const PrintPlan plan = PlanPrint(std::get<RecordTable>(cases[1]), PageHolding(10), MonoWidth);
    EXPECT_EQ(plan.TextLeft(0, 0), 700);   // "V"
    EXPECT_EQ(plan.TextLeft(2, 1), 1200);  // "10:00:02"
}

TEST(PrintLayoutTest, BreaksPagesWhenFourLinesNoLongerFitBelowTheRowAndNumbersEachPage)
{
    // What, the page, the rows with the header, the rows of each page.
    const std::vector<std::tuple<const char*, PrintPage, std::size_t, std::vector<std::size_t>>> cases = {
        {"exactly at the printable height", PageHolding(5), 10, {5, 5}},
        {"one twip short", PageHolding(5, -1), 10, {4, 4, 2}},
        {"one twip to spare", PageHolding(5, 1), 11, {5, 5, 1}},
        {"header only", PageHolding(5), 1, {1}},
        {"a page too short for any row", PageHolding(1, -LineHeight), 3, {1, 1, 1}},
        {"ten pages", PageHolding(2), 20, std::vector<std::size_t>(10, 2)},
        {"a full recording and its header", PageHolding(50), 36002, [] {
             std::vector<std::size_t> pages(720, 50);
             pages.push_back(2);
             return pages;
         }()},
    };
    for (const auto& [what, page, rows, rowsPerPage] : cases) {
        const PrintPlan plan = PlanPrint({{"No."}, std::vector<RecordRow>(rows - 1, {"1"})}, page, MonoWidth);
        ASSERT_EQ(plan.pages.size(), rowsPerPage.size()) << what;
        std::size_t row = 0;
        for (std::size_t p = 0; p < plan.pages.size(); ++p) {
            EXPECT_EQ(plan.pages[p].firstRow, row) << what << ", page " << p + 1;
            EXPECT_EQ(plan.pages[p].endRow, row + rowsPerPage[p]) << what << ", page " << p + 1;
            for (std::size_t onPage = 0; onPage < rowsPerPage[p]; ++onPage, ++row)
                EXPECT_EQ(plan.rowTop[row], 400 + static_cast<double>(onPage) * LineHeight) << what << ", row " << row;
            const double footerWidth = MonoWidth("P - " + std::to_string(p + 1));
            EXPECT_EQ(plan.pages[p].footerLeft, (12000 - footerWidth) / 2) << what << ", page " << p + 1;
        }
        EXPECT_EQ(plan.footerTop, page.height - 2 * LineHeight) << what;
    }
}

TEST(PrintLayoutTest, TurnsThePaperOrShrinksTheFontWhenTheColumnsDoNotFitAcross)
{
    // Texts of 500 and 1000 twips (the header, and the last row, each with its "0"), two gaps of
    // 100 and margins of 400 on either side: 2500 twips across at full size.
    const RecordTable table{{"Volt", "B"}, {{"-", "-"}, {"1", "12.63 (V)"}}};
    // What, the paper, whether landscape was chosen, the fit.
    const std::vector<std::tuple<const char*, PaperWidths, bool, PrintFit>> cases = {
        {"fits upright", {2500, 4000}, false, {false, 1}},
        {"one twip short upright", {2499, 4000}, false, {true, 1}},
        {"landscape as chosen", {2500, 4000}, true, {true, 1}},
        {"too narrow even turned", {1000, 1750}, false, {true, 0.5}},
        {"too narrow in landscape as chosen", {1000, 1750}, true, {true, 0.5}},
    };
    for (const auto& [what, paper, landscapeChosen, expected] : cases) {
        const PrintFit fit = FitPrint(table, paper, landscapeChosen, MonoWidth);
        EXPECT_EQ(fit.landscape, expected.landscape) << what;
        EXPECT_DOUBLE_EQ(fit.fontScale, expected.fontScale) << what;

        // Planned in the font as fitted, the table leaves the right margin free.
        const auto fittedWidth = [&](std::string_view text) { return fit.fontScale * MonoWidth(text); };
        PrintPage page = PageHolding(10);
        page.width = fit.landscape ? paper.landscape : paper.portrait;
        EXPECT_LE(PlanPrint(table, page, fittedWidth).tableRight, page.width - page.margin) << what;
    }
}

} // namespace
} // namespace voltaryn
