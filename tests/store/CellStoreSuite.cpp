// The store's behaviour, the same on every engine; the instantiations run it on SQLite and on
// PostgreSQL.
#include "cells/GradeJson.h"
#include "store/BatchCells.h"
#include "store/SchemaMigrator.h"
#include "store/SqlConnection.h"
#include "store/StoreError.h"
#include "store/StoreTestDatabase.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <set>
#include <thread>

namespace voltaryn::store {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

std::vector<qint64> Numbers(const std::vector<CellRow>& cells)
{
    std::vector<qint64> numbers;
    for (const CellRow& cell : cells)
        numbers.push_back(cell.number);
    return numbers;
}

// A cell's reading as Capture() takes it at the n-th second, with the recheck grade "R".
CaptureInput Reading(int second) { return Capture({}, QStringLiteral("s1"), second, QStringLiteral("R")); }
QDateTime At(int second) { return Capture({}, {}, second).measuredUtc; }

TEST_P(StoreTest, OpensAnEmptyDatabaseOrOneOfEveryEarlierSchemaAndUpgradesItKeepingItsData)
{
    // A batch with a cell captured once, as every earlier schema holds them.
    const QString oldCell[] = {
        QStringLiteral("INSERT INTO batches (name, created_utc_ms) VALUES ('old', 0)"),
        QStringLiteral("INSERT INTO cells (batch_id, number, label) SELECT id, 1, 'OLD-1' FROM batches"),
        QStringLiteral("INSERT INTO measurements (cell_id, client_uuid, station, operator, measured_utc_ms, voltage_v, "
                       "resistance_mohm, voltage_text, resistance_text, range_text, grade) "
                       "SELECT id, 'old-uuid', 's1', 'kim', 1000, 4.1, 30, '4.100', '', '', 'A' FROM cells")};
    for (int version = 0; version < LatestSchemaVersion(); ++version) {
        SCOPED_TRACE("from schema " + std::to_string(version));
        const StoreAddress address = NewDatabase();
        OpenStoreDatabase(address, 0, version);
        if (version > 0)
            for (const QString& sql : oldCell)
                RunSql(address, sql);
        auto store = OpenStore(address);
        SqlConnection check(address);
        EXPECT_EQ(ReadSchemaVersion(check).current, LatestSchemaVersion());
        EXPECT_EQ(ReadSchemaVersion(check).minCompatible, 6) << "rechecks and kept grade tables are not for older programs";
        EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM schema_migrations")).toInt(), LatestSchemaVersion())
            << "every step recorded";
        EXPECT_EQ(store->FindBatch(QStringLiteral("old")).has_value(), version > 0);
        store->CreateBatch(TestBatch);
        store->SavePack(TestBatch, {QStringLiteral("pack"), 1, 1, {}, {}});
        EXPECT_EQ(store->RecordCapture(Capture({})).cellNumber, 1);
        store->AddSite({QStringLiteral("site")});
        if (version == 0)
            continue;
        EXPECT_EQ(store->FindBatch(QStringLiteral("old"))->selfDischarge, (SelfDischargeRules{-8, 14}));
        CaptureInput recheck = Reading(100);
        recheck.batch = QStringLiteral("old");
        EXPECT_EQ(store->RecordRecheck(QStringLiteral("OLD-1"), recheck).cellNumber, 1);
        const std::vector<CellRow> cells = store->Cells(QStringLiteral("old"));
        ASSERT_EQ(cells.size(), 1u);
        EXPECT_EQ(cells[0].latest.clientUuid, QStringLiteral("old-uuid")) << "a sorting capture";
        EXPECT_EQ(cells[0].reference.value().clientUuid, QStringLiteral("old-uuid"));
        EXPECT_EQ(cells[0].recheck.value().measuredUtc, At(100));
        // Its grade table took effect as the batch was created; the one set now replaces it, and
        // its cell graded again by that one keeps the grade it was captured with.
        const std::vector<GradeTableEntry> first = store->GradeTables(QStringLiteral("old"));
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(first[0].gradesJson, QStringLiteral("[]"));
        EXPECT_EQ(first[0].effectiveUtc, QDateTime::fromMSecsSinceEpoch(0, Qt::UTC));
        EXPECT_EQ(first[0].station, QString());
        store->SetGrades(QStringLiteral("old"), QString::fromStdString(cells::GradesToJson(cells::DefaultLiIonGrades())));
        EXPECT_EQ(store->GradeTables(QStringLiteral("old")).size(), 2u);
        EXPECT_EQ(store->Regrade(QStringLiteral("old")).changed.size(), 1u);
        EXPECT_EQ(store->Cells(QStringLiteral("old"))[0].latest.grade, QStringLiteral("B"));
        EXPECT_EQ(store->Cells(QStringLiteral("old"))[0].latest.capturedGrade, QStringLiteral("A"));
    }
}

// Cells 1 (QR-1, captured at 1 s and after charge at 4 s), 2, 3 (QR-3), 4 (withdrawn), 5 and 6.
std::vector<CaptureReceipt> SortSixCells(CellStore& store)
{
    std::vector<CaptureReceipt> receipts;
    const std::tuple<const char*, const char*, int, const char*> captures[] = {
        {"QR-1", "s1", 1, "A"}, {"", "s1", 2, "A"}, {"QR-3", "s1", 3, "B"}, {"QR-1", "s1", 4, "B"},
        {"", "s2", 5, "A"}, {"", "s1", 7, "A"}, {"", "s1", 8, "C"}};
    for (const auto& [label, station, second, grade] : captures)
        receipts.push_back(store.RecordCapture(Capture(label, station, second, grade)));
    store.WithdrawLast(TestBatch, QStringLiteral("s2"));
    return receipts;
}

TEST_P(StoreTest, ARecheckJoinsTheCellItNamesAndLeavesItsGradeAndLatestCapture)
{
    const StoreAddress address = NewDatabase();
    auto store = OpenStore(address);
    store->CreateBatch(TestBatch);
    const std::vector<CaptureReceipt> sorted = SortSixCells(*store);
    // The cell named, the second the recheck is taken, the cell it reaches (0: refused as the text says).
    const std::tuple<CellKey, int, qint64, const char*> rechecks[] = {
        {QStringLiteral("QR-1"), 100, 1, ""},
        {qint64{2}, 101, 2, ""},
        {QStringLiteral("#0003"), 102, 3, ""},
        {QStringLiteral("QR-9"), 103, 0, "Batch \"lot-1\" has no cell \"QR-9\""},
        {qint64{9}, 104, 0, "Batch \"lot-1\" has no cell 9"},
        {qint64{4}, 105, 0, "Batch \"lot-1\" has no cell 4"},  // its only capture withdrawn
        {qint64{2}, 106, 2, ""},                                // a later one replaces it
        {QStringLiteral("QR-1"), 50, 1, ""},                    // taken before the one at 100 s
    };
    CaptureReceipt first;
    for (const auto& [cell, second, number, refusal] : rechecks) {
        if (number == 0) {
            const StoreError error = ErrorOf([&] { store->RecordRecheck(cell, Reading(second)); });
            EXPECT_EQ(error.Kind(), StoreErrorKind::NotFound) << second;
            EXPECT_EQ(error.Message().toStdString(), refusal);
            continue;
        }
        const CaptureReceipt receipt = store->RecordRecheck(cell, Reading(second));
        EXPECT_EQ(receipt.cellNumber, number) << second;
        EXPECT_EQ(receipt.label, number == 2 ? QString() : QStringLiteral("QR-%1").arg(number)) << second;
        EXPECT_FALSE(receipt.newCell);
        if (second == 100)
            first = receipt;
    }
    CaptureInput again = Reading(100);
    again.clientUuid = first.clientUuid;
    EXPECT_EQ(store->RecordRecheck(QStringLiteral("QR-1"), again).cellNumber, 1) << "sent again";
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM measurements")).toInt(), 7 + 5);
    EXPECT_EQ(store->RecordCapture(Capture({})).cellNumber, 7) << "a recheck takes no cell number";

    // The cell, its latest capture's second and grade, its reference's second and its recheck's.
    const auto expectCells = [&](const std::vector<std::tuple<qint64, int, const char*, int, int>>& expected) {
        const std::vector<CellRow> cells = store->Cells(TestBatch);
        ASSERT_EQ(cells.size(), expected.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const auto& [number, latest, grade, reference, recheck] = expected[i];
            const CellRow& cell = cells[i];
            EXPECT_EQ(cell.number, number);
            EXPECT_EQ(cell.latest.measuredUtc, At(latest)) << number;
            EXPECT_EQ(cell.latest.grade, QString::fromUtf8(grade)) << number;
            ASSERT_TRUE(cell.reference.has_value()) << number;
            EXPECT_EQ(cell.reference->measuredUtc, At(reference)) << number;
            EXPECT_EQ(cell.reference->voltageV, Capture({}, {}, reference).voltageV) << number;
            EXPECT_EQ(cell.recheck.has_value(), recheck > 0) << number;
            if (cell.recheck) {
                EXPECT_EQ(cell.recheck->measuredUtc, At(recheck)) << number;
                EXPECT_EQ(cell.recheck->voltageV, Reading(recheck).voltageV) << number;
                EXPECT_EQ(cell.recheck->temperatureC, 24.5) << number;
            }
        }
    };
    expectCells({{1, 4, "B", 1, 100}, {2, 2, "A", 2, 106}, {3, 3, "B", 3, 102}, {5, 7, "A", 7, 0},
                 {6, 8, "C", 8, 0}, {7, 0, "A", 0, 0}});
    EXPECT_THAT(store->ListBatches()[0].cellsPerGrade,
                ElementsAre(Pair(QStringLiteral("A"), 3), Pair(QStringLiteral("B"), 2), Pair(QStringLiteral("C"), 1)));

    // The capture after charge becomes cell 1's reference; what is not one of its captures in force is refused.
    const QString afterCharge = sorted[3].clientUuid;
    const std::pair<CellKey, QString> notReferences[] = {
        {QStringLiteral("QR-1"), first.clientUuid},      // a recheck
        {QStringLiteral("QR-1"), sorted[1].clientUuid},  // cell 2's
        {QStringLiteral("QR-1"), QStringLiteral("no-such-uuid")},
        {QStringLiteral("QR-9"), afterCharge},
    };
    for (const auto& [cell, uuid] : notReferences)
        EXPECT_EQ(ErrorOf([&] { store->SetReference(TestBatch, cell, uuid); }).Kind(), StoreErrorKind::NotFound);
    store->SetReference(TestBatch, qint64{1}, afterCharge);
    EXPECT_EQ(store->Cell(TestBatch, QStringLiteral("QR-1")).value().reference.value().clientUuid, afterCharge);
    store->SetReference(TestBatch, qint64{1}, {});
    EXPECT_EQ(store->Cell(TestBatch, qint64{1}).value().reference.value().clientUuid, sorted[0].clientUuid) << "the first again";
    // Undo takes back the station's latest capture (none where it captured nothing), with a new
    // cell's capture its cell, and not the later rechecks; a reference withdrawn leaves the first.
    store->SetReference(TestBatch, QStringLiteral("QR-1"), afterCharge);
    EXPECT_FALSE(store->WithdrawLast(TestBatch, QStringLiteral("s3")).has_value());
    EXPECT_EQ(store->WithdrawLast(TestBatch, QStringLiteral("s1")).value().cellNumber, 6);
    EXPECT_EQ(store->WithdrawLast(TestBatch, QStringLiteral("s1")).value().cellNumber, 5);
    const std::optional<WithdrawnCapture> retest = store->WithdrawLast(TestBatch, QStringLiteral("s1"));
    EXPECT_EQ(retest.value().clientUuid, afterCharge);
    EXPECT_EQ(retest->label, QStringLiteral("QR-1"));
    // Undo of rechecks takes back the station's latest ones, the one at 50 s first.
    EXPECT_EQ(store->WithdrawLast(TestBatch, QStringLiteral("s1"), MeasurementKind::Recheck).value().cellNumber, 1);
    EXPECT_EQ(store->WithdrawLast(TestBatch, QStringLiteral("s1"), MeasurementKind::Recheck).value().cellNumber, 2);
    expectCells({{1, 1, "A", 1, 100}, {2, 2, "A", 2, 101}, {3, 3, "B", 3, 102}, {7, 0, "A", 0, 0}});
    EXPECT_EQ(ErrorOf([&] { store->WithdrawLast(QStringLiteral("nope"), QStringLiteral("s1")); }).Kind(),
              StoreErrorKind::NotFound);
    EXPECT_EQ(store->DeleteBatch(TestBatch), 7);
}

// A tray goes in number order over the cells the batch holds (#0004 withdrawn): from the cell
// named, else from the first without a recheck, stored or waiting in the station's queue.
TEST_P(StoreTest, RecheckingATrayGoesOnAtTheFirstCellWithoutARecheck)
{
    auto store = StoreWithBatch();
    SortSixCells(*store);
    for (const auto& [cell, second] : {std::pair<qint64, int>{1, 100}, {2, 106}, {3, 102}})
        store->RecordRecheck(cell, Reading(second));
    const std::pair<std::vector<QString>, qint64> queued[] = {
        {{QStringLiteral("#0005")}, 6}, {{QStringLiteral("#0006"), QStringLiteral("#0005")}, 0}, {{QStringLiteral("QR-3")}, 5}};
    for (const auto& [waiting, number] : queued) {
        const std::vector<CellRow> cells = store->Cells(TestBatch);
        const std::size_t row = TrayStart(cells, 0, waiting).value();
        EXPECT_EQ(row < cells.size() ? cells[row].number : 0, number) << waiting.front().toStdString();
    }
    // The cell rechecked before (0: none), the tray's start (`from`, 0: the first without a
    // recheck) or the cell the tray goes on at after cell `after`, the cell found (0: the tray is
    // done, -1: no such cell).
    enum Step { From, After };
    const std::tuple<qint64, Step, qint64, qint64> trays[] = {
        {0, From, 0, 5}, {0, From, 2, 2}, {0, From, 6, 6}, {0, From, 4, -1}, {0, From, 9, -1},
        {0, After, 3, 5}, {0, After, 5, 6}, {0, After, 6, 0}, {0, After, 0, 1},
        {5, From, 0, 6}, {6, From, 0, 0}, {0, From, 1, 1}};
    for (const auto& [rechecked, step, from, number] : trays) {
        if (rechecked > 0)
            store->RecordRecheck(rechecked, Reading(110));
        const std::vector<CellRow> cells = store->Cells(TestBatch);
        const std::optional<std::size_t> row = step == From ? TrayStart(cells, from, {}) : NextInTray(cells, from);
        const qint64 found = !row ? -1 : *row < cells.size() ? cells[*row].number : 0;
        EXPECT_EQ(found, number) << (step == From ? "from " : "after ") << from;
    }
    const std::pair<CellKey, qint64> cells[] = {
        {QStringLiteral("QR-3"), 3}, {qint64{2}, 2}, {QStringLiteral("#0004"), 0}, {QStringLiteral("QR-9"), 0}};
    for (const auto& [key, number] : cells) {
        const std::optional<CellRow> cell = store->Cell(TestBatch, key);
        EXPECT_EQ(cell ? cell->number : 0, number);
    }
    EXPECT_EQ(store->Cell(TestBatch, QStringLiteral("QR-3")).value().recheck.value().measuredUtc, At(102));
}

TEST_P(StoreTest, ABatchKeepsItsSelfDischargeRules)
{
    auto store = StoreWithBatch();
    EXPECT_EQ(store->FindBatch(TestBatch)->selfDischarge, (SelfDischargeRules{-8, 14}));
    for (const SelfDischargeRules& rules : {SelfDischargeRules{-5.5, 1}, SelfDischargeRules{-12, 90}}) {
        store->SetSelfDischarge(TestBatch, rules);
        EXPECT_EQ(store->FindBatch(TestBatch)->selfDischarge, rules);
    }
    const SelfDischargeRules refused[] = {
        {-8, 0}, {-8, 91}, {0, 14}, {3, 14}, {std::numeric_limits<double>::quiet_NaN(), 14}};
    for (const SelfDischargeRules& rules : refused)
        EXPECT_EQ(ErrorOf([&] { store->SetSelfDischarge(TestBatch, rules); }).Kind(), StoreErrorKind::Invalid)
            << rules.absoluteLimitMvPerDay << " " << rules.minimumRestDays;
    EXPECT_EQ(store->FindBatch(TestBatch)->selfDischarge, (SelfDischargeRules{-12, 90}));
    EXPECT_EQ(ErrorOf([&] { store->SetSelfDischarge(QStringLiteral("lot-2"), {}); }).Kind(), StoreErrorKind::NotFound);
}

TEST_P(StoreTest, RefusesADatabaseThatNeedsANewerProgramButUsesANewerCompatibleOne)
{
    const int latest = LatestSchemaVersion();
    const std::tuple<int, int, bool> cases[] = {  // version, oldest program version it works with, refused
        {latest + 1, latest, false}, {latest + 1, latest + 1, true}, {latest + 5, latest + 3, true}};
    for (const auto& [version, minCompatible, refused] : cases) {
        const StoreAddress address = NewDatabase();
        OpenStore(address);
        RunSql(address, QStringLiteral("INSERT INTO schema_migrations VALUES (%1, %2, 0)").arg(version).arg(minCompatible));
        CellStore store;
        if (!refused) {
            store.Open(address);
            continue;
        }
        const StoreError error = ErrorOf([&] { store.Open(address); });
        EXPECT_EQ(error.Kind(), StoreErrorKind::Incompatible);
        EXPECT_THAT(error.Message().toStdString(),
                    HasSubstr(QStringLiteral("needs Voltaryn schema %1 or newer").arg(minCompatible).toStdString()));
    }
}

TEST_P(StoreTest, CapturesNumberNewCellsAndARetestOfALabelOrNumberAddsToItsCell)
{
    auto store = StoreWithBatch();
    // The label scanned, the grade, then the cell's number and whether it is new. A cell's number
    // in any spelling is that cell; a new cell scanned by a number takes it, and later cells skip it.
    const std::tuple<const char*, const char*, qint64, bool> captures[] = {
        {"", "A", 1, true},       {"QR-7", "B", 2, true}, {"", "C", 3, true}, {"QR-7", "A", 2, false},
        {"qr-7", "B", 4, true},   {"#0001", "C", 1, false}, {" 0003 ", "A", 3, false}, {"7", "B", 7, true},
        {"", "A", 5, true},       {"", "A", 6, true},      {"", "A", 8, true}, {"#0007", "C", 7, false}};
    int second = 0;
    CaptureReceipt retest;
    for (const auto& [label, grade, number, newCell] : captures) {
        const CaptureReceipt receipt = store->RecordCapture(Capture(label, QStringLiteral("s1"), ++second, grade));
        EXPECT_FALSE(receipt.queued);
        EXPECT_EQ(receipt.cellNumber, number) << label;
        EXPECT_EQ(receipt.newCell, newCell) << label;
        EXPECT_FALSE(receipt.clientUuid.isEmpty());
        if (second == 4)
            retest = receipt;
    }
    // A capture sent twice is stored once: its first grade stays.
    CaptureInput again = Capture(QStringLiteral("QR-7"), QStringLiteral("s1"), 4, QStringLiteral("changed"));
    again.clientUuid = retest.clientUuid;
    EXPECT_EQ(store->RecordCapture(again).cellNumber, 2);
    const auto cells = store->Cells(TestBatch);
    ASSERT_THAT(Numbers(cells), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
    EXPECT_EQ(cells[1].label, QStringLiteral("QR-7"));
    EXPECT_EQ(cells[6].label, QString()) << "a cell scanned by its number needs no label";
    EXPECT_EQ(cells[1].latest.grade, QStringLiteral("A"));  // the retest
    EXPECT_EQ(cells[1].latest.measuredUtc, Capture({}, {}, 4).measuredUtc);
    EXPECT_EQ(cells[1].latest.rangeText, QStringLiteral("40 mOhm"));
    EXPECT_DOUBLE_EQ(*cells[1].latest.voltageV, 3.604);
    EXPECT_FALSE(cells[0].capacityMah.has_value());

    const auto batches = store->ListBatches();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].batch.notes, QStringLiteral("incoming 18650"));
    EXPECT_EQ(batches[0].cells, 8);
    EXPECT_THAT(batches[0].cellsPerGrade, ElementsAre(Pair(QStringLiteral("A"), 5), Pair(QStringLiteral("B"), 1),
                                                      Pair(QStringLiteral("C"), 2)));
}

