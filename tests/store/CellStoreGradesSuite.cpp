// A batch's grade tables, regrading its cells and a cell's history, the same on every engine.
#include "cells/GradeJson.h"
#include "store/BatchCells.h"
#include "store/StoreTestDatabase.h"

#include <QSysInfo>

#include <gmock/gmock.h>

namespace voltaryn::store {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

QString Json(const cells::GradeTable& table) { return QString::fromStdString(cells::GradesToJson(table)); }

// The Li-ion defaults with A up to `maxA` mOhm, B from there to `maxB`, C to 60.
QString Grades(double maxA, double maxB)
{
    cells::GradeTable table = cells::DefaultLiIonGrades();
    table.Grades[0].Limits.MaxResistance = maxA;
    table.Grades[1].Limits.MinResistance = maxA;
    table.Grades[1].Limits.MaxResistance = maxB;
    table.Grades[2].Limits.MinResistance = maxB;
    return Json(table);
}

// A capture of cell `label` with these figures (a resistance of 0: none), taken `second`s before
// the store's clock starts, so before the batch's first table took effect.
CaptureInput Reading(const char* label, int second, double volts, double milliOhms, const char* grade,
                     const char* station = "s1")
{
    CaptureInput capture = Capture(QString::fromUtf8(label), QString::fromUtf8(station), second - 1000,
                                   QString::fromUtf8(grade));
    capture.voltageV = volts;
    capture.resistanceMohm = milliOhms > 0 ? std::optional(milliOhms) : std::nullopt;
    return capture;
}

// The batch's cells (A <= 25, B <= 40 mOhm), sorted under its first table, then the table A <= 15,
// B <= 30 mOhm set.
void SortUnderTwoTables(CellStore& store)
{
    store.CreateBatch(TestBatch, {}, Grades(25, 40));
    const CaptureInput captures[] = {
        Reading("C1", 1, 3.6, 18, "A"),       // A -> B
        Reading("C2", 2, 3.6, 14, "A"),       // stays A
        Reading("C3", 3, 3.6, 12, "A"),       // retested: its latest capture counts, B -> C
        Reading("C3", 4, 3.6, 35, "B"),
        Reading("C4", 5, 3.6, 20, "A"),       // in a saved pack: A -> B, told with its pack
        Reading("C5", 6, 3.6, 10, "A"),       // its retest withdrawn: stays A
        Reading("C5", 7, 3.6, 50, "C", "s2"),
        Reading("C6", 8, 2.0, 10, "Reject"),  // stays Reject
        Reading("C7", 9, 3.6, 0, "A"),        // no resistance: keeps its grade
    };
    for (const CaptureInput& capture : captures)
        store.RecordCapture(capture);
    store.WithdrawLast(TestBatch, QStringLiteral("s2"));
    store.RecordRecheck(QStringLiteral("C1"), Reading("C1", 900, 3.5, 60, "R"));
    store.SavePack(TestBatch, {QStringLiteral("P1"), 1, 1, {{0, 0, 4}}, {}});
    store.SetGrades(TestBatch, Grades(15, 30));
}

// Each cell's grade, the grade it was captured with and whether it was regraded.
std::vector<std::tuple<QString, QString, bool>> Grading(CellStore& store)
{
    std::vector<std::tuple<QString, QString, bool>> grading;
    for (const CellRow& cell : store.Cells(TestBatch))
        grading.emplace_back(cell.latest.grade, cell.latest.capturedGrade, cell.latest.regradedUtc.has_value());
    return grading;
}

TEST_P(StoreTest, ARegradeGradesEachCellsLatestCaptureAgainUnderTheCurrentTableAndTellsWhatChanged)
{
    const auto store = OpenStore(NewDatabase());
    SortUnderTwoTables(*store);
    const RegradeResult result = store->Regrade(TestBatch);
    EXPECT_EQ(result.cells, 6);
    EXPECT_EQ(result.unmeasured, 1);
    // number, from, to, pack
    std::vector<std::tuple<qint64, QString, QString, QString>> changed;
    for (const CellRegrade& cell : result.changed)
        changed.emplace_back(cell.number, cell.from, cell.to, cell.pack);
    EXPECT_THAT(changed, ElementsAre(std::tuple(1, "A", "B", ""), std::tuple(3, "B", "C", ""),
                                     std::tuple(4, "A", "B", "P1")));
    EXPECT_THAT(RegradeCounts(result), ElementsAre(Pair(std::pair<QString, QString>("A", "B"), 2),
                                                   Pair(std::pair<QString, QString>("B", "C"), 1)));
    EXPECT_EQ(RegradeSummary(result), "3 of 6 cells graded again changed grade: A -> B 2, B -> C 1; 1 of them in a "
                                      "saved pack; 1 cell kept its grade: no voltage or resistance was measured");
    const std::vector<std::tuple<QString, QString, bool>> graded = {
        {"B", "A", true}, {"A", "", true}, {"C", "B", true}, {"B", "A", true}, {"A", "", true}, {"Reject", "", true},
        {"A", "", false}};
    EXPECT_EQ(Grading(*store), graded);
    EXPECT_EQ(store->ListBatches()[0].cellsPerGrade.at(QStringLiteral("B")), 2);

    // Again: nothing changes, and each cell keeps the grade it was captured with.
    store->SetGrades(TestBatch, Grades(15, 30));
    EXPECT_TRUE(store->Regrade(TestBatch).changed.empty());
    EXPECT_EQ(Grading(*store), graded);
    // Back to the first table: the grades captured come back, captured_grade still names them.
    store->SetGrades(TestBatch, Grades(25, 40));
    EXPECT_EQ(store->Regrade(TestBatch).changed.size(), 3u);
    EXPECT_EQ(std::get<0>(Grading(*store)[0]), "A");
    EXPECT_EQ(std::get<1>(Grading(*store)[0]), "A");
}

TEST_P(StoreTest, ABatchKeepsEveryGradeTableWithItsTimeAndStationAndTellsWhichOneGradedACell)
{
    const auto store = OpenStore(NewDatabase());
    SortUnderTwoTables(*store);
    const std::vector<GradeTableEntry> tables = store->GradeTables(TestBatch);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].gradesJson, Grades(25, 40));
    EXPECT_EQ(tables[0].effectiveUtc, store->FindBatch(TestBatch)->createdUtc);
    EXPECT_EQ(tables[1].gradesJson, store->FindBatch(TestBatch)->gradesJson) << "the current one last";
    EXPECT_GT(tables[1].effectiveUtc, tables[0].effectiveUtc);
    for (const GradeTableEntry& table : tables)
        EXPECT_EQ(table.station, QSysInfo::machineHostName());

    // Graded before any table took effect: by the first; regraded: by the one then in force; a
    // cell the regrade could not grade, and one captured after it, as they were measured.
    const auto gradedBy = [&] {
        std::vector<std::size_t> indexes;
        for (const CellRow& cell : store->Cells(TestBatch))
            indexes.push_back(GradingTableOf(cell.latest, store->GradeTables(TestBatch)));
        return indexes;
    };
    EXPECT_THAT(gradedBy(), ElementsAre(0, 0, 0, 0, 0, 0, 0));
    store->Regrade(TestBatch);
    store->SetGrades(TestBatch, Grades(10, 30));
    CaptureInput later = Reading("C8", 0, 3.6, 12, "B");
    later.measuredUtc = store->GradeTables(TestBatch).back().effectiveUtc.addSecs(1);
    store->RecordCapture(later);
    EXPECT_THAT(gradedBy(), ElementsAre(1, 1, 1, 1, 1, 1, 0, 2));
    EXPECT_EQ(store->GradeTables(TestBatch).size(), 3u);

    const std::pair<std::function<void()>, StoreErrorKind> failures[] = {
        {[&] { store->Regrade(QStringLiteral("lot-2")); }, StoreErrorKind::NotFound},
        {[&] { store->GradeTables(QStringLiteral("lot-2")); }, StoreErrorKind::NotFound},
        {[&] { store->History(TestBatch, QStringLiteral("C9")); }, StoreErrorKind::NotFound},
        {[&] { store->History(QStringLiteral("lot-2"), qint64{1}); }, StoreErrorKind::NotFound},
    };
    for (const auto& [call, kind] : failures)
        EXPECT_EQ(ErrorOf(call).Kind(), kind);
    // A batch whose current table cannot be read is not regraded by any other.
    store->SetGrades(TestBatch, QStringLiteral("[]"));
    EXPECT_EQ(ErrorOf([&] { store->Regrade(TestBatch); }).Kind(), StoreErrorKind::Failed);
}

