#include "ui/memory/SdCardController.h"

#include "memory/MemoryErase.h"
#include "memory/SdCard.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"
#include "ui/common/OutcomeMessages.h"
#include "ui/common/QtText.h"
#include "ui/common/RepaintThrottle.h"
#include "ui/panel/SdDeletePanel.h"

#include <QScopedValueRollback>
#include <QTableView>

namespace voltaryn {
namespace {

// The listing's entries as rows of the Memory window, for as long as the window is open.
class FileTableSink : public SdListingSink {
public:
    explicit FileTableSink(MemoryWindow* window) : window_(window) {}
    void Entry(const SdFileEntry& entry) override
    {
        ++listed_;
        if (window_ != nullptr)
            window_->AddFile(entry.number, ToQString(entry.dateTime), entry.records);
    }
    int Listed() const { return listed_; }
    void Progress(const std::string& caption) override
    {
        if (window_ != nullptr)
            window_->ShowMessage(ToQString(caption));
    }

private:
    QPointer<MemoryWindow> window_;
    int listed_ = 0;
};

// The listing's entries as file numbers to pick for deletion.
class DeleteChoicesSink : public SdListingSink {
public:
    explicit DeleteChoicesSink(SdDeletePanel& panel) : panel_(panel) {}
    void Entry(const SdFileEntry& entry) override
    {
        ++listed_;
        panel_.AddFile(entry.number);
    }
    int Listed() const { return listed_; }
    void Progress(const std::string& caption) override { panel_.ShowMessage(ToQString(caption)); }

private:
    SdDeletePanel& panel_;
    int listed_ = 0;
};

// A downloaded file into the data list, for as long as the list is open. Its grid repaints
// about ten times a second, not after each of the tens of thousands of chunks of a long file,
// and shows the last row when the download ends.
class DataListSink : public SdDownloadSink {
public:
    DataListSink(DataListWindow* list, TransferScope& transfer, int records)
        : list_(list), throttle_(&list->Grid(), std::chrono::milliseconds(100)), transfer_(transfer), records_(records)
    {
    }
    void StartTime(const std::string& text) override
    {
        if (list_ != nullptr)
            list_->ShowStartTime(ToQString(text));
    }
    void Interval(const std::string& text) override
    {
        if (list_ != nullptr)
            list_->ShowInterval(ToQString(text));
    }
    // The grid follows its last row, and the message shows the progress, only when the list is
    // about to be painted: doing it after each of tens of thousands of chunks would lay out the
    // grid and the text each time for nobody to see.
    void Row(const RecordRow& row) override
    {
        if (list_ != nullptr)
            list_->Model().AppendRow(row);
        transfer_.Step(++rows_, records_);
    }
    void Progress(const std::string& caption) override
    {
        caption_ = ToQString(caption);
        if (throttle_.Stepped())
            Show();
    }
    // Shows the latest progress and the last row; at once when the download has ended.
    void Show()
    {
        if (list_ == nullptr)
            return;
        list_->ShowMessage(caption_);
        list_->FollowLastRow();
    }

private:
    QPointer<DataListWindow> list_;
    RepaintThrottle throttle_;
    QString caption_;
    TransferScope& transfer_;
    int records_;
    int rows_ = 0;
};

} // namespace

SdCardController::SdCardController(const FeatureContext& context, MeterSession& meter, const Recorder& recorder,
                                   PanelWindow& panel)
    : context_(context), meter_(meter), recorder_(recorder), panel_(panel)
{
    connect(&panel_.SdDelete(), &SdDeletePanel::okClicked, this, &SdCardController::Delete);
}

void SdCardController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("SDcard", [this] { ListFiles(); });
    toolbar.Add("DeleteSD", [this] { FillDeletePanel(); });
}