// Names and capacities the rules refuse are refused alike on every engine, before anything is
// written or queued; names around which blanks were typed are kept trimmed.
TEST_P(StoreTest, WhatTheInputRulesRefuseIsNeitherStoredNorQueued)
{
    auto store = StoreWithBatch();
    const auto capture = [](void (*change)(CaptureInput&)) {
        CaptureInput input = Capture(QStringLiteral("L1"));
        change(input);
        return input;
    };
    const std::pair<CaptureInput, const char*> refused[] = {
        {capture([](CaptureInput& c) { c.station = QStringLiteral("st") + QChar(0) + QStringLiteral("ation"); }),
         "the station holds the control character U+0000"},
        {capture([](CaptureInput& c) { c.label = QStringLiteral("SN\x1b[2J"); }), "the cell ID holds the control character U+001B"},
        {capture([](CaptureInput& c) { c.label = QStringLiteral("#0"); }), "cell numbers start at 1"},
        {capture([](CaptureInput& c) { c.operatorName = QStringLiteral("kim\u202e"); }),
         "the operator holds the control character U+202E"},
        {capture([](CaptureInput& c) { c.grade = QStringLiteral(" "); }), "the grade name is empty"},
        {capture([](CaptureInput& c) { c.batch = TestBatch + QString(200, 'x'); }), "at most 200 are allowed"},
    };
    for (const auto& [input, error] : refused) {
        const StoreError thrown = ErrorOf([&] { store->RecordCapture(input); });
        EXPECT_EQ(thrown.Kind(), StoreErrorKind::Invalid) << error;
        EXPECT_THAT(thrown.what(), HasSubstr(error));
    }
    const std::function<void()> alsoRefused[] = {
        [&] { store->CreateBatch(QStringLiteral("lot\r\n2")); },
        [&] { store->FindOrCreateBatch(QStringLiteral("\u2066lot"), {}, {}); },
        [&] { store->SetCapacities(TestBatch, {{qint64{1}, 0.0}}); },
        [&] { store->SetCapacities(TestBatch, {{qint64{1}, -5.0}}); },
        [&] { store->SetCapacities(TestBatch, {{qint64{1}, 2e6}}); },
        [&] { store->SetCapacities(TestBatch, {{qint64{1}, std::numeric_limits<double>::quiet_NaN()}}); },
    };
    for (const auto& call : alsoRefused)
        EXPECT_EQ(ErrorOf(call).Kind(), StoreErrorKind::Invalid);
    EXPECT_TRUE(store->Cells(TestBatch).empty());
    EXPECT_EQ(store->ListBatches().size(), 1u);
    EXPECT_EQ(store->Status().queued, 0);

    CaptureInput spaced = Capture(QStringLiteral(" L1\t"));
    spaced.batch = QStringLiteral(" ") + TestBatch;
    spaced.station = QStringLiteral("s1 ");
    store->RecordCapture(spaced);
    const auto cells = store->Cells(TestBatch);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].label, QStringLiteral("L1"));
    EXPECT_EQ(cells[0].latest.station, QStringLiteral("s1"));
}

