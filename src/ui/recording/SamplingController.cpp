#include "ui/recording/SamplingController.h"

#include "settings/SettingAnswers.h"
#include "ui/common/OutcomeMessages.h"
#include "ui/settings/SamplingChoiceDialog.h"

namespace voltaryn {
namespace {

const QString SamplingTitle = QStringLiteral("Input Sampling Time");
const QString SamplingPrompt = QStringLiteral("Enter the SAMPLING TIME in seconds\r\n");

} // namespace

void SamplingController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Sampling", [this] { Sampling(); });
}

void SamplingController::Sampling()
{
    // Both choices end at the meter (the PC's rate records its readings), so without one the
    // user learns why nothing opens.
    if (!RequireMeter(meter_.reading, context_.dialogs, Parent()))
        return;
    SamplingChoiceDialog choice(Parent());
    context_.dialogs.RunModal(choice);
    if (choice.result() == QDialog::Accepted)
        sampling_.PcSampling = choice.PcSamplingChosen();
    if (sampling_.PcSampling)
        SetPcSampling();
    else
        SetMeterInterval();
}

void SamplingController::SetPcSampling()
{
    const QString answer = context_.dialogs.AskText(Parent(), SamplingTitle, SamplingPrompt + "(1 <= t <= 86400 ) ",
                                                    QString::number(recorder_.SampleTime()));
    const NumberAnswer seconds = PcSamplingAnswer(answer.toStdString());
    if (seconds.kind == NumberAnswer::Kind::NotANumber)
        context_.dialogs.ShowMessage(Parent(), MessageIcon::Critical,
                                     QStringLiteral("\"%1\" is not a number of seconds; the sampling time stays %2 s.")
                                         .arg(answer)
                                         .arg(recorder_.SampleTime()));
    else if (seconds.kind == NumberAnswer::Kind::Value)
        recorder_.SetSampleTime(seconds.value);
}

void SamplingController::SetMeterInterval()
{
    const RunPause pause(context_.run);
    MeterCommands& commands = meter_.commands;
    int& interval = sampling_.MeterInterval;
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

} // namespace voltaryn
