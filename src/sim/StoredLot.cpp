#include "sim/StoredLot.h"

#include "sim/SeededDice.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

constexpr double SoftShortShare = 0.03;

} // namespace

double SelfDischargeRate(std::uint64_t seed, int place)
{
    SeededDice dice{seed, SelfDischargeDraws, static_cast<std::uint64_t>(place)};
    return dice.Chance(SoftShortShare) ? -dice.Uniform(10, 60) : -dice.Uniform(0.2, 2);
}

StoredLot::StoredLot(std::uint64_t seed, int days) : seed_(seed), days_(days) {}

BenchCell StoredLot::At(int place) const
{
    while (std::ssize(stored_) <= place) {
        // A pass's values and event need neither its moment nor the switch before it.
        const BenchCell pass = DrawCell(seed_, passesSearched_++, SimTime{}, 0);
        if (pass.event == CellEvent::Normal)
            stored_.push_back(pass);
    }
    BenchCell cell = stored_[static_cast<std::size_t>(place)];
    cell.trayPlace = place;
    cell.volts = std::max(0.0, cell.volts + SelfDischargeRate(seed_, place) * days_ / 1000);
    return cell;
}

} // namespace voltaryn::sim
