#include "graphs/GraphSettings.h"

#include "graphs/DisplaySamples.h"

#include <utility>

namespace voltaryn {

AxisLimits DefaultAxisLimits(bool tempIsCelsius, std::string_view rangeText)
{
    AxisLimits limits;
    limits[AxisChannel::Voltage] = {67, -67};
    limits[AxisChannel::Current] = {670, -670};
    limits[AxisChannel::Temperature] = tempIsCelsius ? AxisRange{65, -25} : AxisRange{149, -13};
    limits[AxisChannel::Resistance] = {ResistanceAxisMaximum(rangeText), 0};
    limits[AxisChannel::Capacity] = {9999, -9999};
    return limits;
}

float ResistanceAxisMaximum(std::string_view rangeText)
{
    // The first match wins, so the milliohm texts come first: "400 " and "40 " are also found in
    // "400 mOhm" and "40 mOhm".
    constexpr std::pair<std::string_view, float> maxima[] = {
        {"400 m", 420}, {"40 m", 42}, {"4 m", 4.2f}, {"400 ", 420}, {"40 ", 42},
    };
    for (const auto& [text, maximum] : maxima) {
        if (rangeText.find(text) != std::string_view::npos)
            return maximum;
    }
    return 4.2f;
}

FieldFormat ResistanceFieldFormat(std::string_view ohmRange)
{
    const double fullScale = LeadingNumber(ohmRange);
    if (fullScale == 4)
        return {0.001, "0.000"};
    if (fullScale == 40)
        return {0.01, "0.00"};
    return {};
}

} // namespace voltaryn
