#include "ui/lists/GridPrinter.h"

#include "ui/common/QtText.h"
#include "ui/lists/ListLayouts.h"

#include "support/PdfText.h"
#include "support/ScriptedDialogService.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

// Records whether the hourglass showed each time printing let events run.
struct CursorWatchingPump : EventPump {
    std::vector<bool> hourglass;
    void LetEventsRun() override
    {
        const QCursor* cursor = QApplication::overrideCursor();
        hourglass.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    }
};

RecordTable Recording(int records)
{
    RecordTable table{{"No.s", "Time", "V"}, {}};
    for (int r = 1; r <= records; ++r)
        table.rows.push_back({std::to_string(r), "10:00:" + std::to_string(10 + r % 50), "12.63"});
    return table;
}

bool Landscape(const QString& pdf)
{
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(QString::fromUtf8(info.readAllStandardOutput()));
    return size.captured(1).toDouble() > size.captured(2).toDouble();
}

bool HasLine(const QString& text, const QString& pattern)
{
    return text.contains(QRegularExpression("^\\s*" + pattern + "\\s*$", QRegularExpression::MultilineOption));
}

// Prints to a PDF file in a temporary folder.
class GridPrinterTest : public ::testing::Test {
protected:
    GridPrinterTest() { dialogs.printToPdf = folder.filePath("list.pdf"); }

    const QTemporaryDir folder;
    testing::ScriptedDialogService dialogs;
};

TEST_F(GridPrinterTest, PrintsEveryRowAndNumbersEveryPage)
{
    for (const auto& [records, minimumPages] : {std::pair{3, 1}, std::pair{150, 2}}) {
        CursorWatchingPump pump;
        const PrintResult result = PrintGrid(dialogs, nullptr, Recording(records), &pump);
        ASSERT_EQ(result.status, PrintStatus::Printed) << records;
        EXPECT_GE(result.pages, minimumPages) << records;
        EXPECT_EQ(pump.hourglass, std::vector<bool>(static_cast<std::size_t>(result.pages), true)) << records;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << records;

        const QString text = testing::PdfText(dialogs.printToPdf);
        EXPECT_EQ(text.count('\f'), result.pages) << records;
        EXPECT_TRUE(HasLine(text, R"(No\.s\s+Time\s+V)")) << records;
        for (int r = 1; r <= records; ++r)
            EXPECT_TRUE(HasLine(text, QString(R"(%1\s+10:00:%2\s+12\.63)").arg(r).arg(10 + r % 50))) << "row " << r;
        // The layout mode drops the narrow spaces around the dash.
        for (int page = 1; page <= result.pages; ++page)
            EXPECT_TRUE(HasLine(text, QString(R"(P\s*-\s*%1)").arg(page))) << "page " << page;
    }
}

TEST_F(GridPrinterTest, TurnsOrShrinksAWideListSoThatNoColumnIsLost)
{
    const RecordRow manualTitles = ManualListLayout().Titles();
    const RecordRow manualRecord = {"12",         "06-16:17:39", "12.62 (V)",  "05.39 (mOhm)", "-2.005 (A)",
                                    "-025.6 (℃)", "0033 (mAh)",  "0333 (mAh)", "-0300 (mAh)"};
    RecordRow wideRecord;
    for (const std::string& title : manualTitles)
        wideRecord.push_back(title + ":" + std::string(30, 'W'));
    struct Case {
        const char* what;
        RecordTable table;
        bool landscape;
    };
    const std::vector<Case> cases = {
        {"narrow list stays upright", Recording(3), false},
        {"manual list turns", {manualTitles, {manualRecord}}, true},
        {"wider than landscape shrinks", {manualTitles, {wideRecord}}, true},
    };
    dialogs.onPrinter = [](QPrinter& printer) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        return printer.setPageOrientation(QPageLayout::Portrait);
    };
    for (const auto& [what, table, landscape] : cases) {
        ASSERT_EQ(PrintGrid(dialogs, nullptr, table).status, PrintStatus::Printed) << what;
        EXPECT_EQ(Landscape(dialogs.printToPdf), landscape) << what;
        const QString text = testing::PdfText(dialogs.printToPdf);
        for (const RecordRow* row : {&table.header, &table.rows.back()})
            for (const std::string& cell : *row)
                EXPECT_TRUE(text.contains(ToQString(cell))) << what << ": " << cell;
    }
}

TEST_F(GridPrinterTest, PrintsNothingWhenCancelledOrWhenThePrinterCannotStart)
{
    dialogs.onPrinter = [](QPrinter&) { return false; };  // set up to print to a file, then cancelled
    EXPECT_EQ(PrintGrid(dialogs, nullptr, Recording(3)).status, PrintStatus::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(dialogs.printToPdf));

    dialogs.onPrinter = nullptr;
    dialogs.printToPdf = folder.filePath("no-such-folder/list.pdf");
    EXPECT_EQ(PrintGrid(dialogs, nullptr, Recording(3)).status, PrintStatus::PrinterFailed);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace voltaryn
