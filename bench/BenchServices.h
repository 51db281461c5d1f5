#pragma once

#include "common/EventPump.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/common/DialogService.h"
#include "ui/panel/PanelWindow.h"


#include <fstream>
#include <string>

namespace voltaryn {

// The program's resident memory now, from the kernel's account of it.
inline double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024;  // reported in kB
    return 0;
}

// Lets no events run, so that a figure is the measured operation's own cost.
class NoEvents : public EventPump {
    void LetEventsRun() override {}
};

// A benchmarked flow asks no questions, except for the file it opens; any message box is a fault.
class NoDialogs : public DialogService {
    void ShowMessage(QWidget*, MessageIcon, const QString&) override { ++messages; }
    bool Confirm(QWidget*, const QString&) override { return false; }
    QString AskText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString AskSaveFileName(QWidget*, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&) override { return openFileName; }
    void RunModal(QDialog&) override {}
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }

public:
    int messages = 0;
    QString openFileName;
};

// The main window shown over the simulated meter, without the rest of the program.
struct SimulatedPanel {
    SimulatedPanel() { panel.show(); }

    // Identification, range and display: one full refresh of the panel.
    void Rotation()
    {
        for (int tick = 0; tick < 3; ++tick)
            panel.ShowPoll(session.pollLoop.Tick());
    }

    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend{meter};
    MeterSession session{backend};
    Recorder recorder{session.reading, 0};
    PanelWindow panel{session, recorder};
};

} // namespace voltaryn
