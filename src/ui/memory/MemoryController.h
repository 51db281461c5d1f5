#pragma once

#include "files/RecordTable.h"
#include "ui/common/FeatureContext.h"
#include "ui/lists/RecordListWindow.h"
#include "ui/panel/ToolbarCommands.h"

#include <QPointer>

namespace voltaryn {

// The meter's memory: the toolbar's Memory downloads the manual records into the manual list.
class MemoryController {
public:
    explicit MemoryController(const FeatureContext& context) : context_(context) {}

    void Register(ToolbarCommands& toolbar);

private:
    void DownloadManualRecords();
    void ShowManualRecord(const RecordRow& row, int number, int count);
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
    QPointer<RecordListWindow> manualList_;
};

} // namespace voltaryn
