#pragma once

#include "files/RecordTable.h"
#include "ui/common/FeatureContext.h"
#include "ui/lists/RecordListWindow.h"
#include "ui/memory/SdCardController.h"
#include "ui/panel/ToolbarCommands.h"

#include <QPointer>

namespace voltaryn {

// The meter's memory: the toolbar's Memory downloads the manual records into the manual list;
// the SD card's flows (SDcard, DeleteSD) come with it.
class MemoryController {
public:
    MemoryController(const FeatureContext& context, MeterSession& meter, const Recorder& recorder,
                     PanelWindow& panel)
        : context_(context), meter_(meter), recorder_(recorder), sdCard_(context, meter, recorder, panel)
    {
    }

    void Register(ToolbarCommands& toolbar);

private:
    void DownloadManualRecords();
    void ShowManualRecord(const RecordRow& row, int number, int count);
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
    MeterSession& meter_;
    const Recorder& recorder_;
    SdCardController sdCard_;
    QPointer<RecordListWindow> manualList_;
};

} // namespace voltaryn