TEST_P(StoreTest, CapacitiesAndGradesAreSetOnTheirCellOrBatch)
{
    auto store = StoreWithBatch();
    store->RecordCapture(Capture(QStringLiteral("B1")));
    store->RecordCapture(Capture(QStringLiteral("B2")));
    store->SetCapacity(TestBatch, QStringLiteral("B2"), 3012.5);
    store->SetCapacity(TestBatch, QStringLiteral(" 0001"), 2990.0);
    store->SetCapacity(TestBatch, qint64{1}, std::nullopt);
    store->SetGrades(TestBatch, QStringLiteral(R"({"grades": []})"));
    EXPECT_EQ(store->FindBatch(TestBatch)->gradesJson, QStringLiteral(R"({"grades": []})"));
    const auto cells = store->Cells(TestBatch);
    EXPECT_FALSE(cells[0].capacityMah.has_value());
    EXPECT_EQ(cells[1].capacityMah, 3012.5);

    CaptureInput missingBatch = Capture({});
    missingBatch.batch = QStringLiteral("lot-2");
    const std::pair<std::function<void()>, StoreErrorKind> failures[] = {
        {[&] { store->SetCapacity(TestBatch, QStringLiteral("B9"), 1.0); }, StoreErrorKind::NotFound},
        {[&] { store->SetGrades(QStringLiteral("lot-2"), {}); }, StoreErrorKind::NotFound},
        {[&] { store->RecordCapture(missingBatch); }, StoreErrorKind::NotFound},
        // Capacities set together: all of them, or none when one cell is missing.
        {[&] { store->SetCapacities(TestBatch, {{qint64{1}, 1.0}, {QStringLiteral("B9"), 2.0}}); }, StoreErrorKind::NotFound},
    };
    for (const auto& [call, kind] : failures)
        EXPECT_EQ(ErrorOf(call).Kind(), kind);
    EXPECT_EQ(store->Cells(TestBatch)[0].label, QStringLiteral("B1"));
    EXPECT_FALSE(store->Cells(TestBatch)[0].capacityMah.has_value());
    store->SetCapacities(TestBatch, {{qint64{1}, 3001.0}, {QStringLiteral("B2"), 3002.0}});
    EXPECT_EQ(store->Cells(TestBatch)[0].capacityMah, 3001.0);
    EXPECT_EQ(store->Cells(TestBatch)[1].capacityMah, 3002.0);
}

