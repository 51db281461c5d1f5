#pragma once

#include "monkey/MonkeyDialogs.h"

#include "app/Application.h"
#include "sim/SimulatedHidBackend.h"

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

    void ClickToolbar();
    void PressKey();
    void CloseWindow();
    void ResizeWindow();
    void TogglePlug();
    void InjectFault();
    void SwitchRange();
    void SwitchTemperatureUnit();
    void PollTicks();
    void RecorderSecond();
    void GraphSample();
    void Seconds();
    void ConfirmGraphSettings();
    void ClickLiveGraph();
    void ClickSdFile();
    void ClickFileColumn();
    void ClickWindowButton();
    void ChooseInCombo();
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
