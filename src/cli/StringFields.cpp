#include "cli/StringFields.h"

#include "cli/CellFields.h"

namespace voltaryn::cli {
namespace {

std::string KindText(const store::StringReading& reading)
{
    if (reading.missing)
        return "missing";
    return reading.place.kind == strings::PlaceKind::Strap ? "strap" : "block";
}

NamedTexts PolicyVerdicts(const strings::ReadingVerdict* verdict)
{
    NamedTexts named;
    if (verdict != nullptr)
        for (const strings::PolicyResult& result : verdict->results)
            named.entries.emplace_back(result.policy, std::string(strings::VerdictName(result.verdict)));
    return named;
}

} // namespace

Record StringReadingRecord(const std::string& site, const std::string& string, Value inspection,
                           const store::StringReading& reading, const strings::ReadingVerdict* verdict)
{
    const auto change = [verdict] { return verdict != nullptr ? verdict->changePercent : std::nullopt; };
    return {{"site", site},
            {"string", string},
            {"inspection", std::move(inspection)},
            {"position", static_cast<long long>(reading.place.number)},
            {"kind", KindText(reading)},
            {"voltage_v", Measured(reading.voltageV)},
            {"resistance_mohm", Measured(reading.resistanceMohm)},
            {"temperature_c", Measured(reading.temperatureC)},
            {"baseline_mohm", Measured(verdict != nullptr ? verdict->referenceMilliohm : std::nullopt)},
            {"change_pct", change() ? Value(Number{*change(), Fixed(*change(), 1)}) : Value(nullptr)},
            {"verdict", verdict != nullptr ? Value(std::string(strings::VerdictName(verdict->verdict))) : Value(nullptr)},
            {"verdicts", PolicyVerdicts(verdict)},
            {"time", IsoTime(reading.measuredUtc)}};
}

std::string StringReadingText(const store::StringReading& reading, const strings::ReadingVerdict* verdict)
{
    std::string text = strings::PlaceText(reading.place);
    if (reading.missing)
        return text + "  missing";
    const bool strap = reading.place.kind == strings::PlaceKind::Strap;
    text += "  " + reading.voltageText.toStdString() + " V  " +
            (strap ? Fixed(reading.resistanceMohm.value_or(0) * 1000, 0) + " µOhm"
                   : reading.resistanceText.toStdString() + " mOhm");
    if (verdict == nullptr)
        return text;
    for (const strings::PolicyResult& result : verdict->results)
        if (result.verdict == strings::Verdict::Warn || result.verdict == strings::Verdict::Fail)
            text += "  " + strings::PolicyResultText(result);
    return text + "  " + std::string(strings::VerdictName(verdict->verdict));
}

} // namespace voltaryn::cli
