#include "support/PanelHarness.h"

#include "ui/cells/CellTableModel.h"
#include "ui/cells/GradeColour.h"

#include <QSortFilterProxyModel>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

store::CellRow Cell(qint64 number, double resistance, const char* grade, const char* label = "")
{
    store::CellRow cell;
    cell.number = number;
    cell.label = label;
    cell.latest.resistanceMohm = resistance;
    cell.latest.grade = grade;
    return cell;
}

// The window's proxy: numbers sort as numbers, and one grade can be shown alone.
TEST(CellTableModelTest, SortsByNumberFiltersByGradeAndTakesRetestsInPlace)
{
    CellTableModel cells;
    cells.Reset({Cell(1, 9.5, "A"), Cell(2, 100.25, "Reject"), Cell(3, 24.0, "A", "LOT7-3")});
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&cells);
    sorted.setSortRole(CellTableModel::SortRole);
    sorted.sort(CellTableModel::ResistanceColumn);
    EXPECT_EQ(testing::Texts(sorted, CellTableModel::ResistanceColumn), QStringList({"9.50", "24.00", "100.25"}));
    EXPECT_EQ(testing::Texts(sorted, CellTableModel::CellColumn), QStringList({"#0001", "LOT7-3", "#0002"}));

    sorted.setFilterKeyColumn(CellTableModel::GradeColumn);
    sorted.setFilterRegularExpression("^A$");
    EXPECT_EQ(testing::Texts(sorted, CellTableModel::CellColumn), QStringList({"#0001", "LOT7-3"}));

    cells.Upsert(Cell(1, 60.0, "Reject"));  // a retest of cell 1 moves it out of grade A
    cells.Upsert(Cell(4, 12.0, "A"));
    EXPECT_EQ(testing::Texts(sorted, CellTableModel::CellColumn), QStringList({"#0004", "LOT7-3"}));
    EXPECT_EQ(cells.rowCount(), 4);
}

// The default grades' colours, as the tile and the table show them.
TEST(GradeColourTest, TextStandsOutFromEachGradesColour)
{
    const std::pair<const char*, QColor> cases[] = {{"#2e7d32", Qt::white}, {"#9ccc65", Qt::black}, {"#f9a825", Qt::black},
                 {"#c62828", Qt::white}, {"#000000", Qt::white}, {"#ffffff", Qt::black}};
    for (const auto& [background, text] : cases)
        EXPECT_EQ(TextColourOn(QColor(background)), text) << background;
}

} // namespace
} // namespace voltaryn
