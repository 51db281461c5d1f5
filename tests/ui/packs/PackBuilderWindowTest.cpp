#include "support/PanelHarness.h"
#include "support/PdfText.h"

#include "cells/GradeJson.h"
#include "report/PackSheetLayout.h"
#include "report/PackSheetPainter.h"
#include "report/ReportPage.h"
#include "store/CellStore.h"
#include "ui/packs/PackBuilderController.h"
#include "ui/packs/PackBuilderWindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <map>
#include <set>

namespace voltaryn::testing {
namespace {

// The program with a cell database of one batch, "Lot 1": `Graded` cells of grade A and four of
// grade B with capacities around 3000 mAh, and two A cells without a capacity.
class PackBuilderTest : public StoreWindowHarness<PackBuilderController, &Application::PackBuilder> {
protected:
    static constexpr int Graded = 24;

    PackBuilderTest() : StoreWindowHarness("Packs")
    {
        const auto store = Store();
        store->CreateBatch("Lot 1", "incoming 18650s", QString::fromStdString(cells::GradesToJson(cells::DefaultLiIonGrades())));
        for (int n = 1; n <= Graded + 6; ++n) {
            const qint64 number = store->RecordCapture(Lot1Capture(n > Graded && n <= Graded + 4 ? "B" : "A", 10 * 3600 + n,
                                                                   3.6 + n % 5 * 0.01, 15 + n % 7))
                                      .cellNumber;
            if (n <= Graded + 4)
                store->SetCapacity("Lot 1", number, 3000 + (n * 37) % 120);
        }
    }

    // A capture into Lot 1 by bench-2, `second` seconds into 2024-03-15 (UTC).
    static store::CaptureInput Lot1Capture(const QString& grade, int second, double volts, double milliOhms)
    {
        return CaptureOf("Lot 1", "bench-2", QDateTime(QDate(2024, 3, 15), QTime(0, 0), Qt::UTC).addSecs(second), volts,
                         milliOhms, grade);
    }

    QTableWidget& Map() { return *Child<QTableWidget>("map"); }

    // Builds, or with `cancel` clicks Cancel while the search is held at its start, and waits for
    // the search's end.
    void Build(int series, int parallel, const QStringList& grades = {"A", "B"}, int voltageSpreadMv = 0,
               bool cancel = false)
    {
        Child<QSpinBox>("series")->setValue(series);
        Child<QSpinBox>("parallel")->setValue(parallel);
        Child<QSpinBox>("voltageSpread")->setValue(voltageSpreadMv);
        auto* list = Child<QListWidget>("grades");
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(grades.contains(list->item(row)->text()) ? Qt::Checked : Qt::Unchecked);
        searchHeld = cancel;
        Click("build");
        if (cancel) {
            Click("cancel");
            searchHeld = false;
            searchHeld.notify_all();
        }
        EXPECT_TRUE(QTest::qWaitFor([this] { return Child<QPushButton>("build")->isEnabled(); }, 30000));
    }
    QString Message() { return Window().Message(); }
    std::tuple<int, int> Shape() { return {Child<QSpinBox>("series")->value(), Child<QSpinBox>("parallel")->value()}; }
    // The IDs in the map, group by group.
    std::vector<QStringList> MapIds()
    {
        std::vector<QStringList> groups(static_cast<std::size_t>(Map().rowCount()));
        for (int g = 0; g < Map().rowCount(); ++g)
            for (int p = 0; p < Map().columnCount() - 2; ++p)
                if (Map().item(g, p) != nullptr)
                    groups[static_cast<std::size_t>(g)] << Map().item(g, p)->text();
        return groups;
    }
    // Each cell's capacity by the ID the map shows.
    std::map<QString, double> Capacities()
    {
        std::map<QString, double> capacities;
        for (const store::CellRow& row : Store()->Cells("Lot 1"))
            capacities[QString("#%1").arg(row.number, 4, 10, QLatin1Char('0'))] = row.capacityMah.value_or(0);
        return capacities;
    }
};

// The window follows the database: what another station adds is offered to the next build.
TEST_F(PackBuilderTest, CellsAndBatchesAnotherStationAddsAreOfferedWithoutReopening)
{
    OpenWindow();
    EXPECT_EQ(Message(), "30 cells in the batch, 0 of them in saved packs.");
    Build(13, 2, {"A"});
    EXPECT_THAT(Message().toStdString(), ::testing::StartsWith("Cannot build"));
    const auto other = Store();
    for (int n = 1; n <= 2; ++n)
        other->SetCapacity("Lot 1", other->RecordCapture(Lot1Capture("A", 86400 + n, 3.6, 16)).cellNumber, 3050);
    other->CreateBatch("Lot 2", {}, QString::fromStdString(cells::GradesToJson(cells::DefaultLiIonGrades())));
    const auto* chooser = Child<QComboBox>("batchChooser");
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->findText("Lot 2") >= 0; }, 30000)) << "never followed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Batches().Cells().rowCount() == 32; }, 30000));
    EXPECT_EQ(chooser->currentText(), "Lot 1");
    Build(13, 2, {"A"});
    EXPECT_THAT(Message().toStdString(), ::testing::StartsWith("Built 13S2P from 26 cells"));
}

