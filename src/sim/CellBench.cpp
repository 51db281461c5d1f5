#include "sim/CellBench.h"

#include "sim/SeededDice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace voltaryn::sim {
namespace {

constexpr double Noise = 0.0005;  // a settled reading wanders by up to 0.05 %
constexpr double AmbientCelsius = 24;
constexpr std::chrono::minutes TemperaturePeriod{10};

// A bad contact starts 5 % high and adds 2 % of the cell's resistance at every refresh, or 10 µOhm
// on a strap, for which 2 % would stay within a digit; the voltage sags by 0.1 %.
constexpr double ContactOhmsStart = 0.05;
constexpr double ContactOhmsStep = 0.02;
constexpr double LeastContactMilliOhmsStep = 0.01;
constexpr double ContactVoltsStep = 0.001;

double Seconds(SimTime::duration d) { return std::chrono::duration<double>(d).count(); }

// How far a reading has drifted at a refresh, as factors on the cell's voltage and resistance:
// not at all, but on a bad contact.
struct Drift {
    double volts = 1;
    double ohms = 1;
};

Drift DriftAt(const BenchCell& cell, SimTime refresh)
{
    if (cell.event != CellEvent::BadContact)
        return {};
    const auto refreshes = static_cast<double>((refresh - cell.steady) / DisplayRefresh);
    const double ohmsStep = std::max(ContactOhmsStep, LeastContactMilliOhmsStep / cell.milliOhms);
    return {1 - ContactVoltsStep * refreshes, 1 + ContactOhmsStart + ohmsStep * refreshes};
}

} // namespace

CellBench::CellBench(std::uint64_t seed, SimTime start, std::optional<int> daysStored)
    : seed_(seed), start_(start),
      temperaturePhase_(SeededDice{seed, TemperatureDraws}.Uniform(0, 2 * std::numbers::pi))
{
    if (daysStored)
        lot_.emplace(seed, *daysStored);
}

CellBench::CellBench(BatteryString string, SimTime start) : CellBench(string.Seed(), start)
{
    string_.emplace(std::move(string));
}

void CellBench::PlanNext() const
{
    const int index = static_cast<int>(cells_.size());
    const SimTime opened = cells_.empty() ? start_ : cells_.back().lifted;
    const int rangeBefore = cells_.empty() ? FirstRangeCode : cells_.back().rangeCode;
    if (lot_)
        cells_.push_back(DrawRecheck(seed_, index, lot_->At(NextTrayPlace()), opened, rangeBefore));
    else if (string_)
        cells_.push_back(DrawStringContact(*string_, index, NextWalkStop(), opened, rangeBefore));
    else
        cells_.push_back(DrawCell(seed_, index, opened, rangeBefore));
}

// The cell after the last one that settled; the same again when it did not.
int CellBench::NextTrayPlace() const
{
    if (cells_.empty())
        return 0;
    const BenchCell& last = cells_.back();
    return *last.trayPlace + (last.event == CellEvent::Normal ? 1 : 0);
}

// The place after the last contact that settled; the same again when it did not.
WalkStop CellBench::NextWalkStop() const
{
    if (cells_.empty())
        return {};
    const BenchCell& last = cells_.back();
    return last.event == CellEvent::Normal ? string_->After(*last.walkStop) : *last.walkStop;
}

const BenchCell& CellBench::Planned(SimTime at) const
{
    while (cells_.empty() || cells_.back().lifted <= at)
        PlanNext();
    return *std::upper_bound(cells_.begin(), cells_.end(), at,
                             [](SimTime t, const BenchCell& cell) { return t < cell.lifted; });
}

BenchCell CellBench::CellAt(SimTime at) const { return Planned(at); }

int CellBench::RangeCodeAt(SimTime at) const
{
    const BenchCell& cell = Planned(at);
    return at < cell.turned ? cell.rangeBefore : cell.rangeCode;
}

std::vector<BenchCell> CellBench::FirstCells(int count) const
{
    while (std::ssize(cells_) < count)
        PlanNext();
    return {cells_.begin(), cells_.begin() + std::max(count, 0)};
}

// The fixture's air, or on a string the post the probe's sensor touches.
double CellBench::CelsiusAt(const BenchCell& cell, SimTime refresh, double noise) const
{
    if (cell.walkStop)
        return string_->ValuesAt(cell.walkStop->place, refresh).celsius + 0.05 * noise;
    const double turn = Seconds(refresh - start_) / Seconds(TemperaturePeriod);
    return AmbientCelsius + 0.4 * std::sin(2 * std::numbers::pi * turn + temperaturePhase_) + 0.05 * noise;
}

BatterySample CellBench::ShownAt(SimTime at) const
{
    const std::int64_t number = std::max<std::int64_t>(0, (at - start_) / DisplayRefresh);
    const SimTime refresh = start_ + number * DisplayRefresh;
    const BenchCell& cell = Planned(refresh);
    SeededDice dice{seed_, RefreshDraws, static_cast<std::uint64_t>(number)};

    BatterySample shown;
    shown.celsius = CelsiusAt(cell, refresh, dice.Uniform(-1, 1));
    switch (cell.PhaseAt(refresh)) {
    case ProbePhase::Open:
        shown.ohms = std::numeric_limits<double>::infinity();
        break;
    case ProbePhase::Bounce:  // a partial contact: the voltage reads low, the resistance far too high
        shown.volts = cell.volts * dice.Uniform(0.3, 1.0);
        shown.ohms = cell.milliOhms / 1000 * dice.Uniform(1.5, 20);
        break;
    case ProbePhase::WrongRange:
    case ProbePhase::Settled:
    case ProbePhase::Drifting: {
        const Drift drift = DriftAt(cell, refresh);
        shown.volts = cell.volts * drift.volts * (1 + Noise * dice.Uniform(-1, 1));
        shown.ohms = cell.milliOhms / 1000 * drift.ohms * (1 + Noise * dice.Uniform(-1, 1));
        break;
    }
    }
    return shown;
}

} // namespace voltaryn::sim
