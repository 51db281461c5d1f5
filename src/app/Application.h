#pragma once

#include "common/EventPump.h"
#include "common/LocalTime.h"
#include "link/HidBackend.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "app/Heartbeat.h"
#include "app/RememberedSettings.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/CellSortingController.h"
#include "ui/common/DialogService.h"
#include "ui/common/FeatureContext.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WindowPlacement.h"
#include "ui/graphs/FileColumnPlots.h"
#include "ui/graphs/GraphsController.h"
#include "ui/memory/MemoryController.h"
#include "ui/packs/PackBuilderController.h"
#include "ui/panel/PanelWindow.h"
#include "ui/panel/ToolbarCommands.h"
#include "ui/recording/RecordingController.h"
#include "ui/settings/ComparatorController.h"
#include "ui/settings/MeterSettingsController.h"
#include "ui/strings/WalkController.h"

#include <QSettings>

#include <memory>

namespace voltaryn {

// What the program is run with: the meter's HID backend (a real meter or the simulated one),
// the dialogs, the event pump of long loops and the PC clock. Tests hand in their own. With
// `settings` the program starts with the choices and window places of the last run and keeps
// them for the next; without, it starts as new and keeps nothing.
struct AppServices {
    HidBackend& backend;
    DialogService& dialogs;
    EventPump& pump;
    PcClock clock;
    CellSortingSetup cells = {};
    cells::PackSearchOptions packSearch = {};
    QSettings* settings = nullptr;
};

// The program: the meter session and the recorder, the heartbeat that runs the periodic work, the
// main window, and the feature flows wired to the toolbar, each owning the state it changes and
// lent only the parts it uses.
class Application {
public:
    explicit Application(const AppServices& services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    MeterSession& Meter() { return meter_; }
    Recorder& LiveRecorder() { return recorder_; }
    Heartbeat& Beat() { return heartbeat_; }
    const Heartbeat& Beat() const { return heartbeat_; }
    PanelWindow& Panel() { return panel_; }
    RecordingController& Recording() { return recording_; }
    GraphsController& Graphs() { return graphs_; }
    ComparatorController& Comparator() { return comparator_; }
    BatchSession& Batches() { return batches_; }
    CellSortingController& CellSorting() { return cellSorting_; }
    PackBuilderController& PackBuilder() { return packBuilder_; }
    WalkController& StringWalk() { return stringWalk_; }
    TransferProgress& Transfers() { return transfers_; }

    // One poll: one request to the meter, and everything that shows the reading told what it did.
    void Poll();

private:
    void ConnectShell(DialogService& dialogs);
    void RememberSettings(QSettings* settings);
    RememberedChoices Choices();

    MeterSession meter_;
    Recorder recorder_;
    Heartbeat heartbeat_;
    PanelWindow panel_;
    TransferProgress transfers_;
    const FeatureContext context_;
    ToolbarCommands toolbar_;
    RecordingController recording_;
    MeterSettingsController settings_;
    MemoryController memory_;
    ComparatorController comparator_;
    GraphsController graphs_;
    FileColumnPlots columnPlots_;
    BatchSession batches_;  // the cell database and the batch the cell windows share
    CellSortingController cellSorting_;
    PackBuilderController packBuilder_;
    WalkController stringWalk_;
    QSettings* remembered_ = nullptr;  // where the program keeps its settings between runs
    std::unique_ptr<WindowPlacement> placement_;
};

} // namespace voltaryn
