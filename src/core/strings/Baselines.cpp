#include "strings/Baselines.h"

namespace voltaryn::strings {
namespace {

Baseline ReadIn(const InspectionRecord& inspection, double milliohm, BaselineSource source)
{
    return {milliohm, source, inspection.id, inspection.date};
}

std::optional<Baseline> DefaultBaseline(const StringLayout& layout, std::span<const InspectionRecord> inspections, int block)
{
    std::optional<Baseline> first;
    for (const InspectionRecord& inspection : inspections) {
        const std::optional<double> milliohm = MilliohmAt(inspection, BlockPlace(block));
        if (!milliohm)
            continue;
        if (layout.installed && inspection.date - *layout.installed >= SettledAfter)
            return ReadIn(inspection, *milliohm, BaselineSource::Settled);
        if (!first)
            first = ReadIn(inspection, *milliohm, BaselineSource::Provisional);
    }
    return first;
}

} // namespace

std::string_view BaselineSourceName(BaselineSource source)
{
    switch (source) {
    case BaselineSource::Settled: return "settled";
    case BaselineSource::Provisional: return "provisional";
    case BaselineSource::Chosen: return "chosen";
    case BaselineSource::Typed: return "typed";
    }
    return {};
}

std::vector<std::optional<Baseline>> BlockBaselines(const StringLayout& layout, std::span<const InspectionRecord> inspections,
                                                   const BaselineChoice& choice)
{
    const InspectionRecord* chosen = nullptr;
    for (const InspectionRecord& inspection : inspections)
        if (choice.inspection == inspection.id)
            chosen = &inspection;
    std::vector<std::optional<Baseline>> baselines;
    baselines.reserve(static_cast<std::size_t>(layout.blocks));
    for (int block = 1; block <= layout.blocks; ++block) {
        if (const auto typed = choice.typedMilliohm.find(block); typed != choice.typedMilliohm.end())
            baselines.emplace_back(Baseline{typed->second, BaselineSource::Typed, std::nullopt, std::nullopt});
        else if (const std::optional<double> milliohm = chosen != nullptr ? MilliohmAt(*chosen, BlockPlace(block)) : std::nullopt)
            baselines.emplace_back(ReadIn(*chosen, *milliohm, BaselineSource::Chosen));
        else
            baselines.push_back(DefaultBaseline(layout, inspections, block));
    }
    return baselines;
}

std::vector<std::optional<FirstReading>> StrapFirstReadings(const StringLayout& layout,
                                                            std::span<const InspectionRecord> inspections)
{
    std::vector<std::optional<FirstReading>> firsts(static_cast<std::size_t>(layout.straps && layout.blocks > 1 ? layout.blocks - 1 : 0));
    for (std::size_t strap = 0; strap < firsts.size(); ++strap) {
        for (const InspectionRecord& inspection : inspections) {
            if (const std::optional<double> milliohm = MilliohmAt(inspection, StrapPlace(static_cast<int>(strap) + 1))) {
                firsts[strap] = FirstReading{*milliohm, inspection.id};
                break;
            }
        }
    }
    return firsts;
}

} // namespace voltaryn::strings
