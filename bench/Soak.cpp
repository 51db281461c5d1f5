// Five days of the program on a simulated clock: the main window polling the simulated meter, a
// recording at one record a second (a new file each time one fills), the live graph of every
// channel open, and the meter unplugged for five seconds once an hour. After each simulated day
// it prints the cost of a simulated second, the resident memory, the open file descriptors, and
// the records the recorder wrote beside the record lines in its files (each unplugging ends a
// recording, as a change of range does, and the next second starts a new file), so a leak, a
// slowdown or a lost record shows as a trend.
// Usage: voltaryn_soak [DAYS] (default 5)
#include "BenchServices.h"
#include "app/Application.h"
#include "ui/graphs/GraphSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace voltaryn {
namespace {

constexpr int SecondsPerDay = 86400;

long OpenFiles()
{
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(std::filesystem::begin(fds), std::filesystem::end(fds));
}

// Lines of every recording file; each holds a header and one line a record.
long RecordsInFiles(const QString& folder)
{
    long records = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder.toStdString())) {
        std::ifstream in(file.path(), std::ios::binary);
        records += std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n') - 1;
    }
    return records;
}

class Soak {
public:
    Soak()
    {
        app_.Poll();
        app_.LiveRecorder().SetSampleTime(1);
        StartLiveGraph();
    }

    void RunDay(int day)
    {
        const auto start = std::chrono::steady_clock::now();
        for (int second = 0; second < SecondsPerDay; ++second)
            RunSecond();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        std::printf("%3d  %10.1f  %8.1f  %4ld  %6d  %9ld  %9ld\n", day, spent.count() / SecondsPerDay, ResidentMiB(),
                    OpenFiles(), files_, written_, RecordsInFiles(folder_.path()));
        std::fflush(stdout);
    }

private:
    void RunSecond()
    {
        const long elapsed = seconds_++;
        if (elapsed % 3600 == 0)
            simulated_.Unplug();
        else if (elapsed % 3600 == 5)
            simulated_.Plug();
        for (int poll = 0; poll < 10; ++poll) {
            meterNow_ += std::chrono::milliseconds(100);
            app_.Poll();
        }
        Recorder& recorder = app_.LiveRecorder();
        if (!recorder.Recording())
            recorder.StartRecording(
                std::filesystem::path(folder_.filePath(QStringLiteral("run-%1.txt").arg(files_++)).toStdString()));
        written_ += recorder.Tick().recordWritten ? 1 : 0;
        app_.Graphs().Sample();
    }

    void StartLiveGraph()
    {
        app_.Panel().findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Graph")->trigger();
        auto* settings = app_.Panel().findChild<GraphSettingsDialog*>("AllGraph");
        for (QCheckBox* channel : settings->findChildren<QCheckBox*>())
            channel->setChecked(true);
        settings->findChild<QPushButton*>("CmdOK")->click();
    }

    sim::SimTime meterNow_{std::chrono::sys_days{std::chrono::year{2024} / 3 / 15}};
    sim::SimulatedMeter meter_{[this] { return meterNow_; }};
    sim::SimulatedHidBackend simulated_{meter_};
    NoDialogs dialogs_;
    NoEvents pump_;
    long seconds_ = 0;
    long written_ = 0;  // records the recorder says reached a file
    int files_ = 0;
    QTemporaryDir folder_;
    Application app_{{simulated_, dialogs_, pump_, [this] {
                          const long of = (36000 + seconds_) % SecondsPerDay;
                          return LocalTime{.hour = static_cast<int>(of / 3600),
                                           .minute = static_cast<int>(of / 60 % 60),
                                           .second = static_cast<int>(of % 60)};
                      }}};
};

} // namespace
} // namespace voltaryn

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int days = argc > 1 ? std::atoi(argv[1]) : 5;
    std::printf("day  us/second  RSS MiB  fds  files   written  in files\n");
    voltaryn::Soak soak;
    for (int day = 1; day <= days; ++day)
        soak.RunDay(day);
    return 0;
}
