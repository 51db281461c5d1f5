#include "ui/panel/ToolbarCommands.h"

#include "files/DataFileReader.h"
#include "memory/LoadingCaption.h"
#include "memory/ManualDownload.h"
#include "settings/SettingAnswers.h"
#include "ui/common/QtText.h"
#include "ui/lists/RecordListWindow.h"
#include "ui/panel/PanelWindow.h"
#include "ui/settings/SamplingChoiceDialog.h"

#include <QTableView>

#include <filesystem>

namespace voltaryn {
namespace {


const QString SamplingTitle = QStringLiteral("Input Sampling Time");
const QString SamplingPrompt = QStringLiteral("Enter the SAMPLING TIME in seconds\r\n");

} // namespace

ToolbarCommands::ToolbarCommands(PanelWindow& panel, MeterSession& session, Recorder& recorder,
                                 DialogService& dialogs, EventPump& pump)
    : panel_(panel), session_(session), recorder_(recorder), dialogs_(dialogs), pump_(pump)
{
}

void ToolbarCommands::Run(const QString& key)
{
    if (key == "Save")
        Save();
    else if (key == "Open")
        Open();
    else if (key == "List")
        List();
    else if (key == "Sampling")
        Sampling();
    else if (key == "key")
        panel_.ToggleKeyPad();
    else if (key == "Avg")
        AverageNumber();
    else if (key == "Erase")
        Erase();
    else if (key == "Memory")
        Memory();
}

ListServices ToolbarCommands::Services() { return {dialogs_, recorder_, pump_}; }

template <typename Exchange>
void ToolbarCommands::WithPollingPaused(Exchange exchange)
{
    const PollingPause pause(panel_);
    try {
        exchange();
    } catch (const ReplyError& error) {
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical,
                             QStringLiteral("The meter's answer could not be used: %1").arg(error.what()));
    }
}

void ToolbarCommands::Save()
{
    if (recorder_.Recording()) {
        recorder_.StopRecording();
        panel_.ShowRecorderState();
        return;
    }
    const QString file = dialogs_.AskSaveFileName(&panel_, DataFileFilter);
    if (file.isEmpty())
        return;
    if (!recorder_.StartRecording(std::filesystem::path(file.toStdString()))) {
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical,
                             QStringLiteral("Recording could not start.\n%1").arg(ToQString(recorder_.LastError())));
        return;
    }
    panel_.ShowRecorderState();
}

void ToolbarCommands::Open()
{
    if (recorder_.Recording()) {
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical, "Recording Mode!\n\rPlease stop recording!");
        return;
    }
    const QString file = dialogs_.AskOpenFileName(&panel_, DataFileFilter);
    if (file.isEmpty())
        return;
    const std::filesystem::path path(file.toStdString());
    if (fileList_ != nullptr)
        fileList_->close();
    // The list keeps its own column titles; the file only names its range and temperature unit.
    const MeterReading& reading = session_.reading;
    fileList_ = new RecordListWindow(FileListLayout(reading.RangeText, reading.TempUnitText), Services(), &panel_);
    fileList_->show();
    DataFile data = ReadDataFile(path, [this](int record) {
        if (fileList_ != nullptr)
            fileList_->setWindowTitle(QString::number(record) + " Records Completed");
        pump_.LetEventsRun();
    });
    if (!data.status.Ok()) {
        if (fileList_ != nullptr)
            fileList_->close();
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical, ToQString(data.status.error));
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
}

void ToolbarCommands::List()
{
    const MeterReading& reading = session_.reading;
    const bool shown = realTimeList_ != nullptr;
    if (!shown) {
        realTimeList_ = new RecordListWindow(RealTimeListLayout(reading.RangeText, reading.TempUnitText),
                                             Services(), &panel_);
        QObject::connect(realTimeList_, &RecordListWindow::closed, &panel_, [this] { recorder_.StopList(); });
        realTimeList_->show();
    }
    recorder_.StartList(shown);
}

void ToolbarCommands::ShowLiveRow(RecordRow row)
{
    if (realTimeList_ == nullptr)
        return;
    realTimeList_->AppendRowInView(std::move(row));
}

void ToolbarCommands::EndLiveList()
{
    if (realTimeList_ != nullptr)
        realTimeList_->close();
}

void ToolbarCommands::Sampling()
{
    if (!session_.reading.MeterConnected)
        return;
    SamplingChoiceDialog choice(&panel_);
    dialogs_.RunModal(choice);
    if (choice.result() == QDialog::Accepted)
        pcSampling_ = choice.PcSamplingChosen();
    if (pcSampling_)
        SetPcSampling();
    else
        SetMeterInterval();
}