TEST_P(StoreTest, BatchesArePackedAndDeletedWithTheirCells)
{
    auto store = StoreWithBatch();
    for (int i = 1; i <= 5; ++i)
        store->RecordCapture(Capture(i == 4 ? QStringLiteral("X4") : QString()));
    const PackLayout pack{QStringLiteral("2S2P"), 2, 2, {{0, 0, 1}, {0, 1, 4}, {1, 0, 2}, {1, 1, 3}}, {}};
    store->SavePack(TestBatch, pack);
    const std::pair<PackLayout, StoreErrorKind> refused[] = {
        {{QStringLiteral("2S2P"), 1, 1, {}, {}}, StoreErrorKind::Conflict},                 // name taken
        {{QStringLiteral("other"), 1, 2, {{0, 0, 5}, {0, 1, 3}}, {}}, StoreErrorKind::Conflict},  // cell 3 in a pack
        {{QStringLiteral("other"), 1, 1, {{0, 1, 5}}, {}}, StoreErrorKind::Invalid},
        {{QStringLiteral("other"), 1, 1, {{0, 0, 42}}, {}}, StoreErrorKind::NotFound},
    };
    for (const auto& [layout, kind] : refused)
        EXPECT_EQ(ErrorOf([&] { store->SavePack(TestBatch, layout); }).Kind(), kind) << layout.name.toStdString();
    const auto packs = store->Packs(TestBatch);
    ASSERT_EQ(packs.size(), 1u);  // nothing left of the refused ones
    EXPECT_EQ(packs[0].cells, pack.cells);
    EXPECT_EQ(packs[0].series, 2);
    EXPECT_EQ(ErrorOf([&] { store->SavePack(TestBatch, {QStringLiteral("B"), 1, 1, {{0, 0, 4}}, {}}); }).Message(),
              QStringLiteral("Cell 4 (X4) is already in pack \"2S2P\""));
    QStringList packOfCell;
    for (const CellRow& cell : store->Cells(TestBatch))
        packOfCell << cell.pack;
    EXPECT_EQ(packOfCell, (QStringList{QStringLiteral("2S2P"), QStringLiteral("2S2P"), QStringLiteral("2S2P"),
                                       QStringLiteral("2S2P"), QString()}));

    EXPECT_EQ(ErrorOf([&] { store->CreateBatch(TestBatch); }).Kind(), StoreErrorKind::Conflict);
    EXPECT_EQ(store->DeleteBatch(TestBatch), 5);
    EXPECT_FALSE(store->FindBatch(TestBatch).has_value());
    EXPECT_TRUE(store->ListBatches().empty());
    store->CreateBatch(TestBatch);
    EXPECT_EQ(store->RecordCapture(Capture({})).cellNumber, 1);
}

