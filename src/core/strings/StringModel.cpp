#include "strings/StringModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace voltaryn::strings {
namespace {

constexpr std::array<std::pair<Chemistry, std::string_view>, 4> kChemistries{{
    {Chemistry::Vla, "vla"}, {Chemistry::Vrla, "vrla"}, {Chemistry::Nicd, "nicd"}, {Chemistry::Lifepo4, "lifepo4"}}};

} // namespace

std::string_view ChemistryName(Chemistry chemistry)
{
    return std::ranges::find(kChemistries, chemistry, &std::pair<Chemistry, std::string_view>::first)->second;
}

std::optional<Chemistry> ChemistryOf(std::string_view name)
{
    const auto* found = std::ranges::find(kChemistries, name, &std::pair<Chemistry, std::string_view>::second);
    return found == kChemistries.end() ? std::nullopt : std::optional(found->first);
}

double CellNominalVolts(Chemistry chemistry)
{
    switch (chemistry) {
    case Chemistry::Nicd: return 1.2;
    case Chemistry::Lifepo4: return 3.2;
    case Chemistry::Vla:
    case Chemistry::Vrla: break;
    }
    return 2.0;
}

int DefaultCellsPerBlock(double nominalVolts, Chemistry chemistry)
{
    return std::max(1, static_cast<int>(std::lround(nominalVolts / CellNominalVolts(chemistry))));
}

double MostBlockVolts(const StringLayout& layout)
{
    double cellVolts = 2.7;
    if (layout.chemistry == Chemistry::Nicd)
        cellVolts = 1.8;
    if (layout.chemistry == Chemistry::Lifepo4)
        cellVolts = 4.0;
    return layout.cellsPerBlock * cellVolts;
}

std::optional<LayoutFault> LayoutFaultOf(const StringLayout& layout)
{
    if (layout.blocks < 1 || layout.blocks > MostBlocks)
        return LayoutFault::BlockCount;
    if (layout.nominalVolts != 2 && layout.nominalVolts != 6 && layout.nominalVolts != 12)
        return LayoutFault::NominalVolts;
    if (layout.cellsPerBlock < 1 || layout.cellsPerBlock > 12)
        return LayoutFault::CellsPerBlock;
    const double cellVolts = CellNominalVolts(layout.chemistry);
    const bool singleCell = layout.nominalVolts == 2 && layout.cellsPerBlock == 1;
    if (!singleCell && std::abs(layout.cellsPerBlock * cellVolts - layout.nominalVolts) > cellVolts / 2)
        return LayoutFault::CellsForNominal;
    return std::nullopt;
}

std::string LayoutFaultText(LayoutFault fault)
{
    switch (fault) {
    case LayoutFault::BlockCount: return "a string has 1 to " + std::to_string(MostBlocks) + " blocks";
    case LayoutFault::NominalVolts: return "a block's nominal voltage is 2, 6 or 12 V";
    case LayoutFault::CellsPerBlock: return "a block has 1 to 12 cells";
    case LayoutFault::CellsForNominal:
        return "the block's cells do not make its nominal voltage (cells of 2 V lead-acid, 1.2 V NiCd, 3.2 V LiFePO4)";
    }
    return {};
}

std::vector<Place> WalkOrder(const StringLayout& layout)
{
    std::vector<Place> places;
    for (int block = 1; block <= layout.blocks; ++block) {
        places.push_back({PlaceKind::Block, block});
        if (layout.straps && block < layout.blocks)
            places.push_back({PlaceKind::Strap, block});
    }
    return places;
}

bool HasPlace(const StringLayout& layout, Place place)
{
    if (place.kind == PlaceKind::Strap)
        return layout.straps && place.number >= 1 && place.number < layout.blocks;
    return place.number >= 1 && place.number <= layout.blocks;
}

std::string PlaceText(Place place)
{
    if (place.kind == PlaceKind::Strap)
        return "strap " + std::to_string(place.number) + "→" + std::to_string(place.number + 1);
    return "block " + std::to_string(place.number);
}

} // namespace voltaryn::strings
