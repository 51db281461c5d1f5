#include "cells/CaptureEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace voltaryn::cells {
namespace {

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
    switch (state_) {
    case CaptureState::Open:
        if (!contact)
            return {};
        state_ = CaptureState::Settling;
        contactStart_ = now;
        recent_.clear();
        return Settle(now, {*contact, reading});
    case CaptureState::Settling:
        if (!contact) {
            state_ = CaptureState::Open;
            return {};
        }
        return Settle(now, {*contact, reading});
    case CaptureState::Captured:
    case CaptureState::WaitingForLift:
        break;
    }
    return WaitForLift(contact.has_value());
}

CaptureStep CaptureEngine::StepInState() const
{
    CaptureStep step;
    step.State = state_;
    return step;
}

std::optional<CaptureEngine::Contact> CaptureEngine::ContactOf(const ProbeReading& reading) const
{
    const std::optional<DisplayNumber> resistance = ReadDisplayNumber(reading.ResistanceText);
    const std::optional<DisplayNumber> voltage = ReadDisplayNumber(reading.VoltageText);
    const std::optional<int> power = MilliOhmPower(reading.RangeText);
    if (!resistance || resistance->Mantissa < 0 || !voltage || !power)
        return std::nullopt;
    const double volts = voltage->Value;
    if ((options_.MinVoltage && volts < *options_.MinVoltage) || (options_.MaxVoltage && volts > *options_.MaxVoltage))
        return std::nullopt;
    return Contact{*voltage, *resistance, *power};
}

CaptureStep CaptureEngine::Settle(ReadingTime now, Sample sample)
{
    if (now - contactStart_ > options_.SettleTimeout) {
        state_ = CaptureState::WaitingForLift;
        openReadings_ = 0;
        CaptureStep step = StepInState();
        step.UnstableContact = true;
        return step;
    }
    if (sample.Reading.Hold)
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
    CaptureStep step = StepInState();
    step.Agreeing = agreeing;
    step.Needed = options_.ReadingsToAgree;
    return step;
}

CaptureStep CaptureEngine::WaitForLift(bool contact)
{
    openReadings_ = contact ? 0 : openReadings_ + 1;
    state_ = openReadings_ >= options_.OpenReadingsToRearm ? CaptureState::Open : CaptureState::WaitingForLift;
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
