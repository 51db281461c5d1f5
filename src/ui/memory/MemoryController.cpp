#include "ui/memory/MemoryController.h"

#include "memory/LoadingCaption.h"
#include "memory/ManualDownload.h"
#include "ui/common/OutcomeMessages.h"
#include "ui/common/QtText.h"

#include <QCoreApplication>

namespace voltaryn {

void MemoryController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Memory", [this] { DownloadManualRecords(); });
    sdCard_.Register(toolbar);
}

void MemoryController::ShowManualRecord(const RecordRow& row, int number, int count)
{
    if (number == 1) {
        manualList_ = new RecordListWindow(ManualListLayout(), {context_.dialogs, recorder_, context_.pump},
                                           Parent());
        manualList_->show();
    }
    if (manualList_ == nullptr)
        return;  // closed by the user while loading
    manualList_->Model().AppendRow(row);
    manualList_->setWindowTitle(ToQString(LoadingCaption(number, count)));
}

void MemoryController::DownloadManualRecords()
{
    if (manualList_ != nullptr)
        manualList_->close();
    MeterSession& meter = meter_;
    if (!ReadyForMemoryDownload(meter.reading, context_.dialogs, Parent()) || sdCard_.MemoryWindowShown())
        return;
    ManualDownloadResult result;
    {
        const RunPause pause(context_.run);
        TransferScope transfer(context_.transfers,
                               QCoreApplication::translate("voltaryn::MemoryController", "Reading the meter's manual records"));
        result = voltaryn::DownloadManualRecords(meter.link, meter.commands, context_.pump,
                                                 [this, &transfer](const RecordRow& row, int number, int count) {
                                                     ShowManualRecord(row, number, count);
                                                     transfer.Step(number, count);
                                                 });
    }
    if (manualList_ != nullptr)
        manualList_->setWindowTitle(ManualListLayout().caption);
    ShowIfAny(OutcomeOf(result), context_.dialogs, Parent());
}

} // namespace voltaryn