// Whether `store` hears of another's change; a server's notice takes a moment to arrive.
bool HearsOfOthers(CellStore& store)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (store.OthersChanged())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST_P(StoreTest, AStationHearsOfWhatOthersChangeButNotOfItsOwnWork)
{
    const StoreAddress address = NewDatabase();
    auto watcher = OpenStore(address);
    watcher->CreateBatch(TestBatch);
    EXPECT_TRUE(watcher->OthersChanged()) << "the first answer: anything may have changed";
    auto other = OpenStore(address);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"capture", [&] { other->RecordCapture(Capture(QStringLiteral("B1"))); }},
        {"capacity", [&] { other->SetCapacity(TestBatch, qint64{1}, 3000.0); }},
        {"grades", [&] { other->SetGrades(TestBatch, QStringLiteral(R"({"grades": []})")); }},
        {"pack", [&] { other->SavePack(TestBatch, {QStringLiteral("P"), 1, 1, {{0, 0, 1}}, {}}); }},
        {"another program's SQL", [&] { RunSql(address, QStringLiteral("UPDATE cells SET capacity_mah = 1")); }},
        {"deletion", [&] { other->DeleteBatch(TestBatch); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        watcher->RecordCapture(Capture({}));
        EXPECT_FALSE(watcher->OthersChanged()) << "its own capture is no news";
        change();
        EXPECT_TRUE(HearsOfOthers(*watcher));
        EXPECT_FALSE(watcher->OthersChanged()) << "told once";
    }
}