// What voltaryn-cli prints over the program's database, or why it failed.
QString CliOutput(const QStringList& args, bool errors = false)
{
    QProcess cli;
    cli.start(VOLTARYN_CLI, args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return QString::fromUtf8(errors ? cli.readAllStandardError() : cli.readAllStandardOutput());
}

// The batch's rules are one: the window's export is `cells`, the window's build leaves out the
// cells `pack` leaves out for the same reasons, and the window's report is `report`.
TEST_F(PackBuilderTest, TheWindowsAndTheCommandLineTellTheBatchAlike)
{
    const auto store = Store();
    store->SavePack("Lot 1", {"P", 1, 2, {{0, 0, 1}, {0, 1, 2}}, {}});
    store->SetCapacity("Lot 1", store->RecordCapture(Lot1Capture("Reject", 11 * 3600, 3.2, 90)).cellNumber, 2900);
    store->RecordRecheck(qint64{3}, Lot1Capture("Reject", 20 * 86400, 3.0, 90));  // cell 3 lost 600 mV in 20 days
    OpenWindow();
    const QStringList db{"--db", storeAddress};

    app.CellSorting().Open();
    WaitForStore();
    dialogs.saveFileName = cellsFolder.filePath("window.csv");
    app.CellSorting().Window()->findChild<QPushButton*>("exportCsv")->click();
    QFile exported(dialogs.saveFileName);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(exported.readAll()), CliOutput(QStringList{"cells", "--batch", "Lot 1", "--format", "csv"} + db));

    Build(40, 1, {"A", "B"});
    const QString cliPack = CliOutput(QStringList{"pack", "--batch", "Lot 1", "-s", "40", "-p", "1"} + db, true);
    const QRegularExpressionMatch windowLeftOut = QRegularExpression("Left out: (.*)\\.$").match(Message());
    const QRegularExpressionMatch cliLeftOut = QRegularExpression("\\(left out: (.*)\\)").match(cliPack);
    ASSERT_TRUE(windowLeftOut.hasMatch() && cliLeftOut.hasMatch()) << Message().toStdString() << cliPack.toStdString();
    EXPECT_EQ(windowLeftOut.captured(1), cliLeftOut.captured(1));
    EXPECT_EQ(windowLeftOut.captured(1), "1 rejected, 2 in a saved pack, 1 suspected of self-discharge, 2 without a capacity");

    dialogs.saveFileName = cellsFolder.filePath("window.pdf");
    ClickAndWait("report");
    CliOutput(QStringList{"report", "--batch", "Lot 1", "-o", cellsFolder.filePath("cli.pdf")} + db);
    // Alike but for the minute each was produced.
    const QRegularExpression produced("Report produced [^\\n]*");
    const QString windowReport = PdfText(dialogs.saveFileName);
    EXPECT_TRUE(windowReport.contains(produced));
    EXPECT_EQ(QString(windowReport).remove(produced), PdfText(cellsFolder.filePath("cli.pdf")).remove(produced));
}

