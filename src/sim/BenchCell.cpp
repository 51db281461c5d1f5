#include "sim/BenchCell.h"

#include "sim/SeededDice.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::sim {
namespace {

using std::chrono::milliseconds;

constexpr double BadContactShare = 0.03;
constexpr double EarlyLiftShare = 0.03;
constexpr double DeadShare = 0.03;      // stored too long: 2.0 to 2.5 V
constexpr double StrayShare = 0.07;     // charged or part-discharged: anywhere from 3.0 to 4.2 V
constexpr double MedianMilliOhms = 30;  // a lot of mixed new and used 18650 cells
constexpr double LogSpread = 0.5;

// The voltage a cell of a lot stored at shipping charge shows; a few are dead or stray.
double DrawVolts(SeededDice& dice)
{
    const double kind = dice.Uniform(0, 1);
    if (kind < DeadShare)
        return dice.Uniform(2.0, 2.5);
    if (kind < DeadShare + StrayShare)
        return dice.Uniform(3.0, 4.2);
    return std::clamp(3.6 + 0.04 * dice.Normal(), 3.45, 3.75);
}

double DrawMilliOhms(SeededDice& dice)
{
    return std::clamp(MedianMilliOhms * std::exp(LogSpread * dice.Normal()), 2.0, 800.0);
}

CellEvent DrawEvent(SeededDice& dice)
{
    const double kind = dice.Uniform(0, 1);
    if (kind < BadContactShare)
        return CellEvent::BadContact;
    if (kind < BadContactShare + EarlyLiftShare)
        return CellEvent::EarlyLift;
    return CellEvent::Normal;
}

// The lowest range whose four digits hold the resistance with room for noise and drift, as an
// operator picks it: each range reads ten times as far as the one below, the first to 9.999 mOhm.
int RangeFor(double milliOhms)
{
    constexpr double Headroom = 1.1;
    double fullScale = 9.999;
    for (int code = 1; code < 6; ++code, fullScale *= 10)
        if (milliOhms * Headroom <= fullScale)
            return code;
    return 6;
}

milliseconds DrawMillis(SeededDice& dice, int low, int high) { return milliseconds{dice.Between(low, high)}; }

// How the pass of `cell`, whose values are known, goes: its event, the range switch, its steps.
BenchCell DrawPass(SeededDice& dice, BenchCell cell, SimTime opened, int rangeBefore)
{
    cell.event = DrawEvent(dice);
    cell.rangeBefore = rangeBefore;
    // An early lift comes before the operator could look at the reading, so the switch stays.
    cell.rangeCode = cell.event == CellEvent::EarlyLift ? rangeBefore : RangeFor(cell.milliOhms);

    cell.opened = opened;
    cell.placed = opened + DrawMillis(dice, 500, 1500);
    cell.steady = cell.placed + dice.Between(1, 3) * DisplayRefresh;
    cell.turned = cell.steady;
    cell.onRange = cell.steady;
    if (cell.RangeTurned()) {  // one or two readings on the old range, the turn, one bounce
        cell.turned = cell.steady + dice.Between(1, 2) * DisplayRefresh;
        cell.onRange = cell.turned + DisplayRefresh;
    }
    switch (cell.event) {
    case CellEvent::Normal:
        cell.lifted = cell.onRange + DrawMillis(dice, 1000, 3000);
        break;
    case CellEvent::BadContact:  // the operator waits a little longer before giving up
        cell.lifted = cell.onRange + DrawMillis(dice, 2000, 4000);
        break;
    case CellEvent::EarlyLift:
        cell.lifted = cell.onRange + DrawMillis(dice, 0, DisplayRefresh.count() - 1);
        break;
    }
    return cell;
}

} // namespace

ProbePhase BenchCell::PhaseAt(SimTime at) const
{
    if (at < placed)
        return ProbePhase::Open;
    if (at < steady)
        return ProbePhase::Bounce;
    if (at < turned)
        return ProbePhase::WrongRange;
    if (at < onRange)
        return ProbePhase::Bounce;
    return event == CellEvent::BadContact ? ProbePhase::Drifting : ProbePhase::Settled;
}

BenchCell DrawCell(std::uint64_t seed, int index, SimTime opened, int rangeBefore)
{
    SeededDice dice{seed, CellDraws, static_cast<std::uint64_t>(index)};
    BenchCell cell;
    cell.index = index;
    cell.volts = DrawVolts(dice);
    cell.milliOhms = DrawMilliOhms(dice);
    return DrawPass(dice, cell, opened, rangeBefore);
}

BenchCell DrawRecheck(std::uint64_t seed, int index, BenchCell stored, SimTime opened, int rangeBefore)
{
    SeededDice dice{seed, RecheckDraws, static_cast<std::uint64_t>(index)};
    stored.index = index;
    return DrawPass(dice, stored, opened, rangeBefore);
}

BenchCell DrawStringContact(const BatteryString& string, int index, WalkStop stop, SimTime opened, int rangeBefore)
{
    SeededDice dice{string.Seed(), StringContactDraws, static_cast<std::uint64_t>(index)};
    const StringPartValues values = string.ValuesAt(stop.place, opened);
    BenchCell contact;
    contact.index = index;
    contact.walkStop = stop;
    contact.volts = values.volts;
    contact.milliOhms = values.milliOhms;
    return DrawPass(dice, contact, opened, rangeBefore);
}

} // namespace voltaryn::sim
