#include "support/PanelHarness.h"

#include "ui/lists/RecordListWindow.h"

#include <QTableView>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace voltaryn {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string FileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecordingTest : public PanelHarness {
protected:
    RecordingTest()
    {
        fs::create_directories(folder);
        dialogs.saveFileName = QString::fromStdString(file.string());
        recorder.SetSampleTime(1);
        Rotation();
    }
    ~RecordingTest() override { fs::remove_all(folder); }

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

    const fs::path folder = fs::temp_directory_path() / ("voltaryn-recording-" + std::to_string(::getpid()));
    const fs::path file = folder / "bench.txt";
};

TEST_F(RecordingTest, RecordsWhatThePanelShowedAtEachSample)
{
    Click("Save");
    EXPECT_EQ(ToolbarButton("Save")->toolTip(), "Stop Recording");
    EXPECT_EQ(Label("LblFileName"), "bench.txt");
    std::string expected = "No.s\tTime\tV\t400 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";
    for (const auto& [record, time] : std::vector<std::pair<int, std::string>>{
             {1, "10:00:01"}, {2, "10:00:02"}, {3, "10:00:03"}, {4, "10:00:04"}}) {
        expected += Second(record, time);
        EXPECT_EQ(Label("LblCount").toStdString(), std::to_string(record));
    }
    Click("Save");
    EXPECT_EQ(ToolbarButton("Save")->toolTip(), "Save As");
    EXPECT_EQ(FileText(file), expected);

    Second(0, "");  // idle: the labels clear, nothing more is written
    EXPECT_EQ(Label("LblFileName"), "");
    EXPECT_EQ(Label("LblCount"), "");
    EXPECT_EQ(FileText(file), expected);
}

TEST_F(RecordingTest, AFailedWriteIsShownAndEarlierRecordsStay)
{
    Click("Save");
    Second(1, "10:00:01");
    Second(2, "10:00:02");
    const std::string written = FileText(file);
    ASSERT_FALSE(Child("LblWriteFailed")->isVisibleTo(&panel));

    // The file may grow no further, as on a full disk.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{static_cast<rlim_t>(written.size()), limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    Second(3, "10:00:03");
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(Child("LblWriteFailed")->isVisibleTo(&panel));
    EXPECT_TRUE(Label("LblWriteFailed").startsWith("Recording failed: "));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the recorder never shows a message box";
    EXPECT_EQ(FileText(file), written);

    Second(4, "10:00:04");
    EXPECT_EQ(FileText(file).substr(0, written.size()), written);
    EXPECT_TRUE(FileText(file).substr(written.size()).starts_with("4\t10:00:04\t"));
}

TEST_F(RecordingTest, OpenReadsTheRecordingBackButNotWhileRecording)
{
    Click("Save");
    Second(1, "10:00:01");
    dialogs.openFileName = dialogs.saveFileName;
    Click("Open");
    EXPECT_EQ(dialogs.messages, QStringList{"Recording Mode!\n\rPlease stop recording!"});
    Click("Save");

    QStringList captions;
    pump.onEvents = [&] { captions << panel.findChild<QWidget*>("FileList")->windowTitle(); };
    Click("Open");
    EXPECT_EQ(captions, QStringList{"1 Records Completed"});
    auto* list = qobject_cast<RecordListWindow*>(panel.findChild<QWidget*>("FileList"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "bench.txt");
    const RecordTable& table = list->Model().Table();
    EXPECT_EQ(table.header[3], "400 mOhm");
    EXPECT_EQ(table.header[5], "Celsius");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][1], "10:00:01");
}

TEST_F(RecordingTest, LiveListGetsARowPerSampleUntilItsWindowCloses)
{
    Click("List");
    auto* list = qobject_cast<RecordListWindow*>(panel.findChild<QWidget*>("RealTimeList"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Model().Table().header[3], "400 mOhm");
    Second(0, "");
    Second(0, "");
    ASSERT_EQ(list->Model().rowCount(), 2);
    EXPECT_EQ(list->Model().Table().rows[1][0], "2");

    meter.SetRangeCode(4);  // a range change ends the list after the row that saw it
    Second(0, "");
    EXPECT_FALSE(recorder.ListRecording());
}

} // namespace
} // namespace voltaryn