// The window opens with the last build's S and P.
TEST_F(PackBuilderTest, BuildShowsEveryGroupWithItsSumAndTheSpreadsAndItsShapeOpensTheWindowNextTime)
{
    OpenWindow();
    EXPECT_EQ(Child<QComboBox>("batchChooser")->currentText(), "Lot 1");
    EXPECT_EQ(Shape(), std::tuple(13, 4));
    const std::map<QString, double> capacities = Capacities();
    const std::tuple<int, int, QStringList> cases[] = {{3, 2, {"A"}}, {4, 6, {"A"}}, {7, 4, {"A", "B"}}, {1, 1, {"B"}}};
    for (const auto& [series, parallel, grades] : cases) {
        Build(series, parallel, grades);
        ASSERT_EQ(Map().rowCount(), series) << Message().toStdString();
        ASSERT_EQ(Map().columnCount(), parallel + 2);
        EXPECT_EQ(Map().verticalHeaderItem(0)->text(), series == 1 ? "1 − +" : "1 −");
        EXPECT_EQ(Map().verticalHeaderItem(series - 1)->text(), series == 1 ? "1 − +" : QString("%1 +").arg(series));
        std::set<QString> seen;
        double low = 1e9;
        double high = 0;
        for (int g = 0; g < series; ++g) {
            const QStringList ids = MapIds()[static_cast<std::size_t>(g)];
            ASSERT_EQ(ids.size(), parallel);
            double sum = 0;
            for (const QString& id : ids) {
                EXPECT_TRUE(seen.insert(id).second) << id.toStdString() << " placed twice";
                sum += capacities.at(id);
            }
            EXPECT_EQ(Map().item(g, parallel)->text(), QString::number(sum, 'f', 0));
            low = std::min(low, sum);
            high = std::max(high, sum);
        }
        EXPECT_TRUE(Child<QLabel>("spreads")->text().startsWith(QString("Capacity spread %1 mAh").arg(high - low, 0, 'f', 1)))
            << Child<QLabel>("spreads")->text().toStdString();
        EXPECT_TRUE(Message().contains("2 without a capacity") == grades.contains("A"))
            << Message().toStdString();
    }
    Window().close();
    DeleteClosed();
    OpenWindow();
    EXPECT_EQ(Shape(), std::tuple(1, 1));
}

