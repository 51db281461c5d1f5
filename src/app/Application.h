#pragma once

#include "common/EventPump.h"
#include "common/LocalTime.h"
#include "link/HidBackend.h"
#include "program/ProgramState.h"
#include "ui/common/DialogService.h"
#include "ui/graphs/FileColumnPlots.h"
#include "ui/graphs/GraphsController.h"
#include "ui/lists/RecordingController.h"
#include "ui/memory/MemoryController.h"
#include "ui/panel/PanelWindow.h"
#include "ui/panel/ToolbarCommands.h"
#include "ui/settings/ComparatorController.h"
#include "ui/settings/MeterSettingsController.h"

namespace voltaryn {

// What the program is run with: the meter's HID backend (a real meter or the simulated one),
// the dialogs, the event pump of long loops and the PC clock. Tests hand in their own.
struct AppServices {
    HidBackend& backend;
    DialogService& dialogs;
    EventPump& pump;
    PcClock clock;
};

// The program: its one state, the main window, and the feature flows wired to the toolbar.
class Application {
public:
    explicit Application(const AppServices& services);

    ProgramState& State() { return state_; }
    PanelWindow& Panel() { return panel_; }
    RecordingController& Recording() { return recording_; }

private:
    ProgramState state_;
    PanelWindow panel_;
    ToolbarCommands toolbar_;
    RecordingController recording_;
    MeterSettingsController settings_;
    MemoryController memory_;
    ComparatorController comparator_;
    GraphsController graphs_;
    FileColumnPlots columnPlots_;
};

} // namespace voltaryn
