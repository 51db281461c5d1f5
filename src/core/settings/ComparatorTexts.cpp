#include "settings/ComparatorTexts.h"

namespace voltaryn {

std::string ShownValue(int count, std::optional<int> decimals)
{
    std::string digits = std::to_string(count);
    if (!decimals)
        return digits + std::string(UnknownPointMarker);
    const auto places = static_cast<std::size_t>(*decimals);
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    const std::string whole = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    fraction.erase(fraction.find_last_not_of('0') + 1);  // all of it when it is only zeros
    return fraction.empty() ? whole : whole + "." + fraction;
}

std::string OhmCell(const OhmLimit& limit) { return ShownValue(limit.Count, limit.Decimals()) + " / " + limit.Range(); }

std::string VoltCell(const VoltLimit& limit) { return ShownValue(limit.Count, limit.Decimals()); }

ComparatorRowTexts ComparatorRow(int number, const ComparatorEntry& entry)
{
    return {std::to_string(number), OhmCell(entry.HighOhm), OhmCell(entry.LowOhm), VoltCell(entry.HighVolt),
            VoltCell(entry.LowVolt)};
}

} // namespace voltaryn
