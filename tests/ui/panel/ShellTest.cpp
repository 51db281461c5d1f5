#include "support/PanelHarness.h"

#include "ui/lists/DataListWindow.h"
#include "ui/memory/MemoryWindow.h"
#include "ui/panel/PanelStatusBar.h"

#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextBrowser>

#include <tuple>

namespace voltaryn::testing {
namespace {

class ShellTest : public PanelHarness {
protected:
    ShellTest() { Rotation(); }

    bool Shown(const char* name) const { return !Child(name)->isHidden(); }

    QTemporaryDir folder;
};

// The status bar names the meter, and the recording while it goes on; Stop Rec stops it, and is
// otherwise disabled, saying why.
TEST_F(ShellTest, StatusBarFollowsTheRecordingThatStopRecStopsAndIsOtherwiseDisabledSayingWhy)
{
    EXPECT_EQ(Label("StatusConnection"), Label("LblCOM") + " · KAV 71K");
    EXPECT_FALSE(ToolbarButton("StopRec")->isEnabled());
    dialogs.saveFileName = folder.filePath("cells.txt");
    Click("Save");
    ASSERT_TRUE(recorder.Recording());
    EXPECT_TRUE(ToolbarButton("StopRec")->isEnabled());
    for (int second = 0; second < 3; ++second) {
        emit app.Beat().recorderSecond();  // what the heartbeat does each second
        RecorderTick();
    }
    EXPECT_TRUE(Shown("StatusRecording"));
    EXPECT_TRUE(Label("StatusRecording").startsWith(QString("Rec cells.txt · %1 record(s) · 0:00:03").arg(recorder.RecCount())))
        << Label("StatusRecording").toStdString();

    Click("StopRec");
    EXPECT_FALSE(recorder.Recording());
    EXPECT_FALSE(ToolbarButton("StopRec")->isEnabled());
    EXPECT_TRUE(ToolbarButton("StopRec")->toolTip().contains("Nothing is being recorded"));
    EXPECT_TRUE(ToolbarButton("Save")->toolTip().startsWith("Save As"));
    EXPECT_FALSE(Shown("StatusRecording"));
}

TEST(PanelStatusText, RecordingLineCountsHoursPastADayAndWarnsOfLowDiskSpaceOnly)
{
    constexpr std::uint64_t GiB = std::uint64_t{1} << 30;
    const std::pair<RecordingStatus, const char*> cases[] = {
        {{"a.txt", 1, 59, 5 * GiB}, "Rec a.txt · 1 record(s) · 0:00:59"},
        {{"a.txt", 7, 3 * 86400 + 3661, std::nullopt}, "Rec a.txt · 7 record(s) · 73:01:01"},
        {{"b.txt", 2, 60, GiB - 1}, "Rec b.txt · 2 record(s) · 0:01:00 · "},
        {{"b.txt", 2, 60, GiB}, "Rec b.txt · 2 record(s) · 0:01:00"},
    };
    for (const auto& [status, text] : cases) {
        const QString line = PanelStatusBar::RecordingText(status);
        EXPECT_TRUE(line.startsWith(text)) << line.toStdString();
        EXPECT_EQ(line.contains("free"), status.freeBytes && *status.freeBytes < GiB) << line.toStdString();
    }
}

// A manual download followed on the status bar: cancelled there or cut by the cable, it keeps the
// rows that arrived, and only the cable is a fault to tell; a cancel belongs to its own download.
TEST_F(ShellTest, StatusBarFollowsAManualDownloadThatKeepsItsRowsWhenCancelledOrCut)
{
    meter.FillMemory(10);
    QList<int> progress;
    std::function<void()> atThirdRow;
    pump.onEvents = [&] {
        EXPECT_TRUE(Shown("StatusProgress"));
        EXPECT_TRUE(Shown("StatusCancel"));
        progress << Child<QProgressBar>("StatusProgress")->value();
        if (progress.size() == 3 && atThirdRow)
            atThirdRow();
    };
    const std::tuple<const char*, std::function<void()>, QList<int>, QStringList> downloads[] = {  // how, at the third row, ...
        {"cancelled", [this] { Child<QPushButton>("StatusCancel")->click(); }, {1, 2, 3}, {}},
        {"the next one, to its end", nullptr, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}},
        {"cut", [this] { simulated.Unplug(); }, {1, 2, 3}, {"The meter stopped answering: 3 of 10 records were loaded."}},
    };
    for (const auto& [how, interruption, expected, told] : downloads) {
        SCOPED_TRACE(how);
        progress.clear();
        atThirdRow = interruption;
        Click("Memory");
        DeleteClosed();  // the list before goes
        EXPECT_EQ(progress, expected);
        ASSERT_NE(List("ManualList"), nullptr);
        EXPECT_EQ(List("ManualList")->Model().rowCount(), expected.size());
        EXPECT_EQ(dialogs.messages, told);
        EXPECT_FALSE(Shown("StatusProgress"));
        EXPECT_FALSE(Shown("StatusCancel"));
        EXPECT_TRUE(Polling());
    }
}

TEST_F(ShellTest, CancelledSdDownloadStillClosesTheTransferWithTheMeter)
{
    Click("SDcard");
    auto* memory = panel.findChild<MemoryWindow*>("Memory");
    ASSERT_NE(memory, nullptr);
    int events = 0;
    pump.onEvents = [&] {
        if (++events == 2)
            Child<QPushButton>("StatusCancel")->click();
    };
    const std::size_t before = backend.written.size();
    ClickCell(memory->Files(), 1);
    // The first chunk, a second one, then the closing request.
    EXPECT_EQ(backend.written.size() - before, 3u);
    EXPECT_EQ(backend.written.back(), backend.written[backend.written.size() - 2]);
    EXPECT_FALSE(Shown("StatusProgress"));
    EXPECT_TRUE(Polling());
}

TEST_F(ShellTest, DestructiveQuestionsNameTheirActionAndSendNothingUnlessConfirmed)
{
    const std::tuple<const char*, const char*, QString, Bytes> cases[] = {
        {"ALL", "Delete all files", "Every file on the meter's SD card will be deleted.", {0, 65, 3, 4, 1, 0}},
        {"Erase", "OK", "All the automatically recorded data in memory will be deleted!", {0, 65, 3, 3, 0, 0}},
    };
    for (const auto& [action, button, question, request] : cases) {
        for (const bool yes : {false, true}) {
            dialogs.destructiveQuestions.clear();
            dialogs.confirmations = {yes};
            if (QString(action) == "ALL") {
                Click("DeleteSD");
                Child<QComboBox>("CbxSDClear")->setCurrentText("ALL");
                backend.written.clear();
                Child<QPushButton>("BtnSDClearOK")->click();
            } else {
                backend.written.clear();
                Click(action);
            }
            ASSERT_EQ(dialogs.destructiveQuestions.size(), 1) << action;
            EXPECT_EQ(dialogs.destructiveQuestions.front().actionButton, button) << action;
            EXPECT_EQ(dialogs.destructiveQuestions.front().text, question) << action;
            EXPECT_EQ(backend.written.empty(), !yes) << action << " answered " << yes;
            if (yes) {
                EXPECT_EQ(LastRequest(), request) << action;
            }
            EXPECT_TRUE(Polling()) << action;
        }
    }
}

TEST_F(ShellTest, KeysDrawnOnTheMeterSendWhatTheKeyPadsSameKeysSend)
{
    panel.show();
    panel.ToggleKeyPad();
    QApplication::setActiveWindow(&panel);
    const std::tuple<const char*, const char*, const char*> keys[] = {
        {"CmdArrow(0)", "BtnLeft", "Left key"},     {"CmdArrow(1)", "BtnDown", "Down key"},
        {"CmdArrow(2)", "BtnUp", "Up key"},         {"CmdArrow(3)", "BtnRight", "Right key"},
        {"CmdGray(0)", "BtnBeeper", "Beeper key"},  {"CmdGray(1)", "BtnCF", "Celsius or Fahrenheit key"},
        {"CmdGray(2)", "BtnRead", "Read key"},
    };
    for (const auto& [drawn, pad, name] : keys) {
        EXPECT_EQ(Child(drawn)->accessibleName(), name);
        const std::size_t before = backend.written.size();
        QTest::mouseClick(Child(drawn), Qt::LeftButton);
        ASSERT_EQ(backend.written.size(), before + 1) << drawn;
        const Bytes fromPicture = LastRequest();
        Child<QAbstractButton>(pad)->click();
        EXPECT_EQ(fromPicture, LastRequest()) << drawn;
        // By keyboard alone: Tab reaches the drawn key, Space presses it.
        Child(drawn)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        ASSERT_EQ(backend.written.size(), before + 3) << drawn;
        EXPECT_EQ(fromPicture, LastRequest()) << drawn;
    }
    Child("CmdArrow(0)")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child("CmdArrow(1)"));
    EXPECT_TRUE(Child("RS(0)")->toolTip().contains("on the meter"));
}

TEST_F(ShellTest, HelpListsTheShortcutsAndShowsTheGuide)
{
    QStringList listed;
    dialogs.modal = [&listed](QDialog& dialog) {
        const auto* table = dialog.findChild<QTableWidget*>("Shortcuts");
        for (int row = 0; row < table->rowCount(); ++row)
            listed << table->item(row, 1)->text() + "=" + table->item(row, 2)->text();
    };
    Child<QMenuBar>("MenuBar")->findChild<QAction*>("KeyboardShortcuts")->trigger();
    EXPECT_TRUE(listed.contains("Read Manual Records=Ctrl+M")) << listed.join(", ").toStdString();
    EXPECT_TRUE(listed.contains("Quit=Ctrl+Q"));

    Child<QMenuBar>("MenuBar")->findChild<QAction*>("UserGuide")->trigger();
    const auto* guide = panel.findChild<QTextBrowser*>("Guide");
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->toPlainText().contains("Keyboard shortcuts"));

    Child<QMenuBar>("MenuBar")->findChild<QAction*>("About")->trigger();
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.back().contains("Licence"));
}

} // namespace
} // namespace voltaryn::testing
