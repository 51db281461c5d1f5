#include "support/PanelHarness.h"

#include "ui/lists/DataListWindow.h"
#include "ui/memory/MemoryWindow.h"

#include <QStandardItemModel>

namespace voltaryn::testing {
namespace {

class SdCardTest : public PanelHarness {
protected:
    SdCardTest() { Rotation(); }

    MemoryWindow* Memory() const { return panel.findChild<MemoryWindow*>("Memory"); }
    QStringList FileColumn(int column) const { return Texts(*Memory()->Files().model(), column); }
    void ClickFileRow(int row) const { ClickCell(Memory()->Files(), row); }
    // Fills the delete panel, picks `choice` and clicks its OK.
    void DeleteThrough(const QString& choice)
    {
        Click("DeleteSD");
        auto* choices = Child<QComboBox>("CbxSDClear");
        choices->setCurrentText(choice);
        Child<QPushButton>("BtnSDClearOK")->click();
    }
};

// Whatever else pauses polling during a download (here a setting asked for and declined) leaves
// the poll off until the download ends: no display request comes between its exchanges.
TEST_F(SdCardTest, APauseThatEndsDuringADownloadLeavesThePollOffUntilTheDownloadEnds)
{
    Click("SDcard");
    int events = 0;
    pump.onEvents = [this, &events] {
        if (++events == 3)
            Click("Avg");
        if (Polling())
            app.Poll();  // what the run timer would do now
    };
    const std::size_t before = backend.written.size();
    ClickFileRow(1);
    pump.onEvents = nullptr;
    std::string kinds;  // 'S' an SD chunk request, 'D' a display read
    for (std::size_t i = before; i < backend.written.size(); ++i)
        if (const std::uint8_t code = backend.written[i][1]; code == 67 || code == 66)
            kinds += code == 67 ? 'S' : 'D';
    EXPECT_GT(events, 3);
    EXPECT_EQ(kinds.find('D'), std::string::npos) << kinds;
    EXPECT_TRUE(Polling());
}

TEST_F(SdCardTest, ListDownloadDeleteAndListAgain)
{
    Click("SDcard");
    ASSERT_NE(Memory(), nullptr);
    EXPECT_EQ(Memory()->windowTitle(), "Data Logger");
    ASSERT_EQ(FileColumn(0), (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(FileColumn(2), (QStringList{"120", "5000", "600", "3"}));
    EXPECT_EQ(Label("LblSize"), "2000000 K");
    EXPECT_EQ(Label("LblRemain"), QString::number(meter.Card().FreeKilobytes()) + " K");
    EXPECT_EQ(Memory()->findChild<QLabel*>("LblMessage")->text(), "Loading=> 100.00 %");
    EXPECT_TRUE(Polling());

    ClickFileRow(3);
    auto* list = panel.findChild<DataListWindow*>("DataList");
    ASSERT_NE(list, nullptr);
    const RecordTable& table = list->Model().Table();
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[2][0], "3");
    EXPECT_EQ(table.rows[2].size(), 9u);
    EXPECT_EQ(list->findChild<QLabel*>("LblMessage")->text(), "Download 100 %");
    EXPECT_FALSE(list->findChild<QLabel*>("SSPStartTimeVal")->text().trimmed().isEmpty());
    EXPECT_EQ(LastRequest(), (Bytes{0, 67, 3, 3, 2, 0})) << "the closing chunk request";
    EXPECT_TRUE(Polling());

    // The delete panel offers Exit, ALL and the same files, within reach in the widened window.
    Click("DeleteSD");
    const QWidget* deletePanel = Child("SSPSDClear");
    EXPECT_TRUE(!deletePanel->isHidden() && panel.rect().contains(deletePanel->geometry()));
    EXPECT_EQ(Child<QComboBox>("CbxSDClear")->count(), 2 + 4);
    const std::size_t sentBeforeExit = backend.written.size();
    Child<QPushButton>("BtnSDClearOK")->click();  // on Exit: nothing is deleted, nothing is sent
    EXPECT_EQ(backend.written.size(), sentBeforeExit);
    DeleteThrough("2");
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 4, 2, 2}));
    EXPECT_TRUE(deletePanel->isHidden());

    // Both of the window's clear buttons ask first, then erase the meter's one memory.
    dialogs.confirmations = {false, true};
    Memory()->findChild<QPushButton*>("CmdClearManual")->click();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 4, 2, 2}));
    QTest::mouseClick(Memory()->findChild<QLabel*>("LblRemain"), Qt::LeftButton);
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 3, 0, 0}));

    Memory()->close();
    DeleteClosed();
    Click("SDcard");
    ASSERT_NE(Memory(), nullptr);
    EXPECT_EQ(FileColumn(0), (QStringList{"0", "1", "3"}));

    // All deleted ("Delete all files", whose request is ShellTest's): nothing is left to list.
    Memory()->close();
    DeleteClosed();
    dialogs.confirmations = {true};
    DeleteThrough("ALL");
    Click("SDcard");
    EXPECT_EQ(dialogs.messages.back(), "No Data !!!");
    EXPECT_EQ(Memory(), nullptr);
}

TEST_F(SdCardTest, ListingRefusalsAndEndings)
{
    meter.Card().SetPresent(false);
    Click("SDcard");
    meter.Card().SetPresent(true);
    EXPECT_EQ(dialogs.messages, QStringList{"No SD Card !!!"});
    EXPECT_EQ(Memory(), nullptr);

    // A block that claims more files than a block holds ends the listing without a box.
    meter.Card().InjectBlockFault(1, sim::SdBlockFault::Overcounted);
    Click("SDcard");
    ASSERT_NE(Memory(), nullptr);
    EXPECT_EQ(FileColumn(0), QStringList{});
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(Polling());
    Click("Memory");  // nothing while the Memory window is shown
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(panel.findChild<QWidget*>("ManualList"), nullptr);
}

TEST_F(SdCardTest, APulledCableMidDownloadKeepsTheRowsAndSaysSo)
{
    Click("SDcard");
    int chunks = 0;
    pump.onEvents = [&] {
        if (++chunks == 40)
            simulated.Unplug();
    };
    ClickFileRow(1);
    auto* list = panel.findChild<DataListWindow*>("DataList");
    ASSERT_NE(list, nullptr);
    const int rows = list->Model().rowCount();
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, 5000);
    EXPECT_EQ(list->findChild<QLabel*>("LblMessage")->text(),
              QStringLiteral("The meter stopped answering: %1 records were loaded.").arg(rows));
    EXPECT_TRUE(Polling());
}

} // namespace
} // namespace voltaryn::testing
