#include "app/Application.h"

namespace voltaryn {

Application::Application(const AppServices& services)
    : state_(services.backend, services.clock), panel_(state_.meter, state_.recorder),
      recording_({state_, services.dialogs, services.pump, panel_, panel_}),
      settings_({state_, services.dialogs, services.pump, panel_, panel_}),
      memory_({state_, services.dialogs, services.pump, panel_, panel_}, panel_),
      comparator_({state_, services.dialogs, services.pump, panel_, panel_}),
      graphs_({state_, services.dialogs, services.pump, panel_, panel_}),
      columnPlots_({state_, services.dialogs, services.pump, panel_, panel_})
{
    recording_.Register(toolbar_);
    settings_.Register(toolbar_);
    memory_.Register(toolbar_);
    comparator_.Register(toolbar_);
    graphs_.Register(toolbar_);
    toolbar_.Add("key", [this] { panel_.ToggleKeyPad(); });

    QObject::connect(&panel_, &PanelWindow::toolbarKeyClicked, &panel_, [this](const QString& key) { toolbar_.Run(key); });
    QObject::connect(&panel_, &PanelWindow::recorderSecond, &recording_, &RecordingController::Tick);
    QObject::connect(&recording_, &RecordingController::recorderChanged, &panel_, &PanelWindow::ShowRecorderState);
    QObject::connect(&recording_, &RecordingController::recorderNotice, &panel_, &PanelWindow::ShowRecorderNotice);
    QObject::connect(&panel_, &PanelWindow::closing, &recording_, &RecordingController::EndRun);
    QObject::connect(&recording_, &RecordingController::fileListOpened, &columnPlots_, &FileColumnPlots::Attach);
}

} // namespace voltaryn
