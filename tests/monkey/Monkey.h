#pragma once

#include "app/Application.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/common/DialogService.h"

#include <QDialog>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace voltaryn::monkey {

// Where a run went wrong: the step (from 1; 0 for the checks at the end), what it did and what
// was found.
struct MonkeyFailure {
    int step = 0;
    std::string action;
    std::string fault;
};

// What is wrong with a recording file, empty when nothing is: it must be its header line and then
// whole "\r\n"-ended records numbered 1, 2, 3, ... in order.
std::string RecordingFileFault(const std::filesystem::path& file);

// The event pump of long loops: what the run timer and the user may do while a transfer lets
// events run.
class MonkeyPump : public EventPump {
public:
    void LetEventsRun() override
    {
        if (onEvents)
            onEvents();
    }
    std::function<void()> onEvents;
};

// Answers every dialog at random: input boxes with numbers, words or nothing, confirmations either
// way, file names inside the run's folder (a new one to save to, a recording or a missing file to
// open, or Cancel), and modal dialogs with a few of their buttons clicked, then accepted or
// cancelled. The printer dialog is always cancelled.
class MonkeyDialogs : public DialogService {
public:
    MonkeyDialogs(std::mt19937_64& random, std::filesystem::path folder) : random_(random), folder_(std::move(folder)) {}

    // The files opened at random: the recordings made so far.
    std::vector<std::filesystem::path> openable;
    int messages = 0;

    void ShowMessage(QWidget*, MessageIcon, const QString&) override { ++messages; }
    bool Confirm(QWidget*, const QString&) override { return Pick(2) == 0; }
    QString AskText(QWidget*, const QString&, const QString&, const QString& defaultText) override;
    QString AskSaveFileName(QWidget*, const QString&) override;
    QString AskOpenFileName(QWidget*, const QString&) override;
    void RunModal(QDialog& dialog) override;
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }

private:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

    std::mt19937_64& random_;
    std::filesystem::path folder_;
    int names_ = 0;
};

// The whole program over the simulated meter, driven by random steps drawn from one seed: toolbar
// clicks, panel keys, windows closed and resized, dialogs answered at random, the meter unplugged
// and re-plugged or switched, recordings, transfers and graphs started and stopped, with poll
// ticks, recorder seconds and graph samples in between. After every step it checks that polling
// runs, that each job has at most one window and that each finished recording file is whole.
class Monkey {
public:
    struct Options {
        bool trace = false;      // each step prints a line: what it did and what the program shows then
        bool keepFiles = false;  // the run's folder of recordings stays, and its path is printed
    };
    Monkey(std::uint64_t seed, Options options);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Runs `steps` steps, then ends the run and checks every recording file.
    std::optional<MonkeyFailure> Run(int steps);
    // The step running now (from 1), for a crash report.
    static int CurrentStep();

private:
    struct Action {
        std::string name;
        int weight;
        std::function<void()> run;
    };

    const Action& PickAction();
    int Pick(int count);
    bool Chance(int percent) { return Pick(100) < percent; }
    QWidget* RandomWindow(bool withPanel);
    void Settle();
    void Trace(int step, const std::string& action);

    // The steps that also come while a transfer lets events run, or within others.
    void ClickToolbar();
    void PressKey();
    void CloseWindow();
    void TogglePlug();
    void RecorderSecond();
    void GraphSample();
    void DuringTransfer();

    std::string CheckInvariants();
    std::string CheckEndedRecordings(bool all);

    std::mt19937_64 random_;
    QTemporaryDir folder_;
    sim::SimulatedMeter meter_;
    sim::SimulatedHidBackend backend_{meter_};
    MonkeyDialogs dialogs_;
    MonkeyPump pump_;
    LocalTime pcNow_{.year = 2024, .month = 3, .day = 15, .hour = 10};
    std::unique_ptr<Application> app_;
    bool plugged_ = true;
    bool trace_;
    bool nested_ = false;  // a step runs inside a transfer's events
    std::vector<std::filesystem::path> recordings_;
    std::optional<std::filesystem::path> recording_;  // the file being recorded
    std::vector<Action> actions_;
    int totalWeight_ = 0;
    std::string detail_;  // what the step picked: the key, the range
};

} // namespace voltaryn::monkey