void ToolbarCommands::SetPcSampling()
{
    const QString answer = dialogs_.AskText(&panel_, SamplingTitle, SamplingPrompt + "(1 <= t <= 86400 ) ",
                                            QString::number(recorder_.SampleTime()));
    const NumberAnswer seconds = PcSamplingAnswer(answer.toStdString());
    if (seconds.kind == NumberAnswer::Kind::NotANumber)
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical,
                             QStringLiteral("\"%1\" is not a number of seconds; the sampling time stays %2 s.")
                                 .arg(answer)
                                 .arg(recorder_.SampleTime()));
    else if (seconds.kind == NumberAnswer::Kind::Value)
        recorder_.SetSampleTime(seconds.value);
}

void ToolbarCommands::SetMeterInterval()
{
    WithPollingPaused([this] {
        MeterCommands& commands = session_.commands;
        commands.ReadMeterInterval();
        meterInterval_ = commands.MeterIntervalReply();
        const QString answer = dialogs_.AskText(&panel_, SamplingTitle, SamplingPrompt + "(1 <= t <= 255 ) ",
                                                QString::number(meterInterval_));
        const NumberAnswer seconds = MeterIntervalAnswer(answer.toStdString());
        if (seconds.kind == NumberAnswer::Kind::NotANumber) {
            dialogs_.ShowMessage(&panel_, MessageIcon::Critical,
                                 QStringLiteral("\"%1\" is not a number of seconds; the meter keeps %2 s.")
                                     .arg(answer)
                                     .arg(meterInterval_));
        } else if (seconds.kind == NumberAnswer::Kind::Value) {
            commands.SetMeterInterval(seconds.value);
            meterInterval_ = seconds.value;
        }
    });
}

void ToolbarCommands::AverageNumber()
{
    WithPollingPaused([this] {
        MeterCommands& commands = session_.commands;
        commands.ReadAverageNumber();
        const QString answer = dialogs_.AskText(&panel_, "Input AverageNumber",
                                                "Enter the AverageNumber\r\n(OFF, 4, 8, 16 ) ",
                                                ToQString(AverageDefaultText(commands.AverageReply())));
        const AverageAnswer average = AverageNumberAnswer(answer.toStdString());
        if (average.noChange)
            return;
        if (average.enterError)
            dialogs_.ShowMessage(&panel_, MessageIcon::Critical, "Enter Error !!!");
        commands.SetAverageNumber(average.value);
    });
}

void ToolbarCommands::Erase()
{
    if (dialogs_.Confirm(&panel_, "All the automatically recorded data in memory will be deleted!"))
        WithPollingPaused([this] { session_.commands.ClearMeterMemory(); });
}

void ToolbarCommands::ShowManualRecord(const RecordRow& row, int number, int count)
{
    if (number == 1) {
        manualList_ = new RecordListWindow(ManualListLayout(), Services(), &panel_);
        manualList_->show();
    }
    if (manualList_ == nullptr)
        return;  // closed by the user while loading
    manualList_->Model().AppendRow(row);
    manualList_->setWindowTitle(ToQString(LoadingCaption(number, count)));
}

void ToolbarCommands::Memory()
{
    if (manualList_ != nullptr)
        manualList_->close();
    const MeterReading& reading = session_.reading;
    if (reading.AutoMemoryOn || reading.IntervalOn) {
        dialogs_.ShowMessage(&panel_, MessageIcon::None, "Error loading in this mode,\nplease check out and try again.");
        return;
    }
    ManualDownloadResult result;
    {
        const PollingPause pause(panel_);
        result = DownloadManualRecords(session_.link, session_.commands, pump_,
                                       [this](const RecordRow& row, int number, int count) {
                                           ShowManualRecord(row, number, count);
                                       });
    }
    if (manualList_ != nullptr)
        manualList_->setWindowTitle(ManualListLayout().caption);
    switch (result.end) {
    case ManualDownloadEnd::Completed:
        break;
    case ManualDownloadEnd::NoRecords:
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical, "No Data !!!");
        break;
    case ManualDownloadEnd::NoReply:
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical,
                             QStringLiteral("The meter stopped answering: %1 of %2 records were loaded.")
                                 .arg(result.rowsDelivered)
                                 .arg(result.recordCount));
        break;
    case ManualDownloadEnd::BadCount:
        dialogs_.ShowMessage(&panel_, MessageIcon::Critical, "The meter's record count makes no sense.");
        break;
    }
}

} // namespace voltaryn