// A build that cannot be made, or is cancelled, leaves no pack and the window ready for the next.
TEST_F(PackBuilderTest, ImpossibleOrCancelledBuildsSayWhyAndLeaveNoPack)
{
    OpenWindow();
    const struct {
        int series;
        int parallel;
        QStringList grades;
        const char* message;
        bool cancel;
        int voltageSpreadMv = 0;
    } cases[] = {
        {5, 5, {"A"}, "Cannot build: needs 25 cells, 24 are eligible: 1 missing. Left out: 4 of other grades, 2 without a capacity.",
         false},
        {2, 3, {"B"}, "needs 6 cells, 4 are eligible: 2 missing.", false},
        {2, 2, {}, "Tick at least one grade.", false},
        {4, 3, {"A"}, "Build cancelled.", true},
        // The A cells stand at five voltages 10 mV apart, four or five at each.
        {6, 3, {"A"}, "needs 6 groups of 3 cells within 0.005 V, the eligible cells make 5", false, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Build(c.series, c.parallel, c.grades, c.voltageSpreadMv, c.cancel);
        EXPECT_TRUE(c.cancel ? Message() == c.message : Message().contains(c.message)) << Message().toStdString();
        EXPECT_EQ(Map().rowCount(), 0);
        EXPECT_FALSE(Child<QPushButton>("save")->isEnabled());
        EXPECT_TRUE(Child<QPushButton>("build")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>("cancel")->isEnabled());
    }
}

// The spare takes the place of the cell replaced, every other cell keeps its own, and the
// message tells the two cells apart by their figures and the pack's new spreads.
TEST_F(PackBuilderTest, ReplacingACellPutsASpareInItsPlaceAndSaysWhatChanged)
{
    OpenWindow();
    Build(3, 2, {"A"});
    std::map<QString, double> resistances;
    for (const store::CellRow& row : Store()->Cells("Lot 1"))
        resistances[QString("#%1").arg(row.number, 4, 10, QLatin1Char('0'))] = row.latest.resistanceMohm.value_or(0);
    const std::map<QString, double> capacities = Capacities();
    const std::pair<int, int> places[] = {{1, 0}, {0, 1}, {2, 1}};  // group, position
    for (const auto& [group, position] : places) {
        std::vector<QStringList> expected = MapIds();
        const QString failed = expected[static_cast<std::size_t>(group)][position];
        Map().setCurrentCell(group, position);
        Click("replace");
        const QRegularExpressionMatch told =
            QRegularExpression("^Replaced " + failed + " by (#\\d{4}): ([+−]\\d+) mAh, ([+−][0-9.]+) mΩ\\. Capacity spread now "
                               "([0-9.]+) mAh \\([+−][0-9.]+\\), resistance spread [0-9.]+ mΩ \\([+−][0-9.]+\\), "
                               "objective [+−][0-9.]+\\.$")
                .match(Message());
        ASSERT_TRUE(told.hasMatch()) << Message().toStdString();
        const QString spare = told.captured(1);
        const auto signedFigure = [](QString text) { return text.replace("−", "-").toDouble(); };
        EXPECT_EQ(signedFigure(told.captured(2)), std::round(capacities.at(spare) - capacities.at(failed)));
        EXPECT_NEAR(signedFigure(told.captured(3)), resistances.at(spare) - resistances.at(failed), 0.006);
        expected[static_cast<std::size_t>(group)][position] = spare;
        EXPECT_EQ(MapIds(), expected) << "only the replaced cell's place changes";
        EXPECT_TRUE(Child<QLabel>("spreads")->text().startsWith("Capacity spread " + told.captured(4) + " mAh"));
    }

    Map().setCurrentCell(1, 2);  // the group's sum: no cell
    Click("replace");
    EXPECT_EQ(Message(), "Select the cell to replace in the map first.");
}

// The report holds the batch, its statistics and the saved pack.
TEST_F(PackBuilderTest, ASavedPackIsInTheStoreAndTheReportAndItsCellsAreNoLongerOffered)
{
    // Cells of grade C, without a capacity, so that the report's appendix runs onto a second page.
    const auto store = Store();
    for (int n = 1; n <= 40; ++n)
        store->RecordCapture(Lot1Capture("C", 11 * 3600 + n, 3.6, 45));
    OpenWindow();
    Build(4, 3, {"A"});
    const std::vector<QStringList> built = MapIds();
    // A build cancelled leaves the pack as it was built, and Save stores that.
    Build(5, 4, {"A", "B"}, 0, true);
    EXPECT_EQ(Message(), "Build cancelled.");
    EXPECT_EQ(MapIds(), built);
    dialogs.answers = {"Front pack"};
    ClickAndWait("save");
    EXPECT_EQ(Message(), "Saved pack \"Front pack\" in batch \"Lot 1\".");

    const std::vector<store::PackLayout> packs = Store()->Packs("Lot 1");
    ASSERT_EQ(packs.size(), 1u);
    EXPECT_EQ(packs[0].name, "Front pack");
    EXPECT_EQ(std::tie(packs[0].series, packs[0].parallel), std::tuple(4, 3));
    ASSERT_EQ(packs[0].cells.size(), 12u);
    for (const store::PackPosition& place : packs[0].cells)
        EXPECT_EQ(built[static_cast<std::size_t>(place.group)][place.position],
                  QString("#%1").arg(place.cellNumber, 4, 10, QLatin1Char('0')));

    dialogs.saveFileName = cellsFolder.filePath("report.pdf");
    ClickAndWait("report");
    EXPECT_EQ(Message(), "Wrote the report of Lot 1 to " + dialogs.saveFileName + ".");
    const QString text = PdfText(dialogs.saveFileName);
    for (const QString expected : {"Batch report: Lot 1", "Measured 2024-03-15", "70 cells", "Saved packs: 1",
                                   "Stations: bench-2", "Notes: incoming 18650s", "Grades", "Statistics", "Resistance",
                                   "Voltage", "Capacity", "Cpk", "Self-discharge", "No cell has been rechecked.",
                                   "Pack Front pack: 4S3P", "Pack \"Front pack\" · batch \"Lot 1\"", "Appendix: cells", "Batch report: Lot 1 · page 1",
                                   "Batch report: Lot 1 · page 2"})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " in\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("A\\s+2\\.500\\s+–\\s+–\\s+25\\.00\\s+26\\s+37\\.1 %"))) << text.toStdString();
    for (const QStringList& group : built)
        for (const QString& id : group)
            EXPECT_TRUE(text.contains(id)) << id.toStdString();
    // The appendix: a row a cell, with its pack, its header again on the page it runs onto.
    EXPECT_EQ(text.count(QRegularExpression("Cell\\s+Grade\\s+V\\s+mΩ")), 2) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(built[0][0] + "\\s+A\\s+3\\.6\\d0\\s+\\d+\\.00\\s+\\d{4}\\s+none\\s+Front pack")))
        << text.toStdString();

    Build(3, 4, {"A"});
    EXPECT_TRUE(Message().contains("needs 12 cells, 12 are eligible") || Map().rowCount() == 3) << Message().toStdString();
    for (const QStringList& group : MapIds())
        for (const QString& id : group)
            for (const QStringList& saved : built)
                EXPECT_FALSE(saved.contains(id)) << id.toStdString() << " is in the saved pack";
}

