#pragma once

#include "ui/common/FeatureContext.h"
#include "ui/lists/DataListWindow.h"
#include "ui/memory/MemoryWindow.h"
#include "ui/panel/PanelWindow.h"
#include "ui/panel/ToolbarCommands.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The meter's SD card: the toolbar's SDcard lists its files in the Memory window, a click on a
// file downloads it into the data list, and DeleteSD fills the main window's delete panel,
// whose OK deletes one file or all of them.
class SdCardController : public QObject {
    Q_OBJECT
public:
    SdCardController(const FeatureContext& context, MeterSession& meter, const Recorder& recorder, PanelWindow& panel);

    void Register(ToolbarCommands& toolbar);
    // The Memory window is shown, or a listing that will show it is under way (a toolbar click
    // while the listing lets events run must not open a second one).
    bool MemoryWindowShown() const { return listing_ || (memoryWindow_ != nullptr && memoryWindow_->isVisible()); }

private:
    void ListFiles();
    void DownloadFile(int number, int records);
    void ClearMemory(const QString& warning);
    void FillDeletePanel();
    void Delete(const QString& choice);
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
    MeterSession& meter_;
    const Recorder& recorder_;
    PanelWindow& panel_;
    QPointer<MemoryWindow> memoryWindow_;
    QPointer<DataListWindow> dataList_;
    bool listing_ = false;
};

} // namespace voltaryn
