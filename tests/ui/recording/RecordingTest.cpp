#include "support/PanelHarness.h"

#include "common/FileSizeLimit.h"
#include "common/TempFolder.h"

#include <sstream>

namespace voltaryn::testing {
namespace {

class RecordingTest : public PanelHarness {
protected:
    RecordingTest()
    {
        dialogs.saveFileName = QString::fromStdString(file.string());
        recorder.SetSampleTime(1);
        Rotation();
    }

    // One second: a display refresh, then the recorder's tick. Returns the record line the panel
    // showed at that moment, as the file should hold it.
    std::string Second(int record, const std::string& time)
    {
        Rotation();
        std::ostringstream line;
        line << record << '\t' << time;
        for (const char* value : {"LblV", "LblOhm", "LblA", "LblTemp"})
            line << '\t' << Label(value).toStdString();
        for (int row = 0; row < 3; ++row) {
            line << '\t' << Label(QStringLiteral("LblmAh(%1)").arg(row).toLatin1()).toStdString();
            if (!Child(QStringLiteral("Lcdm(%1)").arg(row).toLatin1())->isHidden())
                line << "(m)";
        }
        RecorderTick();
        return line.str() + "\r\n";
    }

    const TempFolder folder;
    const std::filesystem::path file = folder / "bench.txt";
};

TEST_F(RecordingTest, RecordsWhatThePanelShowedAndWritesWhatAFullDiskHeldBackOnceThereIsRoom)
{
    Click("Save");
    EXPECT_EQ(ToolbarButton("Save")->toolTip().section('\n', 0, 0), "Stop Recording  (Ctrl+S)");
    EXPECT_EQ(Label("LblFileName"), "bench.txt");
    std::string expected = "No.s\tTime\tV\t400 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";
    expected += Second(1, "10:00:01");
    EXPECT_EQ(Label("LblCount"), "1");
    {
        const FileSizeLimit full(FileBytes(file).size());
        expected += Second(2, "10:00:02");
    }
    EXPECT_TRUE(Child("LblWriteFailed")->isVisibleTo(&panel));
    EXPECT_EQ(Label("LblWriteFailed"), "Recording failed: File too large");
    EXPECT_EQ(Label("LblCount"), "1") << "the counter counts records on disk";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the recorder never shows a message box";

    expected += Second(3, "10:00:03");
    EXPECT_FALSE(Child("LblWriteFailed")->isVisibleTo(&panel));
    EXPECT_EQ(Label("LblCount"), "3");
    Click("Save");
    EXPECT_EQ(ToolbarButton("Save")->toolTip().section('\n', 0, 0), "Save As  (Ctrl+S)");
    EXPECT_EQ(FileBytes(file), expected);

    Second(0, "");  // idle: the labels clear, nothing more is written
    EXPECT_EQ(Label("LblFileName"), "");
    EXPECT_EQ(Label("LblCount"), "");
    EXPECT_EQ(FileBytes(file), expected);
}

TEST_F(RecordingTest, ARecordingThatEndsByItselfSaysWhyOnThePanel)
{
    Click("Save");
    Second(1, "10:00:01");
    meter.SetRangeCode(4);
    Second(2, "10:00:02");
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(Child("LblRecorderNotice")->isVisibleTo(&panel));
    EXPECT_EQ(Label("LblRecorderNotice"),
              "Recording ended at 10:00:02: the range changed (400 mOhm to 4 Ohm). 1 record in bench.txt.");
    EXPECT_TRUE(dialogs.messages.isEmpty());

    Click("Save");  // a new recording clears the notice
    EXPECT_FALSE(Child("LblRecorderNotice")->isVisibleTo(&panel));
}

// While recording neither a file nor the meter's clock window opens.
TEST_F(RecordingTest, OpenReadsTheRecordingBackButNotWhileRecordingNorDoesTheClockWindowOpen)
{
    Click("Save");
    Second(1, "10:00:01");
    dialogs.openFileName = dialogs.saveFileName;
    bool opened = false;
    dialogs.modal = [&opened](QDialog&) { opened = true; };
    Click("Open");
    Click("TimeSet");
    EXPECT_EQ(dialogs.messages,
              QStringList({"Recording Mode!\n\rPlease stop recording!", "Recording mode, stop record then try again !"}));
    EXPECT_FALSE(opened);
    Click("Save");

    QStringList captions;
    pump.onEvents = [&] { captions << panel.findChild<QWidget*>("FileList")->windowTitle(); };
    Click("Open");
    EXPECT_EQ(captions, QStringList{"1 Records Completed"});
    RecordListWindow* list = List("FileList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "bench.txt");
    const RecordTable& table = list->Model().Table();
    EXPECT_EQ(table.header[3] + table.header[5], "400 mOhmCelsius");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][1], "10:00:01");
}

} // namespace
} // namespace voltaryn::testing
