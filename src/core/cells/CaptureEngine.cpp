#include "cells/CaptureEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace voltaryn::cells {
namespace {

// Open probes read 0 V, give or take the last digits' noise.
constexpr double OpenProbeVolts = 0.01;

// Whether `value` lies within max(one display digit, `percent` of the median) of the median. The
// slack absorbs the binary rounding of decimal texts: 24.32 - 24.31 is a hair above 0.01.
bool WithinTolerance(const DisplayNumber& value, const DisplayNumber& median, double percent)
{
    const double allowed = std::max(median.Digit, std::abs(median.Value) * percent / 100);
    return std::abs(value.Value - median.Value) <= allowed * (1 + 1e-9);
}

} // namespace

CaptureEngine::CaptureEngine(CaptureOptions options) : options_(options)
{
    options_.ReadingsToAgree = std::max(1, options_.ReadingsToAgree);
    recent_.reserve(static_cast<std::size_t>(options_.ReadingsToAgree));
    order_.reserve(recent_.capacity());
}

CaptureStep CaptureEngine::Feed(ReadingTime now, const ProbeReading& reading)
{
    const std::optional<Contact> contact = ContactOf(reading);
    const bool touched = contact || Touches(reading);
    switch (state_) {
    case CaptureState::Open:
        if (!touched)
            return {};
        state_ = CaptureState::Settling;
        contactStart_ = now;
        recent_.clear();
        [[fallthrough]];
    case CaptureState::Settling:
        if (!touched)
            return Lifted();
        lastTouch_ = now;
        return Settle(now, reading, contact);
    case CaptureState::Captured:
    case CaptureState::WaitingForLift:
        break;
    }
    return WaitForLift(contact.has_value(), touched);
}

CaptureStep CaptureEngine::StepInState() const
{
    CaptureStep step;
    step.State = state_;
    return step;
}

CaptureStep CaptureEngine::SettlingStep(int agreeing) const
{
    CaptureStep step = StepInState();
    step.Agreeing = agreeing;
    step.Needed = options_.ReadingsToAgree;
    return step;
}

std::optional<CaptureEngine::Contact> CaptureEngine::ContactOf(const ProbeReading& reading) const
{
    const std::optional<DisplayNumber> resistance = ReadDisplayNumber(reading.ResistanceText);
    const std::optional<DisplayNumber> voltage = ReadDisplayNumber(reading.VoltageText);
    const std::optional<int> power = MilliOhmPower(reading.RangeText);
    if (!resistance || resistance->Mantissa < 0 || !voltage || !power)
        return std::nullopt;
    if (!VoltageInRange(voltage->Value))
        return std::nullopt;
    return Contact{*voltage, *resistance, *power};
}

bool CaptureEngine::Touches(const ProbeReading& reading) const
{
    const std::optional<DisplayNumber> voltage = ReadDisplayNumber(reading.VoltageText);
    return voltage && std::abs(voltage->Value) > OpenProbeVolts && VoltageInRange(voltage->Value);
}

bool CaptureEngine::VoltageInRange(double volts) const
{
    return (!options_.MinVoltage || volts >= *options_.MinVoltage) && (!options_.MaxVoltage || volts <= *options_.MaxVoltage);
}

CaptureStep CaptureEngine::Settle(ReadingTime now, const ProbeReading& reading, const std::optional<Contact>& contact)
{
    if (now - contactStart_ > options_.SettleTimeout) {
        state_ = CaptureState::WaitingForLift;
        openReadings_ = 0;
        CaptureStep step = StepInState();
        step.Problem = CaptureProblem::UnstableContact;
        return step;
    }
    // The readings that agree follow each other: a touch without a resistance starts them afresh.
    if (!contact) {
        recent_.clear();
        return SettlingStep(0);
    }
    Sample sample{*contact, reading};
    if (reading.Hold)
        return CaptureOf(now, sample);
    // Readings on another range are not comparable: the contact starts settling afresh.
    if (!recent_.empty() && recent_.back().Reading.RangeText != sample.Reading.RangeText)
        recent_.clear();
    if (recent_.size() == static_cast<std::size_t>(options_.ReadingsToAgree))
        recent_.erase(recent_.begin());
    recent_.push_back(std::move(sample));
    const int agreeing = AgreeingTail();
    if (agreeing == options_.ReadingsToAgree)
        return CaptureOf(now, MedianOf(recent_.size(), &Sample::Resistance));
    return SettlingStep(agreeing);
}

// The probes read open while a cell settled: it was lifted before it was captured.
CaptureStep CaptureEngine::Lifted()
{
    state_ = CaptureState::Open;
    CaptureStep step = StepInState();
    step.Problem = lastTouch_ - contactStart_ < options_.HeldLongEnough ? CaptureProblem::LiftedEarly
                                                                        : CaptureProblem::UnstableContact;
    return step;
}

CaptureStep CaptureEngine::WaitForLift(bool contact, bool touched)
{
    openReadings_ = contact ? 0 : openReadings_ + 1;
    const bool lifted = !touched || openReadings_ >= options_.OpenReadingsToRearm;
    state_ = lifted ? CaptureState::Open : CaptureState::WaitingForLift;
    return StepInState();
}

CaptureStep CaptureEngine::CaptureOf(ReadingTime now, const Sample& median)
{
    CellCapture capture{
        .Reading = median.Reading,
        .Voltage = median.Voltage.Value,
        .ResistanceMilliOhm = median.Resistance.ScaledBy(median.MilliOhmPower),
        .Temperature = std::nullopt,
        .At = now,
    };
    if (const std::optional<DisplayNumber> temperature = ReadDisplayNumber(median.Reading.TemperatureText))
        capture.Temperature = temperature->Value;
    state_ = CaptureState::Captured;
    openReadings_ = 0;
    recent_.clear();
    CaptureStep step = StepInState();
    step.Agreeing = step.Needed = options_.ReadingsToAgree;
    step.Capture = std::move(capture);
    return step;
}

// The longest run of latest readings that agree; a single reading always agrees with itself.
int CaptureEngine::AgreeingTail()
{
    std::size_t count = recent_.size();
    while (count > 1 && !Agree(count))
        --count;
    return static_cast<int>(count);
}

bool CaptureEngine::Agree(std::size_t count)
{
    const DisplayNumber resistance = MedianOf(count, &Sample::Resistance).Resistance;
    const DisplayNumber voltage = MedianOf(count, &Sample::Voltage).Voltage;
    return std::all_of(recent_.end() - static_cast<std::ptrdiff_t>(count), recent_.end(), [&](const Sample& s) {
        return WithinTolerance(s.Resistance, resistance, options_.ResistanceTolerancePercent) &&
               WithinTolerance(s.Voltage, voltage, options_.VoltageTolerancePercent);
    });
}

// The sample in the middle of the latest `count` when ordered by `field`; the lower of the two
// middle ones when `count` is even, so the median is always a reading that was shown.
const CaptureEngine::Sample& CaptureEngine::MedianOf(std::size_t count, DisplayNumber Sample::*field)
{
    order_.clear();
    for (auto sample = recent_.end() - static_cast<std::ptrdiff_t>(count); sample != recent_.end(); ++sample)
        order_.push_back(&*sample);
    const auto middle = order_.begin() + static_cast<std::ptrdiff_t>((count - 1) / 2);
    std::nth_element(order_.begin(), middle, order_.end(),
                     [field](const Sample* a, const Sample* b) { return (a->*field).Value < (b->*field).Value; });
    return **middle;
}

} // namespace voltaryn::cells
