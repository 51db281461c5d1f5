#include "cells/CellSortingHarness.h"

#include "cells/GradeJson.h"
#include "common/TempFolder.h"
#include "ui/cells/QuantityHistogram.h"
#include "ui/common/SideBySideOrTabs.h"
#include "ui/packs/PackBuilderWindow.h"

#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QTranslator>

#include <gmock/gmock.h>

namespace voltaryn::testing {
namespace {

// The window in a language: its translation and its locale, for as long as the test runs.
struct Language {
    const char* name;
    const char* translation;  // the .qm file's language, empty for English
    QLocale locale;
    QChar decimal;
    char csvSeparator;
    const char* firstTitles;  // of the table's columns, as the spreadsheet CSV heads them
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

const Language English{"English", "", QLocale(QLocale::English, QLocale::UnitedStates), '.', ',', "Cell,Voltage (V)"};
const Language German{"German", "de", QLocale(QLocale::German, QLocale::Germany), ',', ';', "Zelle;Spannung (V)"};

// A laptop's screen less the title bar and a panel.
constexpr QSize LaptopWindow(1280, 690);

class CellSortingLaptopTest : public CellSortingTest, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override
    {
        const Language& language = GetParam();
        QLocale::setDefault(language.locale);
        if (*language.translation != '\0') {
#ifdef VOLTARYN_TRANSLATIONS_DIR
            ASSERT_TRUE(translator_.load(QString("voltaryn_%1").arg(language.translation), VOLTARYN_TRANSLATIONS_DIR));
            QCoreApplication::installTranslator(&translator_);
#else
            GTEST_SKIP() << "built without lrelease: no translations";
#endif
        }
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&translator_);
        QLocale::setDefault(QLocale::c());
    }

    // A capture in the window's language.
    void CaptureHere()
    {
        Capture(qPrintable(QCoreApplication::translate("voltaryn::CellSortingController", "Captured → %1").arg("")));
    }
    // The layouts settled at the window's present size, twice over for the rows that wrap.
    void Settle()
    {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }
    QRect InWindow(const QWidget& widget) { return QRect(widget.mapTo(&Window(), QPoint()), widget.size()); }

    QTranslator translator_;
};

TEST_P(CellSortingLaptopTest, TheWindowFitsALaptopScreenWithNothingClippedAndTheTileFollowsItsSize)
{
    OpenWindow();
    CaptureHere();
    Settle();
    const QSize minimum = Window().minimumSize();
    EXPECT_GT(minimum.width(), 0) << "the layouts give the window a minimum size";
    EXPECT_LE(minimum.width(), LaptopWindow.width());
    EXPECT_LE(minimum.height(), LaptopWindow.height());

    Window().resize(LaptopWindow);
    Settle();
    ASSERT_EQ(Window().size(), LaptopWindow);
    for (const QAbstractButton* button : Window().findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&Window()) || button->parentWidget()->inherits("QTabBar"))
            continue;
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_TRUE(Window().rect().contains(InWindow(*button))) << "wholly in the window";
        EXPECT_GE(button->width(), button->sizeHint().width()) << "its text whole";
    }
    const auto* histograms = Child<SideBySideOrTabs>("histograms");
    for (const auto* histogram : Window().findChildren<QuantityHistogram*>()) {
        SCOPED_TRACE(histogram->objectName().toStdString());
        EXPECT_TRUE(histogram->isVisibleTo(&Window()) || !histograms->SideBySide()) << "on show or a tab away";
        if (histogram->isVisibleTo(&Window())) {
            EXPECT_GE(histogram->width(), histogram->minimumWidth());
            EXPECT_TRUE(Window().rect().contains(InWindow(*histogram)));
        }
    }
    // The column titles are not clipped: of the cells, and of the statistics, all in view.
    const auto* statistics = Child<BatchStatisticsPanel>("statistics");
    for (const QTableView* table : {static_cast<const QTableView*>(Child<QTableView>("cellTable")),
                                    static_cast<const QTableView*>(statistics)}) {
        const QHeaderView& header = *table->horizontalHeader();
        for (int column = 0; column < header.count(); ++column)
            EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column))
                << table->objectName().toStdString() << " " << column;
    }
    EXPECT_LE(statistics->horizontalHeader()->length(), statistics->viewport()->width());
    EXPECT_TRUE(Window().rect().contains(InWindow(*statistics)));

    // The tile's lettering grows with the window, and the grade stays within its line.
    const auto* grade = Child<QLabel>("tileGrade");
    const qreal laptopPoints = grade->font().pointSizeF();
    Window().resize(LaptopWindow * 3 / 2);
    Settle();
    EXPECT_GT(grade->font().pointSizeF(), laptopPoints * 1.2);
    EXPECT_LE(grade->fontMetrics().horizontalAdvance(grade->text()), grade->contentsRect().width());
}

