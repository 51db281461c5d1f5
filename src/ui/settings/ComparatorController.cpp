#include "ui/settings/ComparatorController.h"

#include "settings/ComparatorLoad.h"
#include "ui/common/MeterAnswers.h"

namespace voltaryn {

void ComparatorController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("COMP", [this] { Open(); });
}

// A table read only in part is shown only as far as it was read, and the user is told: no row
// ever shows limits decoded from a reply to another request.
void ComparatorController::Open()
{
    ComparatorState& comparator = context_.state.comparator;
    if (comparator.ComparatorWindowOpen || comparator.ComparatorLoading)
        return;
    if (!RequireMeter(context_.state.meter.reading, context_.dialogs, &context_.mainWindow))
        return;
    comparator.ComparatorLoading = true;
    window_ = new ComparatorWindow(&context_.mainWindow);
    comparator.ComparatorWindowOpen = true;
    connect(window_, &ComparatorWindow::closed, this, [&comparator] { comparator.ComparatorWindowOpen = false; });
    connect(window_, &ComparatorWindow::entryPicked, this, &ComparatorController::Pick);
    connect(window_, &ComparatorWindow::updateClicked, this, &ComparatorController::Update);
    window_->show();

    ComparatorLoadResult load;
    {
        const PollingPause pause(context_.polling);
        load = LoadComparatorTable(context_.state.meter.commands, comparator.Table, context_.pump,
                                   [this](const ComparatorRowTexts& row) {
                                       if (window_ != nullptr)
                                           window_->AddRow(row);
                                   });
    }
    comparator.ComparatorLoading = false;
    if (!load.Complete())
        context_.dialogs.ShowMessage(window_ != nullptr ? window_.data() : &context_.mainWindow, MessageIcon::Critical,
                                     QStringLiteral("The meter stopped answering: %1 of 99 comparator entries were "
                                                    "read, and only those are shown.")
                                         .arg(load.entriesRead));
}

void ComparatorController::Pick(int number)
{
    if (!ComparatorTable::IsEntryNumber(number))
        return;
    context_.state.comparator.SelectedComparatorNo = number;
    window_->ShowEditors(EditorsFor(context_.state.comparator.Table.At(number)));
}

void ComparatorController::Update()
{
    ComparatorState& comparator = context_.state.comparator;
    const int number = comparator.SelectedComparatorNo;
    if (!ComparatorTable::IsEntryNumber(number))
        return;
    ComparatorEditors editors = window_->Editors();
    const ComparatorEntry entry = BuildEntry(editors);
    window_->ShowEditors(editors);  // a voltage clamped to 60.00 shows its new digits
    context_.state.meter.commands.WriteComparatorEntry(number, EncodeComparatorEntry(entry));
    window_->RewriteRow(number, ComparatorRow(number, entry));
    comparator.Table.At(number) = entry;
}

} // namespace voltaryn
