#include "ui/settings/ComparatorController.h"

#include "settings/ComparatorLoad.h"
#include "ui/common/OutcomeMessages.h"
#include "ui/common/ScreenFit.h"

namespace voltaryn {

void ComparatorController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("COMP", [this] { Open(); });
}

// A table read only in part is shown only as far as it was read, and the user is told: no row
// ever shows limits decoded from a reply to another request.
void ComparatorController::Open()
{
    if (window_ != nullptr || loading_)
        return;
    if (!RequireMeter(meter_.reading, context_.dialogs, &context_.mainWindow))
        return;
    loading_ = true;
    window_ = new ComparatorWindow(&context_.mainWindow);
    connect(window_, &ComparatorWindow::closed, this, [this] { window_ = nullptr; });
    connect(window_, &ComparatorWindow::entryPicked, this, &ComparatorController::Pick);
    connect(window_, &ComparatorWindow::updateClicked, this, &ComparatorController::Update);
    ShowBeside(*window_, context_.mainWindow, window_->sizeHint());

    ComparatorLoadResult load;
    {
        const RunPause pause(context_.run);
        load = LoadComparatorTable(meter_.commands, table_, context_.pump,
                                   [this](const ComparatorRowTexts& row) {
                                       if (window_ != nullptr)
                                           window_->AddRow(row);
                                   });
    }
    loading_ = false;
    ShowIfAny(OutcomeOf(load), context_.dialogs, window_ != nullptr ? window_.data() : &context_.mainWindow);
}

void ComparatorController::Pick(int number)
{
    if (!ComparatorTable::IsEntryNumber(number))
        return;
    selectedNo_ = number;
    window_->ShowEditors(EditorsFor(table_.At(number)));
}

void ComparatorController::Update()
{
    const int number = selectedNo_;
    if (!ComparatorTable::IsEntryNumber(number))
        return;
    ComparatorEditors editors = window_->Editors();
    const ComparatorEntry entry = BuildEntry(editors);
    window_->ShowEditors(editors);  // a voltage clamped to 60.00 shows its new digits
    meter_.commands.WriteComparatorEntry(number, EncodeComparatorEntry(entry));
    window_->RewriteRow(number, ComparatorRow(number, entry));
    table_.At(number) = entry;
}

} // namespace voltaryn
