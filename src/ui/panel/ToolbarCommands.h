#pragma once

#include "common/EventPump.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "ui/common/DialogService.h"
#include "ui/lists/RecordListWindow.h"

#include <QPointer>
#include <QString>

namespace voltaryn {

class PanelWindow;

// What the main window's toolbar buttons do, dispatched on the button's key. Actions that talk
// to the meter pause polling while they run. Also keeps the list windows the buttons open.
class ToolbarCommands {
public:
    ToolbarCommands(PanelWindow& panel, MeterSession& session, Recorder& recorder, DialogService& dialogs,
                    EventPump& pump);

    void Run(const QString& key);

    // The recorder's live-list feed: one more row, and the end of the list.
    void ShowLiveRow(RecordRow row);
    void EndLiveList();

private:
    void Save();
    void Open();
    void List();
    void Sampling();
    void SetPcSampling();
    void SetMeterInterval();
    void AverageNumber();
    void Erase();
    void Memory();
    void ShowManualRecord(const RecordRow& row, int number, int count);
    ListServices Services();
    // Runs a meter exchange with polling paused; a reply that makes no sense is reported.
    template <typename Exchange>
    void WithPollingPaused(Exchange exchange);

    PanelWindow& panel_;
    MeterSession& session_;
    Recorder& recorder_;
    DialogService& dialogs_;
    EventPump& pump_;
    bool pcSampling_ = false;
    int meterInterval_ = 0;
    QPointer<RecordListWindow> fileList_;
    QPointer<RecordListWindow> realTimeList_;
    QPointer<RecordListWindow> manualList_;
};

} // namespace voltaryn
