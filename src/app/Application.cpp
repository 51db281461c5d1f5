#include "app/Application.h"

#include "ui/cells/CellSortingWindow.h"
#include "ui/panel/HelpWindows.h"
#include "ui/panel/PanelMenuBar.h"
#include "ui/panel/PanelStatusBar.h"

#include <QApplication>

namespace voltaryn {

Application::Application(const AppServices& services)
    : meter_(services.backend), recorder_(meter_.reading, services.clock().SecondOfDay()),
      panel_(meter_, recorder_), transfers_(services.pump),
      context_{services.dialogs, transfers_, heartbeat_, panel_, transfers_},
      recording_(context_, meter_, recorder_), settings_(context_, meter_, recorder_, services.clock),
      memory_(context_, meter_, recorder_, panel_), comparator_(context_, meter_),
      graphs_(context_, meter_.reading), columnPlots_(context_),
      batches_(services.cells.storeAddress, services.cells.utcNow), cellSorting_(context_, meter_, batches_, services.cells),
      packBuilder_(context_, batches_, services.packSearch), stringWalk_(context_, meter_, batches_, services.cells)
{
    recording_.Register(toolbar_);
    settings_.Register(toolbar_);
    memory_.Register(toolbar_);
    comparator_.Register(toolbar_);
    graphs_.Register(toolbar_);
    cellSorting_.Register(toolbar_);
    packBuilder_.Register(toolbar_);
    stringWalk_.Register(toolbar_);
    toolbar_.Add("key", [this] { panel_.ToggleKeyPad(); });

    QObject::connect(&panel_, &PanelWindow::toolbarKeyClicked, &panel_, [this](const QString& key) { toolbar_.Run(key); });
    QObject::connect(&heartbeat_, &Heartbeat::pollDue, &panel_, [this] { Poll(); });
    QObject::connect(&heartbeat_, &Heartbeat::recorderSecond, &recording_, &RecordingController::Tick);
    QObject::connect(&heartbeat_, &Heartbeat::recorderSecond, &panel_, &PanelWindow::CountRecordingSecond);
    QObject::connect(&cellSorting_, &CellSortingController::packBuilderRequested, &packBuilder_,
                     [this](const QString& batch) { packBuilder_.Open(batch); });
    QObject::connect(&cellSorting_, &CellSortingController::reportRequested, &packBuilder_, [this](const QString& batch) {
        packBuilder_.WriteReport(batch, [this](const QString& text) {
            context_.dialogs.ShowMessage(cellSorting_.Window(), MessageIcon::None, text);
        });
    });
    QObject::connect(&heartbeat_, &Heartbeat::graphSample, &graphs_, &GraphsController::Sample);
    QObject::connect(&graphs_, &GraphsController::samplingChanged, &heartbeat_, &Heartbeat::SetGraphSampling);
    QObject::connect(&recording_, &RecordingController::recorderChanged, &panel_, &PanelWindow::ShowRecorderState);
    QObject::connect(&recording_, &RecordingController::recorderNotice, &panel_, &PanelWindow::ShowRecorderNotice);
    QObject::connect(&panel_, &PanelWindow::closing, &recording_, &RecordingController::EndRun);
    QObject::connect(&recording_, &RecordingController::fileListOpened, &columnPlots_, &FileColumnPlots::Attach);
    ConnectShell(services.dialogs);
    RememberSettings(services.settings);
}

void Application::Poll()
{
    const PollTickResult tick = meter_.pollLoop.Tick();
    panel_.ShowPoll(tick);
    if (!tick.displayDecoded)
        return;
    cellSorting_.DisplayDecoded();
    stringWalk_.DisplayDecoded();
}

Application::~Application()
{
    if (remembered_ == nullptr)
        return;
    StoreChoices(*remembered_, Choices());
    placement_->Remember(panel_);
    remembered_->sync();
}

RememberedChoices Application::Choices()
{
    return {recorder_, recording_.Sampling().Settings(), graphs_.State(), graphs_, packBuilder_.Shape()};
}

// The status bar follows the transfers, and the Help menu opens its windows.
void Application::ConnectShell(DialogService& dialogs)
{
    PanelStatusBar& status = panel_.Status();
    QObject::connect(&transfers_, &TransferProgress::began, &status, &PanelStatusBar::BeginTransfer);
    QObject::connect(&transfers_, &TransferProgress::stepped, &status, &PanelStatusBar::StepTransfer);
    QObject::connect(&transfers_, &TransferProgress::ended, &status, &PanelStatusBar::EndTransfer);
    QObject::connect(&status, &PanelStatusBar::cancelClicked, &transfers_, &TransferProgress::RequestStop);

    PanelMenuBar& menus = panel_.Menus();
    QObject::connect(&menus, &PanelMenuBar::shortcutsChosen, &panel_, [this, &dialogs] {
        // Over the window it was asked from, with that window's own keys.
        QWidget* from = QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &panel_;
        ShortcutsDialog shortcuts(panel_.Menus(), from, from);
        dialogs.RunModal(shortcuts);
    });
    QObject::connect(&menus, &PanelMenuBar::userGuideChosen, &panel_, [this] {
        auto* guide = new UserGuideWindow(&panel_);
        guide->setAttribute(Qt::WA_DeleteOnClose);
        guide->show();
    });
    QObject::connect(&menus, &PanelMenuBar::aboutChosen, &panel_, [this, &dialogs] {
        dialogs.ShowMessage(&panel_, MessageIcon::None, AboutText());
    });
}

void Application::RememberSettings(QSettings* settings)
{
    remembered_ = settings;
    if (remembered_ == nullptr)
        return;
    RestoreChoices(*remembered_, Choices());
    placement_ = std::make_unique<WindowPlacement>(*remembered_);
    qApp->installEventFilter(placement_.get());
}

} // namespace voltaryn