TEST_P(StoreTest, ACellsHistoryListsEveryMeasurementInTimeOrderWithdrawnAndRechecksToo)
{
    const auto store = OpenStore(NewDatabase());
    SortUnderTwoTables(*store);
    store->Regrade(TestBatch);
    // cell, then each measurement's kind, withdrawn, grade, captured grade
    using Row = std::tuple<MeasurementKind, bool, QString, QString>;
    constexpr auto Sort = MeasurementKind::Sort;
    const std::pair<CellKey, std::vector<Row>> histories[] = {
        {QStringLiteral("C1"), {{Sort, false, "B", "A"}, {MeasurementKind::Recheck, false, "R", ""}}},
        {qint64{3}, {{Sort, false, "A", ""}, {Sort, false, "C", "B"}}},  // only the latest capture regraded
        {QStringLiteral("#0005"), {{Sort, false, "A", ""}, {Sort, true, "C", ""}}},
    };
    for (const auto& [cell, expected] : histories) {
        std::vector<Row> rows;
        QDateTime previous;
        for (const HistoryEntry& entry : store->History(TestBatch, cell)) {
            rows.emplace_back(entry.kind, entry.withdrawn, entry.measurement.grade, entry.measurement.capturedGrade);
            EXPECT_GE(entry.measurement.measuredUtc, previous);
            previous = entry.measurement.measuredUtc;
        }
        EXPECT_EQ(rows, expected);
    }
    const std::vector<HistoryEntry> c5 = store->History(TestBatch, QStringLiteral("C5"));
    EXPECT_EQ(c5[1].measurement.station, QStringLiteral("s2"));
    EXPECT_EQ(c5[1].measurement.resistanceMohm, 50);
    EXPECT_FALSE(c5[1].measurement.regradedUtc.has_value()) << "a withdrawn capture is not graded again";
}

} // namespace
} // namespace voltaryn::store