TEST_F(PackBuilderTest, CsvAndMapPdfHoldEveryCell)
{
    OpenWindow();
    Build(3, 2, {"A"});
    const std::map<QString, double> capacities = Capacities();
    dialogs.saveFileName = cellsFolder.filePath("pack.csv");
    Click("exportCsv");
    QFile csv(dialogs.saveFileName);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).remove(QChar(0xFEFF)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 6);
    EXPECT_EQ(lines[0], "group,position,cell,capacity_mah,resistance_mohm");
    for (int row = 1; row <= 6; ++row) {
        const QStringList fields = lines[row].split(',');
        const int group = (row - 1) / 2;
        EXPECT_EQ(fields[0].toInt(), group + 1);
        EXPECT_EQ(fields[1].toInt(), (row - 1) % 2 + 1);
        EXPECT_EQ(fields[2], MapIds()[static_cast<std::size_t>(group)][(row - 1) % 2]);
        EXPECT_EQ(fields[3].toDouble(), capacities.at(fields[2]));
    }

    // The build sheet: whose pack, its shape, every cell by its full ID, each group's sum, the
    // terminals; saved, it bears the pack's name until a replacement changes it.
    const std::pair<const char*, QString> sheets[] = {
        {"", "Unsaved pack · batch \"Lot 1\""}, {"save", "Pack \"Rear pack\" · batch \"Lot 1\""}, {"replace", "Unsaved pack · batch \"Lot 1\""}};
    dialogs.answers = {"Rear pack"};
    for (const auto& [before, title] : sheets) {
        SCOPED_TRACE(title.toStdString());
        Map().setCurrentCell(0, 0);
        if (std::string_view(before) == "save")
            ClickAndWait(before);
        else if (*before != '\0')
            Click(before);
        dialogs.saveFileName = cellsFolder.filePath("map.pdf");
        Click("exportPdf");
        const QString text = PdfText(dialogs.saveFileName);
        EXPECT_TRUE(text.contains(title + "\n")) << text.toStdString();
        for (const QString expected : {"3S2P · 6 cells", "Group 1", "Group 3", "−", "+"})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " in\n" << text.toStdString();
        const std::vector<QStringList> groups = MapIds();
        for (int g = 0; g < 3; ++g) {
            EXPECT_TRUE(text.contains("Σ " + Map().item(g, 2)->text() + " mAh")) << text.toStdString();
            for (const QString& id : groups[static_cast<std::size_t>(g)])
                EXPECT_TRUE(text.contains(QRegularExpression(id + "\\s"))) << id.toStdString();
        }
    }
    dialogs.saveFileName = cellsFolder.filePath("no such folder/map.pdf");
    Click("exportPdf");
    EXPECT_TRUE(Message().startsWith("cannot write")) << Message().toStdString();
}

