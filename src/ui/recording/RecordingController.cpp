#include "ui/recording/RecordingController.h"

#include "files/DataFileReader.h"
#include "recording/RecorderEnd.h"
#include "ui/common/QtText.h"

#include <filesystem>

namespace voltaryn {

RecordingController::RecordingController(const FeatureContext& context, MeterSession& meter, Recorder& recorder)
    : context_(context), reading_(meter.reading), recorder_(recorder), sampling_(context, meter, recorder)
{
}

void RecordingController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Save", [this] { Save(); });
    toolbar.Add("Open", [this] { Open(); });
    toolbar.Add("List", [this] { List(); });
    // Stop Rec stops the recording, as Save does while one runs; the button is enabled only then.
    toolbar.Add("StopRec", [this] {
        if (recorder_.Recording())
            StopRecording();
    });
    sampling_.Register(toolbar);
}

ListServices RecordingController::Services() { return {context_.dialogs, recorder_, context_.pump}; }

void RecordingController::Tick()
{
    RecorderTickResult tick = recorder_.Tick();
    if (tick.listRow && realTimeList_ != nullptr)
        realTimeList_->AppendRowInView(std::move(*tick.listRow));
    if (tick.listClosed && realTimeList_ != nullptr)
        realTimeList_->close();
    QStringList ends;
    for (const std::optional<RecorderEnd>& end : {tick.recordingEnd, tick.listEnd})
        if (end)
            ends << ToQString(RecorderEndNotice(*end));
    if (!ends.isEmpty())
        emit recorderNotice(ends.join('\n'));
    if (tick.sampled || tick.recordWritten)
        emit recorderChanged();
}

void RecordingController::StopRecording()
{
    if (const std::optional<RecorderEnd> end = recorder_.StopRecording())
        emit recorderNotice(ToQString(RecorderEndNotice(*end)));
    emit recorderChanged();
}

void RecordingController::EndRun()
{
    if (!recorder_.Recording())
        return;
    const std::optional<RecorderEnd> end = recorder_.StopRecording();
    if (end && end->unwrittenRecords > 0)
        context_.dialogs.ShowMessage(&context_.mainWindow, MessageIcon::Critical, ToQString(RecorderEndNotice(*end)));
}

void RecordingController::Save()
{
    QWidget* parent = &context_.mainWindow;
    if (recorder_.Recording()) {
        StopRecording();
        return;
    }
    const QString file = context_.dialogs.AskSaveFileName(parent, DataFileFilter);
    if (file.isEmpty())
        return;
    if (!recorder_.StartRecording(std::filesystem::path(file.toStdString()))) {
        context_.dialogs.ShowMessage(parent, MessageIcon::Critical,
                                     tr("Recording could not start.\n%1").arg(ToQString(recorder_.LastError())));
        return;
    }
    emit recorderNotice({});
    emit recorderChanged();
}

void RecordingController::Open()
{
    QWidget* parent = &context_.mainWindow;
    if (recorder_.Recording()) {
        context_.dialogs.ShowMessage(parent, MessageIcon::Critical, "Recording Mode!\n\rPlease stop recording!");
        return;
    }
    const QString file = context_.dialogs.AskOpenFileName(parent, ListFileFilter);
    if (!file.isEmpty())
        OpenFile(file);
}

void RecordingController::OpenFile(const QString& file)
{
    QWidget* parent = &context_.mainWindow;
    const std::filesystem::path path(file.toStdString());
    if (fileList_ != nullptr)
        fileList_->close();
    // The list keeps its own column titles; the file only names its range and temperature unit.
    fileList_ = new RecordListWindow(FileListLayout(reading_.RangeText, reading_.TempUnitText), Services(), parent);
    fileList_->show();
    DataFile data = ReadDataFile(path, [this](int record) {
        if (fileList_ != nullptr)
            fileList_->setWindowTitle(QString::number(record) + " Records Completed");
        context_.pump.LetEventsRun();
    });
    if (!data.status.Ok()) {
        if (fileList_ != nullptr)
            fileList_->close();
        context_.dialogs.ShowMessage(parent, MessageIcon::Critical, ToQString(data.status.error));
        return;
    }
    if (fileList_ == nullptr)
        return;  // closed by the user while it was read
    RecordTableModel& model = fileList_->Model();
    if (data.rangeTitle)
        model.SetTitle(DataFile::RangeColumn, *data.rangeTitle);
    if (data.temperatureTitle)
        model.SetTitle(DataFile::TemperatureColumn, *data.temperatureTitle);
    model.SetRows(std::move(data.rows));
    fileList_->setWindowTitle(ToQString(path.filename().string()));
    emit fileListOpened(*fileList_);
    if (!data.warning.empty())
        context_.dialogs.ShowMessage(parent, MessageIcon::Exclamation, ToQString(data.warning));
}

void RecordingController::List()
{
    // A list closed during its own save stays alive, hidden, until the save ends.
    const bool shown = realTimeList_ != nullptr && realTimeList_->isVisible();
    if (!shown) {
        realTimeList_ = new RecordListWindow(RealTimeListLayout(reading_.RangeText, reading_.TempUnitText), Services(),
                                             &context_.mainWindow);
        connect(realTimeList_, &RecordListWindow::closed, this, [this] { recorder_.StopList(); });
        realTimeList_->show();
    }
    recorder_.StartList(shown);
    emit recorderNotice({});
}

} // namespace voltaryn