TEST_P(StoreTest, TwoStationsCapturingIntoOneBatchAtOnceGetDistinctNumbersAndLoseNothing)
{
    const StoreAddress address = NewDatabase();
    OpenStore(address)->CreateBatch(TestBatch);
    // Every third capture is of a label that both stations scan: one cell, two measurements.
    constexpr int kEach = 150;
    constexpr int kShared = kEach / 3;
    std::vector<qint64> numbers[2];
    std::string failures[2];
    std::vector<std::thread> stations;
    for (int s = 0; s < 2; ++s) {
        const QString queue = folder_.filePath(QStringLiteral("station-%1.db").arg(s));
        stations.emplace_back([&, s, queue] {
            try {
                CellStore store({queue});
                store.Open(address);
                for (int i = 0; i < kEach; ++i) {
                    const QString label = i % 3 == 0 ? QStringLiteral("shared-%1").arg(i) : QString();
                    numbers[s].push_back(store.RecordCapture(Capture(label, QStringLiteral("s%1").arg(s), i)).cellNumber);
                }
            } catch (const StoreError& error) {
                failures[s] = error.what();
            }
        });
    }
    for (auto& station : stations)
        station.join();
    EXPECT_EQ(failures[0] + failures[1], "");

    std::set<qint64> distinct(numbers[0].begin(), numbers[0].end());
    distinct.insert(numbers[1].begin(), numbers[1].end());
    EXPECT_EQ(distinct.size(), std::size_t{2 * kEach - kShared});
    EXPECT_EQ(*distinct.rbegin(), 2 * kEach - kShared);  // no number skipped
    for (int i = 0; i < kEach; i += 3)
        EXPECT_EQ(numbers[0][i], numbers[1][i]) << "shared-" << i;
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM measurements")).toInt(), 2 * kEach);
}

