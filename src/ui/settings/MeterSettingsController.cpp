#include "ui/settings/MeterSettingsController.h"

#include "memory/MemoryErase.h"
#include "settings/SettingAnswers.h"
#include "ui/common/OutcomeMessages.h"
#include "ui/common/QtText.h"
#include "ui/settings/RtcSetupDialog.h"

namespace voltaryn {
void MeterSettingsController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Avg", [this] { AverageNumber(); });
    toolbar.Add("Erase", [this] { Erase(); });
    toolbar.Add("TimeSet", [this] { ClockSetup(); });
}

void MeterSettingsController::AverageNumber()
{
    if (!RequireMeter(meter_.reading, context_.dialogs, Parent()))
        return;
    const RunPause pause(context_.run);
    MeterCommands& commands = meter_.commands;
    const Answer<std::int16_t> reply = commands.ReadAverageNumber();
    if (!UsableAnswer(reply, context_.dialogs, Parent()))
        return;
    const QString answer = context_.dialogs.AskText(Parent(), "Input AverageNumber",
                                                    "Enter the AverageNumber\r\n(OFF, 4, 8, 16 ) ",
                                                    ToQString(AverageDefaultText(*reply.value)));
    const AverageAnswer average = AverageNumberAnswer(answer.toStdString());
    if (average.noChange)
        return;
    if (average.enterError)
        context_.dialogs.ShowMessage(Parent(), MessageIcon::Critical, "Enter Error !!!");
    commands.SetAverageNumber(average.value);
}

// While a recording runs the clock window is refused: polling stops while the window is open,
// and the recording would repeat the last reading shown for all that time.
void MeterSettingsController::ClockSetup()
{
    if (recorder_.Recording()) {
        context_.dialogs.ShowMessage(Parent(), MessageIcon::Critical, "Recording mode, stop record then try again !");
        return;
    }
    if (!RequireMeter(meter_.reading, context_.dialogs, Parent()))
        return;
    const RunPause pause(context_.run);
    RtcSetupDialog clock(meter_.commands, pcClock_, Parent());
    context_.dialogs.RunModal(clock);
}

void MeterSettingsController::Erase()
{
    if (!RequireMeter(meter_.reading, context_.dialogs, Parent()))
        return;
    // The question keeps its OK button; Enter answers Cancel.
    if (!context_.dialogs.ConfirmDestructive(
            Parent(), {AutomaticMemoryEraseWarning, QStringLiteral("OK")}))
        return;
    const RunPause pause(context_.run);
    meter_.commands.ClearMeterMemory();
}

} // namespace voltaryn
