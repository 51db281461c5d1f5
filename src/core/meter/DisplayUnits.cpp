#include "meter/DisplayUnits.h"

namespace voltaryn {
namespace {

// A unit whose symbol may have an "m" lit before it.
std::string Unit(bool shown, bool milli, std::string_view unit)
{
    if (!shown)
        return {};
    return (milli ? "m" : "") + std::string(unit);
}

struct Word {
    StatusBit bit;
    std::string_view text;
};

constexpr Word Words[] = {
    {StatusBit::LcdOADJ, "OADJ"}, {StatusBit::LcdHOLD, "HOLD"},       {StatusBit::LcdAUTOHOLD, "AUTO-HOLD"},
    {StatusBit::LcdAM, "AM"},     {StatusBit::LcdAvg, "AVG"},         {StatusBit::LcdTime, "TIME"},
    {StatusBit::LcdIntv, "INTV"}, {StatusBit::LcdCompUp, "COMP"},     {StatusBit::LcdPass, "PASS"},
    {StatusBit::LcdWarning, "WARNING"}, {StatusBit::LcdFail, "FAIL"},
};

} // namespace

DisplayUnits UnitsShown(const StatusBits& lit)
{
    using enum StatusBit;
    DisplayUnits units;
    if (lit[UnitVOhm])
        units.voltage = Unit(true, lit[LcdVm], "Ohm");
    else
        units.voltage = Unit(lit[UnitV], lit[LcdVm], "V");
    units.resistance = Unit(lit[UnitOhm], lit[LcdOhmm], "Ohm");
    units.current = lit[UnitA] ? "A" : lit[LcdAV] ? "V" : "";
    units.temperature = lit[UnitF] ? "°F" : lit[UnitC] ? "°C" : lit[LcdTemV] ? "V" : "";
    for (std::size_t row = 0; row < units.capacity.size(); ++row) {
        const auto milli = static_cast<StatusBit>(static_cast<int>(Lcdm0) + static_cast<int>(row));
        units.capacity.at(row) = Unit(lit[LcdAh], lit[milli], "Ah");
    }
    return units;
}

std::vector<std::string_view> WordsShown(const StatusBits& lit)
{
    std::vector<std::string_view> words;
    for (const Word& word : Words)
        if (lit[word.bit])
            words.push_back(word.text);
    return words;
}

} // namespace voltaryn
