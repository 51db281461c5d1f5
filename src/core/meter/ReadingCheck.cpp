#include "meter/ReadingCheck.h"

#include "text/CharacterCodes.h"

#include <algorithm>
#include <utility>

namespace voltaryn {

std::optional<std::string> ReadingProblem(const MeterReading& reading)
{
    const std::pair<const char*, const std::string*> fields[] = {
        {"voltage", &reading.VoltageText},          {"resistance", &reading.ResistanceText},
        {"current", &reading.CurrentText},          {"temperature", &reading.TemperatureText},
        {"in-capacity", &reading.CapacityText.at(0)},  {"out-capacity", &reading.CapacityText.at(1)},
        {"total capacity", &reading.CapacityText.at(2)},
    };
    for (const auto& [name, text] : fields)
        if (!std::ranges::all_of(*text, IsDisplayCharacter))
            return std::string(name) + " field shows \"" + Printable(*text) + '"';
    return std::nullopt;
}

} // namespace voltaryn
