#include "sim/BatteryString.h"

#include "sim/BenchCell.h"
#include "sim/SeededDice.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>

namespace voltaryn::sim {
namespace {

constexpr int BlocksPerAgedBlock = 12;
constexpr double WarmBlockChance = 0.5;
constexpr double SkippedStrapChance = 0.04;
// Float voltage falls by 3 mV a cell for each degree warmer: a block of six cells 18 mV.
constexpr double FloatVoltsPerCelsius = -0.018;

SeededDice DiceFor(std::uint64_t seed, BenchDraws draws, int number)
{
    return SeededDice{seed, draws, static_cast<std::uint64_t>(number)};
}

// `count` different numbers of 1..`outOf`, drawn without favour.
std::vector<int> DrawDistinct(SeededDice& dice, int count, int outOf)
{
    std::vector<int> numbers(static_cast<std::size_t>(outOf));
    std::iota(numbers.begin(), numbers.end(), 1);
    for (int i = 0; i < count; ++i)
        std::swap(numbers[static_cast<std::size_t>(i)], numbers[static_cast<std::size_t>(dice.Between(i, outOf - 1))]);
    numbers.resize(static_cast<std::size_t>(count));
    return numbers;
}

double YearsInService(SimTime at)
{
    return std::max(0.0, std::chrono::duration<double, std::chrono::years::period>(at - StringInstalled).count());
}

} // namespace

BatteryString::BatteryString(std::uint64_t seed, int blocks) : seed_(seed)
{
    if (blocks < 1 || blocks > strings::MostBlocks)
        throw std::invalid_argument("a string has 1 to " + std::to_string(strings::MostBlocks) + " blocks, not "
                                    + std::to_string(blocks));
    SeededDice layout = DiceFor(seed, StringLayoutDraws, blocks);
    const double ambient = layout.Uniform(23.5, 24.5);
    for (int number = 1; number <= blocks; ++number) {
        SeededDice dice = DiceFor(seed, StringBlockDraws, number);
        const double volts = std::clamp(13.62 + 0.08 * dice.Normal(), 13.45, 13.75);
        const double milliOhms = std::clamp(5.0 * std::exp(0.07 * dice.Normal()), 4.0, 6.0);
        const double ageing = dice.Uniform(0.005, 0.03);
        blocks_.push_back({volts, milliOhms, ageing, ambient + dice.Uniform(-0.5, 0.5), false});
    }
    for (int number = 1; number < blocks; ++number) {
        SeededDice dice = DiceFor(seed, StringStrapDraws, number);
        const double volts = dice.Uniform(0.0005, 0.004);
        straps_.push_back({volts, dice.Uniform(0.030, 0.080), false});
    }

    for (const int number : DrawDistinct(layout, blocks / BlocksPerAgedBlock + layout.Between(0, 1), blocks)) {
        Block& block = blocks_[static_cast<std::size_t>(number - 1)];
        block.aged = true;
        block.ageingPerYear = layout.Uniform(0.15, 0.25);
    }
    const int straps = blocks - 1;
    for (const int number : DrawDistinct(layout, std::min(straps, layout.Between(1, 2)), straps)) {
        Strap& strap = straps_[static_cast<std::size_t>(number - 1)];
        strap.loose = true;
        strap.milliOhms = layout.Uniform(0.150, 0.300);
    }
    if (layout.Chance(WarmBlockChance)) {
        warmBlock_ = layout.Between(1, blocks);
        Block& warm = blocks_[static_cast<std::size_t>(*warmBlock_ - 1)];
        const double warmer = layout.Uniform(4, 6);
        warm.celsius += warmer;
        warm.volts = std::max(13.4, warm.volts + FloatVoltsPerCelsius * warmer);
    }
    std::vector<int> tight;
    for (int number = 1; number <= straps; ++number)
        if (!StrapAt(number).loose)
            tight.push_back(number);
    if (!tight.empty()) {
        const int loosening = tight[static_cast<std::size_t>(layout.Between(0, static_cast<int>(tight.size()) - 1))];
        straps_[static_cast<std::size_t>(loosening - 1)].looseningPerYear = layout.Uniform(0.4, 0.6);
    }
}

const BatteryString::Block& BatteryString::BlockAt(int number) const
{
    return blocks_.at(static_cast<std::size_t>(number - 1));
}

const BatteryString::Strap& BatteryString::StrapAt(int number) const
{
    return straps_.at(static_cast<std::size_t>(number - 1));
}

StringPartValues BatteryString::ValuesAt(strings::Place place, SimTime at) const
{
    if (place.kind == strings::PlaceKind::Strap) {
        const Strap& strap = StrapAt(place.number);
        const double celsius = (BlockAt(place.number).celsius + BlockAt(place.number + 1).celsius) / 2;
        const double loosening =
            std::max(0.0, std::chrono::duration<double, std::chrono::years::period>(at - StrapLooseningFrom).count());
        return {strap.volts, strap.milliOhms * std::pow(1 + strap.looseningPerYear, loosening), celsius};
    }
    const Block& block = BlockAt(place.number);
    return {block.volts, block.newMilliOhms * std::pow(1 + block.ageingPerYear, YearsInService(at)), block.celsius};
}

bool BatteryString::StrapSkipped(int walk, int strap) const
{
    return SeededDice{seed_, StringSkipDraws, static_cast<std::uint64_t>(walk), static_cast<std::uint64_t>(strap)}
        .Chance(SkippedStrapChance);
}

WalkStop BatteryString::After(WalkStop stop) const
{
    using enum strings::PlaceKind;
    const int number = stop.place.number;
    if (stop.place.kind == Strap)
        return {stop.walk, {Block, number + 1}};
    if (number == Blocks())
        return {stop.walk + 1, {Block, 1}};
    if (StrapSkipped(stop.walk, number))
        return {stop.walk, {Block, number + 1}};
    return {stop.walk, {Strap, number}};
}

} // namespace voltaryn::sim
