#include "ui/common/WalkTexts.h"

#include "ui/common/DisplayNumbers.h"

namespace voltaryn {

QString WalkTexts::PlaceName(strings::Place place)
{
    if (place.kind == strings::PlaceKind::Strap)
        return tr("Strap %1 → %2").arg(place.number).arg(place.number + 1);
    return tr("Block %1").arg(place.number);
}

QString WalkTexts::PlaceHeadline(strings::Place place, int blocks)
{
    if (place.kind == strings::PlaceKind::Strap)
        return PlaceName(place);
    return tr("Block %1 of %2").arg(place.number).arg(blocks);
}

QString WalkTexts::VerdictName(strings::Verdict verdict)
{
    switch (verdict) {
    case strings::Verdict::Pass: return tr("Pass");
    case strings::Verdict::Warn: return tr("Warn");
    case strings::Verdict::Fail: return tr("Fail");
    case strings::Verdict::None: break;
    }
    return tr("—");
}

QString WalkTexts::ResistanceText(strings::PlaceKind kind, std::optional<double> milliohm)
{
    if (!milliohm)
        return {};
    if (kind == strings::PlaceKind::Strap)
        return tr("%1 µΩ").arg(DisplayNumber(*milliohm * 1000, 0));
    return tr("%1 mΩ").arg(DisplayNumber(*milliohm, 3));
}

QString WalkTexts::VoltageText(std::optional<double> volts)
{
    return volts ? tr("%1 V").arg(DisplayNumber(*volts, 3)) : QString();
}

QString WalkTexts::ChangeText(std::optional<double> percent)
{
    if (!percent)
        return {};
    return tr("%1%2 %").arg(*percent >= 0 ? QStringLiteral("+") : QString(), DisplayNumber(*percent, 1));
}

QString WalkTexts::StateText(const cells::CaptureStep& step)
{
    switch (step.State) {
    case cells::CaptureState::Open: return tr("Place the probes");
    case cells::CaptureState::Settling: return tr("Settling %1/%2").arg(step.Agreeing).arg(step.Needed);
    case cells::CaptureState::Captured: return tr("Captured");
    case cells::CaptureState::WaitingForLift: return tr("Lift the probes");
    }
    return {};
}

QString WalkTexts::ProblemText(cells::CaptureProblem problem)
{
    return problem == cells::CaptureProblem::LiftedEarly ? tr("Lifted too early — place the probes again")
                                                         : tr("Unstable contact");
}

QString WalkTexts::RefusalText(strings::WalkRefusal refusal, std::optional<strings::Place> expected)
{
    const QString place = expected ? PlaceName(*expected) : QString();
    switch (refusal) {
    case strings::WalkRefusal::StrapVoltage: return tr("A strap's reading where %1 is expected — nothing stored").arg(place);
    case strings::WalkRefusal::BlockVoltage: return tr("A block's reading where %1 is retested — nothing stored").arg(place);
    case strings::WalkRefusal::TooHighForBlock: return tr("Too high a voltage for a block of this string — nothing stored");
    case strings::WalkRefusal::NoVoltage: return tr("No voltage shown — place the probes again");
    case strings::WalkRefusal::Reversed: return tr("The probes are the wrong way round — nothing stored");
    case strings::WalkRefusal::Done: return tr("The walk is over: retest a place or go to a block");
    }
    return {};
}

} // namespace voltaryn
