#include "strings/WalkRecord.h"

namespace voltaryn::strings {

const Reading* ReadingAt(const InspectionRecord& inspection, Place place)
{
    const std::vector<std::optional<Reading>>& readings =
        place.kind == PlaceKind::Block ? inspection.blocks : inspection.straps;
    if (place.number < 1 || static_cast<std::size_t>(place.number) > readings.size())
        return nullptr;
    const std::optional<Reading>& reading = readings[static_cast<std::size_t>(place.number - 1)];
    return reading ? &*reading : nullptr;
}

std::optional<double> MilliohmAt(const InspectionRecord& inspection, Place place)
{
    const Reading* reading = ReadingAt(inspection, place);
    return reading != nullptr ? reading->milliohm : std::nullopt;
}

} // namespace voltaryn::strings