// On the A4 page the sheet takes, in either orientation: the bands of groups fill it, every text
// fits its box at the layout's size, and the orientation chosen draws the figures largest. An ID
// beyond a usual label's length is cut rather than shrinking the whole sheet.
TEST(PackSheetLayout, FillsThePageAndFitsEveryFigure)
{
    const struct {
        int series;
        int parallel;
        std::size_t idLength;
        double smallestFont;
    } shapes[] = {{4, 3, 5, 14}, {20, 20, 5, 4}, {13, 4, 5, 10}, {3, 40, 5, 3.5}, {100, 1, 5, 6}, {1, 1, 5, 14},
                  {20, 20, 14, 3.5}, {20, 20, 60, 3.5}};
    std::map<std::size_t, double> largeFonts;  // of the 20S20P sheets, by their IDs' length
    for (const auto& shape : shapes) {
        SCOPED_TRACE(::testing::Message() << shape.series << "S" << shape.parallel << "P, IDs of " << shape.idLength);
        std::vector<std::vector<cells::PackCell>> groups(static_cast<std::size_t>(shape.series));
        int number = 0;
        for (auto& group : groups)
            for (int p = 0; p < shape.parallel; ++p) {
                const std::string digits = std::to_string(++number);
                group.push_back({std::string(shape.idLength - digits.size(), '0') + digits, 2950.0 + number % 97, 21.37, 3.6, "A"});
            }
        const cells::PackMap map = cells::MapGroups(groups);
        double largest = 0;
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            const QSizeF page = report::ReportPage::WholePageSize(orientation);
            const QSizeF area(page.width(), page.height() - 60);
            const report::SheetLayout layout = report::LayOutSheet(area, map);
            largest = std::max(largest, layout.font);
            EXPECT_GE(layout.bands * layout.groupsPerBand, shape.series);
            EXPECT_NEAR(layout.bands * layout.BandHeight(shape.parallel) + (layout.bands - 1) * layout.gap, area.height(), 0.01);
            EXPECT_NEAR(2 * layout.strip + layout.groupsPerBand * layout.column, area.width(), 0.01);
            EXPECT_GE(layout.box, 3 * 1.25 * layout.font);
            const double figures = std::max(report::EmWidth(report::MahText(2950 + 96), false),
                                            report::EmWidth("Σ " + report::MahText(map.groups[0].capacity), true));
            EXPECT_LE(figures * layout.font, layout.column - 4);
        }
        const QPageLayout::Orientation chosen = report::SheetOrientation(map);
        const QSizeF page = report::ReportPage::WholePageSize(chosen);
        const double font = report::LayOutSheet({page.width(), page.height() - 60}, map).font;
        EXPECT_GE(font, largest * 0.99) << "the title's height aside";
        EXPECT_GE(font, shape.smallestFont);
        if (shape.series == 20)
            largeFonts[shape.idLength] = font;
    }
    EXPECT_DOUBLE_EQ(largeFonts.at(14), largeFonts.at(60));
    EXPECT_LT(largeFonts.at(14), largeFonts.at(5));
}

// A long ID is shown whole at a smaller size; one that cannot fit even at the smallest keeps its
// end, which tells the cells apart.
TEST(PackSheet, LongIdsShrinkAndOnlyTheLongestAreCutAtTheirStart)
{
    const std::string shrunk = "LG-INR18650-M50LT-2024-03-LOT7-000030";
    const std::string cut = std::string(150, 'X') + "-END-000031";
    const cells::PackMap map =
        cells::MapGroups({{{"SAMSUNG-30Q-000008", 3000, 20, 3.6, "A"}, {shrunk, 3010, 21, 3.6, "A"}},
                          {{cut, 3005, 22, 3.6, "A"}, {"#0004", 3002, 23, 3.6, "A"}}});
    QTemporaryDir folder;
    const QString file = folder.filePath("sheet.pdf");
    report::WritePackSheet(file, {"P1", "lot"}, map);
    const QString text = PdfText(file);
    for (const std::string& whole : {std::string("SAMSUNG-30Q-000008"), shrunk, std::string("#0004")})
        EXPECT_TRUE(text.contains(QString::fromStdString(whole))) << whole << " in\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("…X+-END-000031"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QString::fromStdString(cut))) << text.toStdString();
}

} // namespace
} // namespace voltaryn::testing
