#pragma once

// The figures of each rule with the JSON key that names them and the range they must lie in: one
// table for checking a set, reading a policy file and writing one.

#include "strings/Policies.h"

#include <span>
#include <type_traits>

namespace voltaryn::strings {

template <typename R>
struct PolicyFigure {
    const char* key;
    double low;
    double high;
    double& (*of)(R&);
};

inline constexpr double MostPercent = 1000;
inline constexpr double LowestBandVolts = 0.5;  // per cell
inline constexpr double HighestBandVolts = 5;

inline constexpr PolicyFigure<BaselineRule> BaselineFigures[] = {
    {"warnPercent", 0, MostPercent, [](BaselineRule& r) -> double& { return r.limits.warnPercent; }},
    {"failPercent", 0, MostPercent, [](BaselineRule& r) -> double& { return r.limits.failPercent; }},
};
inline constexpr PolicyFigure<StringAverageRule> StringAverageFigures[] = {
    {"warnPercent", 0, MostPercent, [](StringAverageRule& r) -> double& { return r.limits.warnPercent; }},
    {"failPercent", 0, MostPercent, [](StringAverageRule& r) -> double& { return r.limits.failPercent; }},
};
// Its bands are read apart: an object of chemistries.
inline constexpr PolicyFigure<FloatVoltageRule> FloatVoltageFigures[] = {
    {"mvPerCelsiusPerCell", -10, 0, [](FloatVoltageRule& r) -> double& { return r.mvPerCelsiusPerCell; }},
    {"failMarginVolts", 0, 1, [](FloatVoltageRule& r) -> double& { return r.failMarginVolts; }},
};
inline constexpr PolicyFigure<StrapRule> StrapFigures[] = {
    {"installPercent", 0, MostPercent, [](StrapRule& r) -> double& { return r.installPercent; }},
    {"installMicroohm", 0, 1000, [](StrapRule& r) -> double& { return r.installMicroohm; }},
    {"laterPercent", 0, MostPercent, [](StrapRule& r) -> double& { return r.laterPercent; }},
};
inline constexpr PolicyFigure<TemperatureRule> TemperatureFigures[] = {
    {"aboveCoolestCelsius", 0, 50, [](TemperatureRule& r) -> double& { return r.aboveCoolestCelsius; }},
};

template <typename R>
constexpr std::span<const PolicyFigure<R>> FiguresOf()
{
    if constexpr (std::is_same_v<R, BaselineRule>)
        return BaselineFigures;
    else if constexpr (std::is_same_v<R, StringAverageRule>)
        return StringAverageFigures;
    else if constexpr (std::is_same_v<R, FloatVoltageRule>)
        return FloatVoltageFigures;
    else if constexpr (std::is_same_v<R, StrapRule>)
        return StrapFigures;
    else
        return TemperatureFigures;
}

} // namespace voltaryn::strings