TEST_P(StoreTest, StationsStartingTheSameNewBatchOnANewDatabaseAtOnceAllGetTheOneBatch)
{
    const StoreAddress address = NewDatabase();  // on SQLite not even a file yet
    constexpr int kStations = 20;
    std::vector<std::string> failures(kStations);
    std::vector<QString> grades(kStations);
    std::vector<int> created(kStations);  // not vector<bool>: each station writes its own element
    std::vector<std::thread> stations;
    for (int s = 0; s < kStations; ++s) {
        stations.emplace_back([&, s] {
            try {
                CellStore store({folder_.filePath(QStringLiteral("start-%1.db").arg(s))});
                store.Open(address);
                bool made = false;
                grades[s] = store.FindOrCreateBatch(TestBatch, {}, QStringLiteral("[%1]").arg(s), &made).gradesJson;
                created[s] = made ? 1 : 0;
            } catch (const StoreError& error) {
                failures[s] = error.what();
            }
        });
    }
    for (auto& station : stations)
        station.join();
    for (int s = 0; s < kStations; ++s) {
        EXPECT_EQ(failures[s], "") << "station " << s;
        EXPECT_EQ(grades[s].toStdString(), grades[0].toStdString()) << "station " << s;  // the first one's
    }
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM batches")).toInt(), 1);
    const auto creator = std::ranges::find(created, 1);
    ASSERT_NE(creator, created.end()) << "one station is told it created the batch";
    EXPECT_EQ(std::ranges::count(created, 1), 1);
    EXPECT_EQ(grades[0], QStringLiteral("[%1]").arg(creator - created.begin())) << "its grades are the batch's";
}

} // namespace
} // namespace voltaryn::store
