#pragma once

#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "ui/common/FeatureContext.h"
#include "ui/lists/RecordListWindow.h"
#include "ui/recording/SamplingController.h"
#include "ui/panel/ToolbarCommands.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// Recording and the lists it feeds: the toolbar's Save (start or stop a recording file), Stop Rec,
// Open (a
// data file into the file list), List (the live list) and Sampling (how records are paced), and
// the recorder's one-second tick.
class RecordingController : public QObject {
    Q_OBJECT
public:
    RecordingController(const FeatureContext& context, MeterSession& meter, Recorder& recorder);

    void Register(ToolbarCommands& toolbar);
    // One tick of the recorder's one-second timer.
    void Tick();
    // The program ends: a running recording is closed, and records that never reached its file
    // are reported.
    void EndRun();
    // Reads a data file (or a list saved as CSV) into the file list, as Open does once a file is chosen.
    void OpenFile(const QString& file);
    SamplingController& Sampling() { return sampling_; }

signals:
    // The recorder's labels or the Save button's look may have changed.
    void recorderChanged();
    // How the last recording or live list ended, in a line or two; empty once a new one starts.
    void recorderNotice(const QString& text);
    // Open has filled the file list with a data file.
    void fileListOpened(RecordListWindow& fileList);

private:
    void Save();
    void Open();
    void List();
    void StopRecording();
    ListServices Services();

    FeatureContext context_;
    const MeterReading& reading_;
    Recorder& recorder_;
    SamplingController sampling_;
    QPointer<RecordListWindow> fileList_;
    QPointer<RecordListWindow> realTimeList_;
};

} // namespace voltaryn