void SdCardController::ListFiles()
{
    MeterSession& meter = meter_;
    if (!ReadyForMemoryDownload(meter.reading, context_.dialogs, Parent()) || MemoryWindowShown())
        return;
    const QScopedValueRollback listing(listing_, true);
    const RunPause pause(context_.run);
    context_.pump.LetEventsRun();
    const Answer<SdCardSummary> summary = RequestSdSummary(meter.link);
    if (!UsableAnswer(summary, context_.dialogs, Parent()))
        return;
    if (!summary.value->cardPresent) {
        ShowOutcome({Outcome::NoSdCard}, context_.dialogs, Parent());
        return;
    }
    if (summary.value->fileCount == 0) {
        ShowOutcome({Outcome::SdCardEmpty}, context_.dialogs, Parent());
        return;
    }
    memoryWindow_ = new MemoryWindow(Parent());
    connect(memoryWindow_, &MemoryWindow::fileClicked, this, &SdCardController::DownloadFile);
    connect(memoryWindow_, &MemoryWindow::clearManualClicked, this,
            [this] { ClearMemory(ManualMemoryEraseWarning); });
    connect(memoryWindow_, &MemoryWindow::clearAutomaticClicked, this,
            [this] { ClearMemory(AutomaticMemoryEraseWarning); });
    panel_.Dock(memoryWindow_, PanelWindow::DockPlace::RightEdge);
    memoryWindow_->show();
    memoryWindow_->ShowCardSizes(summary.value->cardKilobytes, summary.value->freeKilobytes);

    FileTableSink sink(memoryWindow_);
    const SdListingEnd end = ListSdFiles(meter.link, context_.pump, summary.value->fileCount, sink);
    if (memoryWindow_ != nullptr)
        ShowIfAny(OutcomeOf(end, sink.Listed()), context_.dialogs, memoryWindow_,
                  [this](const QString& text) { memoryWindow_->ShowMessage(text); });
}

void SdCardController::DownloadFile(int number, int records)
{
    const RunPause pause(context_.run);
    if (dataList_ != nullptr)
        dataList_->close();
    const MeterReading& reading = meter_.reading;
    dataList_ = new DataListWindow(reading.RangeText, reading.TempUnitText,
                                   {context_.dialogs, recorder_, context_.pump}, Parent());
    panel_.Dock(dataList_, PanelWindow::DockPlace::Below);
    dataList_->show();

    TransferScope transfer(context_.transfers, tr("Downloading SD card file %1").arg(number));
    DataListSink sink(dataList_, transfer, records);
    const SdDownloadEnd end = DownloadSdFile(meter_.link, context_.pump, number, records, sink);
    sink.Show();
    if (dataList_ != nullptr)
        ShowIfAny(OutcomeOf(end, dataList_->Model().rowCount()), context_.dialogs, dataList_,
                  [this](const QString& text) { dataList_->ShowMessage(text); });
}

void SdCardController::ClearMemory(const QString& warning)
{
    // The question keeps its OK button; Enter answers Cancel.
    if (!context_.dialogs.ConfirmDestructive(memoryWindow_, {warning, QStringLiteral("OK")}) ||
        !RequireMeter(meter_.reading, context_.dialogs, memoryWindow_))
        return;
    const RunPause pause(context_.run);
    meter_.commands.ClearMeterMemory();
}

void SdCardController::FillDeletePanel()
{
    MeterSession& meter = meter_;
    if (!RequireMeter(meter.reading, context_.dialogs, Parent()))
        return;
    const RunPause pause(context_.run);
    const Answer<SdCardSummary> summary = RequestSdSummary(meter.link);
    if (!UsableAnswer(summary, context_.dialogs, Parent()))
        return;
    SdDeletePanel& choices = panel_.SdDelete();
    choices.StartFill();
    panel_.ShowSdDeletePanel(true);
    DeleteChoicesSink sink(choices);
    const SdListingEnd end =
        ListSdFiles(meter.link, context_.pump, summary.value->fileCount, sink, SdClosingBlock::Always);
    choices.EndFill();
    ShowIfAny(OutcomeOf(end, sink.Listed()), context_.dialogs, Parent(),
              [&choices](const QString& text) { choices.ShowMessage(text); });
}

void SdCardController::Delete(const QString& choice)
{
    panel_.ShowSdDeletePanel(false);
    if (choice == "Exit")
        return;
    if (choice == "ALL"
        && !context_.dialogs.ConfirmDestructive(
            Parent(), {tr("Every file on the meter's SD card will be deleted."), tr("Delete all files")}))
        return;
    if (!RequireMeter(meter_.reading, context_.dialogs, Parent()))
        return;
    const RunPause pause(context_.run);
    if (choice == "ALL")
        meter_.commands.SdDeleteAll();
    else
        meter_.commands.SdDeleteFile(choice.toInt());
}

} // namespace voltaryn
