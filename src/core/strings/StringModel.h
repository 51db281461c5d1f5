#pragma once

// A stationary battery string: blocks numbered 1..N in series, and the straps between them
// (strap n joins block n and block n + 1).
#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::strings {

enum class Chemistry { Vla, Vrla, Nicd, Lifepo4 };

// "vla", "vrla", "nicd", "lifepo4"; an unknown name is nullopt.
std::string_view ChemistryName(Chemistry chemistry);
std::optional<Chemistry> ChemistryOf(std::string_view name);

inline constexpr int MostBlocks = 1000;

struct StringLayout {
    int blocks = 0;
    double nominalVolts = 0;  // of a block: 2, 6 or 12
    Chemistry chemistry = Chemistry::Vrla;
    int cellsPerBlock = 0;  // 1..12
    bool straps = false;    // whether the straps are measured
    std::optional<std::chrono::sys_days> installed = {};
};

// A cell's nominal voltage: 2 V lead-acid, 1.2 V NiCd, 3.2 V LiFePO4.
double CellNominalVolts(Chemistry chemistry);
// The cells a block of the chemistry holds at that nominal voltage (at least one).
int DefaultCellsPerBlock(double nominalVolts, Chemistry chemistry);
// No block of the string reads above this: its cells at the top of any charge, 2.7 V a lead-acid
// cell, 1.8 V NiCd, 4.0 V LiFePO4.
double MostBlockVolts(const StringLayout& layout);

// Why a string's figures are refused, for each surface to word. The cells of a block add up to
// its nominal voltage within half a cell; a 2 V block may be any single cell.
enum class LayoutFault { BlockCount, NominalVolts, CellsPerBlock, CellsForNominal };
std::optional<LayoutFault> LayoutFaultOf(const StringLayout& layout);
// In English, one line: "a string has 1 to 1000 blocks".
std::string LayoutFaultText(LayoutFault fault);

enum class PlaceKind { Block, Strap };

// A place of the walk. Places order as the walk goes: block 1, strap 1→2, block 2, ...
struct Place {
    PlaceKind kind = PlaceKind::Block;
    int number = 0;

    // The place's index in a walk that measures the straps.
    int WalkIndex() const { return 2 * (number - 1) + (kind == PlaceKind::Strap ? 1 : 0); }
    bool operator==(const Place&) const = default;
    std::strong_ordering operator<=>(const Place& other) const { return WalkIndex() <=> other.WalkIndex(); }
};

// Every place of the string in the walk's order: the straps only when they are measured.
std::vector<Place> WalkOrder(const StringLayout& layout);
// Whether the string has the place.
bool HasPlace(const StringLayout& layout, Place place);
// "block 17", "strap 17→18": the command line's words; each surface words places in its own language.
std::string PlaceText(Place place);

} // namespace voltaryn::strings
