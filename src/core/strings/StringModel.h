#pragma once
// Stand-in until the core's string model lands.
namespace voltaryn::strings {
enum class PlaceKind { Block, Strap };
struct Place {
    PlaceKind kind = PlaceKind::Block;
    int number = 0;
    auto operator<=>(const Place&) const = default;
};
} // namespace voltaryn::strings
