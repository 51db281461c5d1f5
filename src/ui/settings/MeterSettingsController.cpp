#include "ui/settings/MeterSettingsController.h"

#include "settings/SettingAnswers.h"
#include "ui/common/MeterAnswers.h"
#include "ui/common/QtText.h"
#include "ui/settings/RtcSetupDialog.h"
#include "ui/settings/SamplingChoiceDialog.h"

namespace voltaryn {
namespace {

const QString SamplingTitle = QStringLiteral("Input Sampling Time");
const QString SamplingPrompt = QStringLiteral("Enter the SAMPLING TIME in seconds\r\n");

} // namespace

void MeterSettingsController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Sampling", [this] { Sampling(); });
    toolbar.Add("Avg", [this] { AverageNumber(); });
    toolbar.Add("Erase", [this] { Erase(); });
    toolbar.Add("TimeSet", [this] { ClockSetup(); });
}

void MeterSettingsController::Sampling()
{
    if (!context_.state.meter.reading.MeterConnected)
        return;
    SamplingSettings& sampling = context_.state.sampling;
    SamplingChoiceDialog choice(Parent());
    context_.dialogs.RunModal(choice);
    if (choice.result() == QDialog::Accepted)
        sampling.PcSampling = choice.PcSamplingChosen();
    if (sampling.PcSampling)
        SetPcSampling();
    else
        SetMeterInterval();
}

void MeterSettingsController::SetPcSampling()
{
    Recorder& recorder = context_.state.recorder;
    const QString answer = context_.dialogs.AskText(Parent(), SamplingTitle, SamplingPrompt + "(1 <= t <= 86400 ) ",
                                                    QString::number(recorder.SampleTime()));
    const NumberAnswer seconds = PcSamplingAnswer(answer.toStdString());
    if (seconds.kind == NumberAnswer::Kind::NotANumber)
        context_.dialogs.ShowMessage(Parent(), MessageIcon::Critical,
                                     QStringLiteral("\"%1\" is not a number of seconds; the sampling time stays %2 s.")
                                         .arg(answer)
                                         .arg(recorder.SampleTime()));
    else if (seconds.kind == NumberAnswer::Kind::Value)
        recorder.SetSampleTime(seconds.value);
}

void MeterSettingsController::SetMeterInterval()
{
    const PollingPause pause(context_.polling);
    MeterCommands& commands = context_.state.meter.commands;
    int& interval = context_.state.sampling.MeterInterval;
    const Answer<std::int16_t> reply = commands.ReadMeterInterval();
    if (!UsableAnswer(reply, context_.dialogs, Parent()))
        return;
    interval = *reply.value;
    const QString answer = context_.dialogs.AskText(Parent(), SamplingTitle, SamplingPrompt + "(1 <= t <= 255 ) ",
                                                    QString::number(interval));
    const NumberAnswer seconds = MeterIntervalAnswer(answer.toStdString());
    if (seconds.kind == NumberAnswer::Kind::NotANumber) {
        context_.dialogs.ShowMessage(
            Parent(), MessageIcon::Critical,
            QStringLiteral("\"%1\" is not a number of seconds; the meter keeps %2 s.").arg(answer).arg(interval));
    } else if (seconds.kind == NumberAnswer::Kind::Value) {
        commands.SetMeterInterval(seconds.value);
        interval = seconds.value;
    }
}

void MeterSettingsController::AverageNumber()
{
    if (!RequireMeter(context_.state.meter.reading, context_.dialogs, Parent()))
        return;
    const PollingPause pause(context_.polling);
    MeterCommands& commands = context_.state.meter.commands;
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
    if (context_.state.recorder.Recording()) {
        context_.dialogs.ShowMessage(Parent(), MessageIcon::Critical, "Recording mode, stop record then try again !");
        return;
    }
    if (!RequireMeter(context_.state.meter.reading, context_.dialogs, Parent()))
        return;
    const PollingPause pause(context_.polling);
    RtcSetupDialog clock(context_.state.meter.commands, context_.state.pcClock, context_.polling, Parent());
    context_.dialogs.RunModal(clock);
}

void MeterSettingsController::Erase()
{
    if (!RequireMeter(context_.state.meter.reading, context_.dialogs, Parent()))
        return;
    if (!context_.dialogs.Confirm(Parent(), "All the automatically recorded data in memory will be deleted!"))
        return;
    const PollingPause pause(context_.polling);
    context_.state.meter.commands.ClearMeterMemory();
}

} // namespace voltaryn
