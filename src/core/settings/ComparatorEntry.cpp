#include "settings/ComparatorEntry.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace voltaryn {
namespace {

// The decimals of the one flag set among (flag, decimals) pairs; nothing for none or several.
std::optional<int> OnlyFlagDecimals(std::initializer_list<std::pair<bool, int>> flags)
{
    std::optional<int> decimals;
    for (const auto& [set, places] : flags) {
        if (!set)
            continue;
        if (decimals)
            return std::nullopt;
        decimals = places;
    }
    return decimals;
}

// Where each count and flag travels. The accessors reach into a mutable entry so that encoding
// and decoding share one layout.
struct CountPlace {
    std::size_t highByte;
    int& (*count)(ComparatorEntry&);
};
constexpr CountPlace CountPlaces[] = {
    {0, [](ComparatorEntry& e) -> int& { return e.HighOhm.Count; }},
    {2, [](ComparatorEntry& e) -> int& { return e.LowOhm.Count; }},
    {4, [](ComparatorEntry& e) -> int& { return e.HighVolt.Count; }},
    {6, [](ComparatorEntry& e) -> int& { return e.LowVolt.Count; }},
};

struct FlagPlace {
    std::size_t byte;
    int bit;
    bool& (*flag)(ComparatorEntry&);
};
constexpr FlagPlace FlagPlaces[] = {
    {8, 0, [](ComparatorEntry& e) -> bool& { return e.HighOhm.Milli; }},
    {8, 1, [](ComparatorEntry& e) -> bool& { return e.HighOhm.Dot3; }},
    {8, 2, [](ComparatorEntry& e) -> bool& { return e.HighOhm.Dot2; }},
    {8, 3, [](ComparatorEntry& e) -> bool& { return e.HighOhm.Dot1; }},
    {8, 4, [](ComparatorEntry& e) -> bool& { return e.LowOhm.Dot3; }},
    {8, 5, [](ComparatorEntry& e) -> bool& { return e.LowOhm.Dot2; }},
    {8, 6, [](ComparatorEntry& e) -> bool& { return e.LowOhm.Dot1; }},
    {8, 7, [](ComparatorEntry& e) -> bool& { return e.LowOhm.Milli; }},
    {9, 0, [](ComparatorEntry& e) -> bool& { return e.HighVolt.Dot3; }},
    {9, 1, [](ComparatorEntry& e) -> bool& { return e.HighVolt.Dot2; }},
    {9, 2, [](ComparatorEntry& e) -> bool& { return e.LowVolt.Dot3; }},
    {9, 3, [](ComparatorEntry& e) -> bool& { return e.LowVolt.Dot2; }},
};

} // namespace

std::optional<int> OhmLimit::Decimals() const { return OnlyFlagDecimals({{Dot3, 3}, {Dot2, 2}, {Dot1, 1}}); }

std::string OhmLimit::Range() const
{
    std::string unit = Milli ? "mOhm" : "Ohm";
    const std::optional<int> decimals = Decimals();
    if (!decimals)
        return unit;
    constexpr std::array<std::string_view, 4> RangeByDecimals = {"", "400", "40", "4"};
    return std::string(RangeByDecimals.at(static_cast<std::size_t>(*decimals))) + " " + unit;
}

std::optional<int> VoltLimit::Decimals() const { return OnlyFlagDecimals({{Dot3, 3}, {Dot2, 2}}); }

ComparatorEntry DecodeComparatorEntry(const ComparatorPayload& payload)
{
    ComparatorEntry entry;
    for (const CountPlace& place : CountPlaces)
        place.count(entry) = payload.at(place.highByte) * 256 + payload.at(place.highByte + 1);
    for (const FlagPlace& place : FlagPlaces)
        place.flag(entry) = ((payload.at(place.byte) >> place.bit) & 1) != 0;
    return entry;
}

ComparatorPayload EncodeComparatorEntry(const ComparatorEntry& entry)
{
    ComparatorEntry source = entry;
    ComparatorPayload payload{};
    for (const CountPlace& place : CountPlaces) {
        const int count = place.count(source);
        payload.at(place.highByte) = static_cast<std::uint8_t>(count >> 8);
        payload.at(place.highByte + 1) = static_cast<std::uint8_t>(count);
    }
    for (const FlagPlace& place : FlagPlaces)
        if (place.flag(source))
            payload.at(place.byte) |= static_cast<std::uint8_t>(1u << place.bit);
    return payload;
}

} // namespace voltaryn
