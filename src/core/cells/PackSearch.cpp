#include "cells/PackSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace voltaryn::cells {
namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

class Annealer {
public:
    Annealer(std::span<const CellFigures> figures, const PackRequest& request, const PackCost& cost,
             std::vector<std::size_t>& order, const PackSearchOptions& options)
        : figures_(figures)
        , request_(request)
        , series_(static_cast<std::size_t>(request.series))
        , parallel_(static_cast<std::size_t>(request.parallel))
        , slots_(series_ * parallel_)
        , cost_(cost)
        , order_(order)
        , options_(options)
        , start_(options.now())
        , deadline_(start_ + options.timeBudget)
        , lastProgress_(start_)
        , rng_(options.seed)
        , totals_(series_)
        , inside_(series_)
        , resistance_(series_)
    {
    }

    void Run()
    {
        if (order_.size() == parallel_)
            return;  // one group and no spare: nothing to swap
        Recompute();
        std::vector<std::size_t> best = order_;
        double bestCost = current_;
        tolerance_ = 1e-12 * current_;
        const double resolution = cost_.Cost(CapacityResolution, 0, 0);
        const double startTemperature = 0.2 * MeanMoveChange();
        // A round tries each possible swap about seven times over, and no fewer than 20,000 moves.
        const std::uint64_t roundMoves = std::clamp<std::uint64_t>(7 * slots_ * (order_.size() - parallel_), 20'000, 1'000'000);
        for (int stale = 0; stale < StaleRounds && bestCost > resolution && !Exhausted();) {
            Anneal(roundMoves, startTemperature);
            Descend();
            // A round that gains less than the resolution counts as stale, though its pack is kept.
            stale = current_ < bestCost - resolution ? 0 : stale + 1;
            if (current_ < bestCost - tolerance_) {
                best = order_;
                bestCost = current_;
            } else {
                order_ = best;
                Recompute();
            }
        }
        order_ = best;
    }

private:
    static constexpr int StaleRounds = 30;
    // A capacity spread that no charger's figures can tell from none, in mAh.
    static constexpr double CapacityResolution = 0.01;
    static constexpr std::chrono::milliseconds ProgressInterval{50};

    struct Swap {
        std::size_t a = 0;
        std::size_t b = 0;
        GroupTotals groupA;
        GroupTotals groupB;  // unused when b is a spare
        double cost = 0;
    };

    std::size_t GroupOf(std::size_t position) const { return position < slots_ ? position / parallel_ : series_; }

    void Recompute()
    {
        std::fill(totals_.begin(), totals_.end(), GroupTotals{});
        for (std::size_t i = 0; i < slots_; ++i)
            totals_[i / parallel_].Add(figures_[order_[i]]);
        for (std::size_t g = 0; g < series_; ++g)
            Refresh(g);
        Settle();
    }

    void Refresh(std::size_t g)
    {
        inside_[g] = cost_.Inside(totals_[g]);
        resistance_[g] = 1 / totals_[g].conductance;
    }

    // Sums the inside spreads afresh, finds the extreme groups and the current cost.
    void Settle()
    {
        insideSum_ = 0;
        double low = Infinity;
        double high = -Infinity;
        for (std::size_t g = 0; g < series_; ++g) {
            insideSum_ += inside_[g];
            if (totals_[g].capacity < low) {
                low = totals_[g].capacity;
                smallest_ = g;
            }
            if (totals_[g].capacity > high) {
                high = totals_[g].capacity;
                largest_ = g;
            }
        }
        current_ = CostWith(series_, totals_[0], series_, totals_[0]);
    }

    // The cost with groups g and h (series_ for none) replaced by `a` and `b`.
    double CostWith(std::size_t g, const GroupTotals& a, std::size_t h, const GroupTotals& b) const
    {
        double capacityLow = Infinity;
        double capacityHigh = -Infinity;
        double resistanceLow = Infinity;
        double resistanceHigh = -Infinity;
        const bool balanced = cost_.WeighsResistance();
        for (std::size_t k = 0; k < series_; ++k) {
            const double capacity = k == g ? a.capacity : k == h ? b.capacity : totals_[k].capacity;
            capacityLow = std::min(capacityLow, capacity);
            capacityHigh = std::max(capacityHigh, capacity);
            if (balanced) {
                const double resistance = k == g ? 1 / a.conductance : k == h ? 1 / b.conductance : resistance_[k];
                resistanceLow = std::min(resistanceLow, resistance);
                resistanceHigh = std::max(resistanceHigh, resistance);
            }
        }
        if (!balanced)
            return cost_.Cost(capacityHigh - capacityLow, 0, 0);
        double inside = insideSum_;
        if (g < series_)
            inside += cost_.Inside(a) - inside_[g];
        if (h < series_)
            inside += cost_.Inside(b) - inside_[h];
        return cost_.Cost(capacityHigh - capacityLow, resistanceHigh - resistanceLow, inside);
    }

    Swap Evaluate(std::size_t a, std::size_t b)
    {
        ++moves_;
        const std::size_t g = GroupOf(a);
        const std::size_t h = GroupOf(b);
        const CellFigures& x = figures_[order_[a]];
        const CellFigures& y = figures_[order_[b]];
        Swap swap{a, b, totals_[g], h < series_ ? totals_[h] : GroupTotals{}, Infinity};
        // A move that breaks the voltage spread costs infinitely much: it is never made.
        if (request_.maxGroupVoltageSpread && (!FitsWith(g, a, y) || (h < series_ && !FitsWith(h, b, x))))
            return swap;
        swap.groupA.Remove(x);
        swap.groupA.Add(y);
        if (h < series_) {
            swap.groupB.Remove(y);
            swap.groupB.Add(x);
        }
        swap.cost = CostWith(g, swap.groupA, h, swap.groupB);
        return swap;
    }

    // Whether group g keeps within the voltage spread with `cell` in place of the one at `position`.
    bool FitsWith(std::size_t g, std::size_t position, const CellFigures& cell) const
    {
        double low = cell.voltage;
        double high = cell.voltage;
        for (std::size_t p = g * parallel_; p < (g + 1) * parallel_; ++p) {
            if (p != position) {
                low = std::min(low, figures_[order_[p]].voltage);
                high = std::max(high, figures_[order_[p]].voltage);
            }
        }
        return VoltagesFit(low, high, request_);
    }

    void Apply(const Swap& swap)
    {
        std::swap(order_[swap.a], order_[swap.b]);
        const std::size_t g = GroupOf(swap.a);
        const std::size_t h = GroupOf(swap.b);
        totals_[g] = swap.groupA;
        Refresh(g);
        if (h < series_) {
            totals_[h] = swap.groupB;
            Refresh(h);
        }
        Settle();
    }

    // A grouped cell, half the time from the group with the largest or smallest capacity sum, and
    // a cell outside its group.
    Swap RandomSwap()
    {
        const std::uint64_t pick = rng_() % 4;
        const std::size_t g = pick == 0 ? largest_ : pick == 1 ? smallest_ : rng_() % series_;
        const std::size_t a = g * parallel_ + rng_() % parallel_;
        std::size_t b = rng_() % (order_.size() - parallel_);
        if (b >= g * parallel_)
            b += parallel_;
        return Evaluate(a, b);
    }

    // Over the moves allowed; 0 when none of the samples is.
    double MeanMoveChange()
    {
        constexpr int Samples = 200;
        double total = 0;
        int allowed = 0;
        for (int i = 0; i < Samples; ++i) {
            const double cost = RandomSwap().cost;
            if (cost < Infinity) {
                total += std::abs(cost - current_);
                ++allowed;
            }
        }
        return allowed == 0 ? 0 : total / allowed;
    }

    void Anneal(std::uint64_t moves, double startTemperature)
    {
        constexpr double Cooling = 1e-3;  // the last temperature, as a fraction of the first
        const double factor = std::pow(Cooling, 1.0 / static_cast<double>(moves));
        double temperature = startTemperature;
        for (std::uint64_t i = 0; i < moves && !Exhausted(); ++i, temperature *= factor) {
            const Swap swap = RandomSwap();
            const double change = swap.cost - current_;
            if (change <= 0 || (temperature > 0 && Uniform() < std::exp(-change / temperature)))
                Apply(swap);
        }
    }

    // First-improvement passes over every swap until one finds nothing.
    void Descend()
    {
        for (bool improved = true; improved && !Exhausted();) {
            improved = false;
            for (std::size_t a = 0; a < slots_ && !Exhausted(); ++a) {
                for (std::size_t b = (a / parallel_ + 1) * parallel_; b < order_.size(); ++b) {
                    const Swap swap = Evaluate(a, b);
                    if (swap.cost < current_ - tolerance_) {
                        Apply(swap);
                        improved = true;
                    }
                }
            }
        }
    }

    bool Exhausted()
    {
        constexpr std::uint64_t ClockInterval = 256;
        if (exhausted_ || moves_ >= options_.maxMoves)
            return exhausted_ = true;
        if (moves_ - clockChecked_ >= ClockInterval) {
            clockChecked_ = moves_;
            const auto now = options_.now();
            exhausted_ = now >= deadline_;
            if (!exhausted_ && options_.progress && now - lastProgress_ >= ProgressInterval) {
                lastProgress_ = now;
                exhausted_ = !options_.progress(std::chrono::duration<double>(now - start_) / options_.timeBudget);
            }
        }
        return exhausted_;
    }

    double Uniform() { return static_cast<double>(rng_() >> 11) * 0x1.0p-53; }

    std::span<const CellFigures> figures_;
    const PackRequest& request_;
    std::size_t series_;
    std::size_t parallel_;
    std::size_t slots_;
    const PackCost& cost_;
    std::vector<std::size_t>& order_;
    const PackSearchOptions& options_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point deadline_;
    std::chrono::steady_clock::time_point lastProgress_;
    std::mt19937_64 rng_;
    std::vector<GroupTotals> totals_;
    std::vector<double> inside_;
    std::vector<double> resistance_;
    double insideSum_ = 0;
    double current_ = 0;
    double tolerance_ = 0;
    std::size_t largest_ = 0;
    std::size_t smallest_ = 0;
    std::uint64_t moves_ = 0;
    std::uint64_t clockChecked_ = 0;
    bool exhausted_ = false;
};

} // namespace

void SearchPack(std::span<const CellFigures> figures, const PackRequest& request, const PackCost& cost,
                std::vector<std::size_t>& order, const PackSearchOptions& options)
{
    Annealer(figures, request, cost, order, options).Run();
}

} // namespace voltaryn::cells
