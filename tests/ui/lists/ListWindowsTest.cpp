#include "common/TempFolder.h"
#include "support/PdfText.h"
#include "support/PanelHarness.h"

#include "files/ListExport.h"

#include <QPointer>
#include <QScrollBar>

#include <filesystem>
#include <utility>

namespace voltaryn::testing {
namespace {
namespace fs = std::filesystem;

class ListWindowsTest : public PanelHarness {
protected:
    // Opens the live list, lets it take `rows` rows, then opens the manual list of the meter's records.
    void OpenBothLists(int rows)
    {
        OpenLiveList();
        for (int row = 0; row < rows; ++row)
            RecorderTick();
        Click("Memory");
    }
    RecordListWindow* OpenLiveList()
    {
        Rotation();
        recorder.SetSampleTime(1);
        Click("List");
        return List("RealTimeList");
    }

    const TempFolder folder;
};

TEST_F(ListWindowsTest, LiveListFollowsItsNewestRowAfterFifteen)
{
    RecordListWindow* list = OpenLiveList();
    ASSERT_NE(list, nullptr);
    list->show();
    QScrollBar* scroll = list->Grid().verticalScrollBar();
    for (int row = 1; row <= 17; ++row) {
        RecorderTick();
        EXPECT_EQ(scroll->value(), std::max(0, row - 15)) << "after row " << row;
    }
    EXPECT_EQ(list->Grid().currentIndex().row(), 16);
}

TEST_F(ListWindowsTest, EachListSavesWithItsProgressInTheCaptionButNotWhileRecording)
{
    OpenBothLists(2);
    const fs::path saved = folder / "list.txt";
    const fs::path expected = folder / "expected.txt";
    dialogs.saveFileName = QString::fromStdString(saved.string());
    for (const auto& [name, key, title] :
         {std::tuple{"RealTimeList", "Save", "Real Time List"}, {"ManualList", "save", "Manual List"}}) {
        RecordListWindow* list = List(name);
        QStringList captions;
        pump.onEvents = [&] { captions << list->windowTitle(); };
        list->findChild<QAction*>(key)->trigger();
        ASSERT_TRUE(SaveGridFile(expected, list->Model().Table()).Ok());
        EXPECT_EQ(FileBytes(saved), FileBytes(expected)) << name;
        QStringList everyRow;  // the header is row 0
        for (int row = 0; row <= list->Model().rowCount(); ++row)
            everyRow << QString("%1Records Completed").arg(row);
        EXPECT_EQ(captions, everyRow) << name;
        EXPECT_EQ(list->windowTitle(), title) << name;
    }

    dialogs.saveFileName = QString::fromStdString((folder / "recording.txt").string());
    Click("Save");  // a recording starts
    const fs::path refused = folder / "refused.txt";
    dialogs.saveFileName = QString::fromStdString(refused.string());
    List("RealTimeList")->findChild<QAction*>("Save")->trigger();
    EXPECT_EQ(dialogs.messages, QStringList{"Aready in recording mode, close it and try again !"});
    EXPECT_FALSE(fs::exists(refused));
}

// Saving and printing let events run, and a close may come meanwhile: the window must outlive the
// operation, and the file must come out whole.
TEST_F(ListWindowsTest, ClosingAListWhileItSavesOrPrintsLeavesItsFileWhole)
{
    const fs::path file = folder / "list.txt";
    const fs::path expected = folder / "expected.txt";
    dialogs.saveFileName = QString::fromStdString(file.string());
    dialogs.printToPdf = QString::fromStdString((folder / "list.pdf").string());
    // Closed by the recorder at a range change, else by the user.
    for (const auto& [key, byRecorder] : {std::pair{"Save", false}, {"Save", true}, {"Print", false}, {"Print", true}}) {
        SCOPED_TRACE(std::string(key) + (byRecorder ? " closed by the recorder" : " closed by the user"));
        meter.SetRangeCode(3);
        QPointer<RecordListWindow> list = OpenLiveList();
        list->show();
        for (int row = 0; row < 120; ++row)  // more than one printed page
            RecorderTick();

        const RecordTable printed = list->Model().Table();  // printing lays out the rows it starts with
        RecordTable saved;                                  // saving also writes rows added meanwhile
        bool closed = false;
        pump.onEvents = [&] {
            if (!std::exchange(closed, true)) {
                if (byRecorder) {
                    meter.SetRangeCode(4);
                    Rotation();
                    RecorderTick();
                } else {
                    list->close();
                }
                EXPECT_TRUE(list->isHidden());
                saved = list->Model().Table();
            }
            DeleteClosed();
        };
        list->findChild<QAction*>(key)->trigger();
        DeleteClosed();
        EXPECT_TRUE(list.isNull());
        EXPECT_FALSE(recorder.ListRecording());

        if (key == std::string("Save")) {
            ASSERT_TRUE(SaveGridFile(expected, saved).Ok());
            EXPECT_EQ(FileBytes(file), FileBytes(expected));
        } else {  // each row has its own time
            EXPECT_TRUE(PdfText(dialogs.printToPdf).contains(QString::fromStdString(printed.rows.back()[1])));
        }
    }
}

TEST_F(ListWindowsTest, EveryCellFitsItsColumnOnOneLine)
{
    OpenBothLists(5);
    for (const char* name : {"RealTimeList", "ManualList"}) {
        QTableView& grid = List(name)->Grid();
        grid.window()->show();
        EXPECT_FALSE(grid.wordWrap()) << name;
        // The width the view itself asks for the shown cells (public only in the base class).
        const QAbstractItemView& view = grid;
        for (int column = 0; column < grid.model()->columnCount(); ++column)
            EXPECT_LE(view.sizeHintForColumn(column), grid.columnWidth(column)) << name << ", column " << column;
    }
}

TEST(RecordTableModelTest, ShowsTheStartOfALongCellAndKeepsItWhole)
{
    const QString battery = QString::fromUtf8("\xF0\x9F\x94\x8B");  // two UTF-16 units
    const std::vector<std::pair<QString, QString>> cells = {
        {QString(256, '7'), QString(256, '7')},
        {QString(10'000'000, '7'), QString(256, '7') + "…"},
        {QString("°").repeated(300), QString("°").repeated(256) + "…"},  // 600 bytes
        {"a" + battery.repeated(200), "a" + battery.repeated(127) + "…"},  // no pair of units split
    };
    for (const auto& [cell, shown] : cells) {
        RecordTableModel model({{"V"}, {{cell.toStdString()}}});
        EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), shown) << shown.size();
        EXPECT_EQ(model.Table().rows[0][0], cell.toStdString()) << shown.size();
    }
}

} // namespace
} // namespace voltaryn::testing