// Every figure the window shows, copies and writes for a spreadsheet is in the user's language;
// the machine CSV is as `voltaryn-cli cells` writes it in any.
TEST_P(CellSortingLaptopTest, NumbersAreInTheUsersLanguageExceptInTheMachineCsv)
{
    const Language& language = GetParam();
    const std::string decimal = QString("-?[0-9]+[%1][0-9]+").arg(language.decimal).toStdString();
    const auto localised = [&decimal](const QString& text, const char* what) {
        EXPECT_THAT(text.toStdString(), ::testing::ContainsRegex(decimal)) << what;
    };
    OpenWindow();
    for (int cell = 0; cell < 3; ++cell)
        CaptureHere();

    localised(Text("tileVoltage"), "tile voltage");
    localised(Text("tileResistance"), "tile resistance");
    localised(QTextDocumentFragment::fromHtml(Text("gradeCounts")).toPlainText(), "yields");
    const auto* statistics = Child<BatchStatisticsPanel>("statistics");
    using Panel = BatchStatisticsPanel;
    for (const auto column : {Panel::MeanColumn, Panel::MedianColumn, Panel::StdDevColumn, Panel::P95Column})
        EXPECT_THAT(statistics->Text(Panel::VoltageRow, column).toStdString(), ::testing::MatchesRegex(decimal));
    auto* voltage = Child<QuantityHistogram>("voltageHistogram");
    voltage->replot();
    EXPECT_THAT(voltage->xAxis->tickVectorLabels().join(' ').toStdString(),
                ::testing::Not(::testing::HasSubstr(language.decimal == ',' ? "." : ",")));
    EXPECT_EQ(voltage->locale().decimalPoint(), language.decimal);

    // Copied rows, as a spreadsheet of the language reads them.
    auto* table = Child<QTableView>("cellTable");
    table->selectAll();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 4);
    const QStringList row = copied[1].split('\t');
    ASSERT_EQ(row.size(), CellTableModel::ColumnCount);
    EXPECT_EQ(row[CellTableModel::CellColumn], "#0001");
    for (const auto column : {CellTableModel::VoltageColumn, CellTableModel::ResistanceColumn, CellTableModel::TemperatureColumn})
        EXPECT_THAT(row[column].toStdString(), ::testing::MatchesRegex(decimal)) << column;

    dialogs.saveFileName = cellsFolder.filePath("spreadsheet.csv");
    Click("exportSpreadsheet");
    const std::string bytes = FileBytes(dialogs.saveFileName.toStdString());
    ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "a byte order mark, so that the spreadsheet reads UTF-8";
    const QStringList lines = QString::fromUtf8(bytes.substr(3)).split("\r\n");
    ASSERT_EQ(lines.size(), 5) << "the titles, three cells and the empty rest after the last line end";
    EXPECT_TRUE(lines[0].startsWith(language.firstTitles)) << lines[0].toStdString();
    EXPECT_EQ(lines[1], row.join(QChar(language.csvSeparator))) << "the copied row's cells";

    dialogs.saveFileName = cellsFolder.filePath("machine.csv");
    Click("exportCsv");
    const QList<QByteArray> machine = QByteArray::fromStdString(FileBytes(dialogs.saveFileName.toStdString())).split('\n');
    EXPECT_TRUE(machine[0].startsWith("batch,cell,number,voltage_v,resistance_mohm,"));
    EXPECT_THAT(machine[1].split(',')[3].toStdString(), ::testing::MatchesRegex("[0-9]+[.][0-9]+")) << "3.686 in any language";
}

