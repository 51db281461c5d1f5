#include "ui/common/OutcomeMessages.h"

#include "ui/common/QtText.h"

namespace voltaryn {

void ShowOutcome(const OutcomeReport& report, DialogService& dialogs, QWidget* parent,
                 const std::function<void(const QString&)>& showOnLine)
{
    const OutcomeEntry& entry = EntryOf(report.outcome);
    const QString text = ToQString(GuiText(report));
    if (entry.place == OutcomePlace::MessageLine && showOnLine)
        showOnLine(text);
    else
        dialogs.ShowMessage(parent, entry.place == OutcomePlace::PlainBox ? MessageIcon::None : MessageIcon::Critical,
                            text);
}

bool ShowIfAny(const std::optional<OutcomeReport>& outcome, DialogService& dialogs, QWidget* parent,
               const std::function<void(const QString&)>& showOnLine)
{
    if (outcome)
        ShowOutcome(*outcome, dialogs, parent, showOnLine);
    return outcome.has_value();
}

bool RequireMeter(const MeterReading& reading, DialogService& dialogs, QWidget* parent)
{
    if (!reading.MeterConnected)
        ShowOutcome({Outcome::NoMeter}, dialogs, parent);
    return reading.MeterConnected;
}

bool ReadyForMemoryDownload(const MeterReading& reading, DialogService& dialogs, QWidget* parent)
{
    if (!RequireMeter(reading, dialogs, parent))
        return false;
    if (MemoryReadable(reading))
        return true;
    ShowOutcome({Outcome::MemoryBusy}, dialogs, parent);
    return false;
}

} // namespace voltaryn