INSTANTIATE_TEST_SUITE_P(Languages, CellSortingLaptopTest, ::testing::Values(English, German),
                         [](const auto& info) { return std::string(info.param.name); });

// The newest capture stays in view as the cells arrive, unless the user scrolled away from it.
TEST_F(CellSortingTest, TheNewestCaptureStaysInViewUnlessTheUserScrolledAway)
{
    const auto store = Store();
    store->CreateBatch("long lot", {}, QString::fromStdString(cells::GradesToJson(cells::DefaultLiIonGrades())));
    for (int cell = 0; cell < 60; ++cell)
        store->RecordCapture(CaptureOf("long lot", "bench-9", QDateTime(QDate(2024, 3, 14), QTime(9, 0), Qt::UTC).addSecs(cell),
                                       3.6, 20, "A"));
    OpenWindow();
    AfterStore([this] { emit Child<QComboBox>("batchChooser")->textActivated("long lot"); });
    ASSERT_EQ(Rows().size(), 60u);
    auto* table = Child<QTableView>("cellTable");
    const auto shown = [table](int row) {
        return table->viewport()->rect().intersects(table->visualRect(table->model()->index(row, 0)));
    };
    EXPECT_TRUE(shown(59)) << "the batch opens at its newest cell";
    EXPECT_FALSE(shown(0)) << "too many cells for the table to show all";

    Capture();
    EXPECT_TRUE(shown(60)) << "the new capture";
    table->verticalScrollBar()->setValue(0);
    Capture();
    EXPECT_TRUE(shown(0)) << "where the user scrolled to";
    EXPECT_FALSE(shown(61));
}

// The keyboard: Tab leaves the table, the cell windows' keys work from every window, and the
// shortcut list asked from a window shows that window's own keys.
TEST_F(CellSortingTest, TabLeavesTheTableAndTheCellKeysWorkFromEveryWindow)
{
    panel.show();  // whose menus hold the keys
    OpenWindow();
    Capture();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    auto* table = Child<QTableView>("cellTable");
    table->setFocus(Qt::TabFocusReason);
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), table);
    EXPECT_EQ(QApplication::focusWidget()->window(), &Window());

    QStringList listed;
    dialogs.modal = [&listed](QDialog& dialog) {
        const auto* shortcuts = dialog.findChild<QTableWidget*>("Shortcuts");
        for (int row = 0; row < shortcuts->rowCount(); ++row)
            listed << shortcuts->item(row, 0)->text() + ": " + shortcuts->item(row, 1)->text() + "="
                          + shortcuts->item(row, 2)->text();
    };
    QTest::keyClick(&Window(), Qt::Key_Slash, Qt::ControlModifier);
    const QString title = Window().windowTitle();
    for (const QString own : {"Undo last capture=Ctrl+Z", "Import capacities…=Ctrl+I", "Copy=Ctrl+C"})
        EXPECT_TRUE(listed.contains(title + ": " + own)) << own.toStdString() << " in " << listed.join(", ").toStdString();
    EXPECT_TRUE(listed.contains("Cells: Pack Builder=Ctrl+Shift+B")) << "and the menus' commands";

    QTest::keyClick(&Window(), Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    PackBuilderWindow* packs = app.PackBuilder().Window();
    ASSERT_NE(packs, nullptr) << "Ctrl+Shift+B in the Cell Sorting window";
    Window().close();
    DeleteClosed();
    ASSERT_EQ(Controls().Window(), nullptr);
    packs->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(packs));
    QTest::keyClick(packs, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(Controls().Window(), nullptr) << "Ctrl+Shift+C in the Pack Builder window";
}

} // namespace
} // namespace voltaryn::testing
