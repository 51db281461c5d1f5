#include "strings/Policies.h"

#include "strings/PolicyFigures.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

namespace voltaryn::strings {
namespace {

// In the variant's order.
constexpr const char* RuleNames[] = {"baseline", "string-average", "float-voltage", "strap", "temperature"};
static_assert(std::size(RuleNames) == std::variant_size_v<Rule>);

const Rule DefaultRules[] = {BaselineRule{}, StringAverageRule{}, FloatVoltageRule{}, StrapRule{}, TemperatureRule{}};

std::string Quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool IsName(std::string_view name)
{
    return !name.empty() && name.size() <= LongestPolicyName && std::ranges::all_of(name, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
    });
}

bool Within(double value, double low, double high) { return value >= low && value <= high; }

std::optional<PolicyFault> BandsProblem(const FloatVoltageRule& rule, const std::string& where)
{
    for (std::size_t c = 0; c < rule.bands.size(); ++c) {
        const FloatBand& band = rule.bands[c];
        const std::string key(ChemistryName(static_cast<Chemistry>(c)));
        for (const double volts : {band.low, band.high})
            if (!Within(volts, LowestBandVolts, HighestBandVolts))
                return PolicyFault{PolicyFault::Reason::OutOfRange, where, key, {}, volts, LowestBandVolts, HighestBandVolts};
        if (band.low >= band.high)
            return PolicyFault{PolicyFault::Reason::BandUpsideDown, where, key};
    }
    return std::nullopt;
}

std::optional<PolicyFault> FiguresProblem(const Rule& rule, const std::string& where)
{
    return std::visit([&](auto checked) -> std::optional<PolicyFault> {
        using R = decltype(checked);
        for (const PolicyFigure<R>& figure : FiguresOf<R>()) {
            const double value = figure.of(checked);
            if (!Within(value, figure.low, figure.high))
                return PolicyFault{PolicyFault::Reason::OutOfRange, where, figure.key, {}, value, figure.low, figure.high};
        }
        if constexpr (requires { checked.limits; }) {
            if (checked.limits.warnPercent > checked.limits.failPercent)
                return PolicyFault{PolicyFault::Reason::WarnAboveFail, where, "warnPercent"};
        }
        if constexpr (std::is_same_v<R, FloatVoltageRule>)
            return BandsProblem(checked, where);
        return std::nullopt;
    }, rule);
}

} // namespace

std::string_view RuleName(const Rule& rule) { return RuleNames[rule.index()]; }

std::optional<Rule> RuleNamed(std::string_view name)
{
    for (const Rule& rule : DefaultRules)
        if (RuleName(rule) == name)
            return rule;
    return std::nullopt;
}

PolicySet DefaultPolicies()
{
    PolicySet set;
    for (const Rule& rule : DefaultRules)
        set.policies.push_back({std::string(RuleName(rule)), rule});
    return set;
}

std::optional<ChangeLimits> BaselineLimits(const PolicySet& set)
{
    for (const Policy& policy : set.policies)
        if (const auto* rule = std::get_if<BaselineRule>(&policy.rule))
            return rule->limits;
    return std::nullopt;
}

std::optional<FloatBand> FloatBandOf(const PolicySet& set, Chemistry chemistry)
{
    for (const Policy& policy : set.policies)
        if (const auto* rule = std::get_if<FloatVoltageRule>(&policy.rule))
            return rule->BandOf(chemistry);
    return std::nullopt;
}

std::string PolicyFaultText(const PolicyFault& fault)
{
    using Reason = PolicyFault::Reason;
    const std::string where = fault.where.empty() ? "" : fault.where + ": ";
    const std::string key = Quoted(fault.key);
    switch (fault.reason) {
    case Reason::NotJson: return "not valid JSON: " + fault.detail;
    case Reason::NotAPolicySet: return R"(not a policy set: expected an object with "policies", a list)";
    case Reason::NotAnObject: return where + (fault.key.empty() ? "not an object" : key + " is not an object");
    case Reason::UnknownKey: return where + "unknown key " + key;
    case Reason::MissingKey: return where + key + " is missing";
    case Reason::NotText: return where + key + " is not text";
    case Reason::NotANumber: return where + key + " is not a number";
    case Reason::UnknownRule:
        return where + "unknown rule " + Quoted(fault.detail) +
               R"( (the rules are "baseline", "string-average", "float-voltage", "strap", "temperature"))";
    case Reason::BadName:
        return where + "a policy's name is 1 to " + std::to_string(LongestPolicyName) +
               " letters, digits, '-' and '_', not " + Quoted(fault.detail);
    case Reason::DuplicateName: return where + "the name " + Quoted(fault.detail) + " is already an earlier policy's";
    case Reason::NoPolicy: return "the set holds no policy";
    case Reason::OutOfRange:
        return where + key + " " + Number(fault.value) + " is not within " + Number(fault.low) + " to " + Number(fault.high);
    case Reason::WarnAboveFail: return where + R"("warnPercent" is above "failPercent")";
    case Reason::BandUpsideDown: return where + "the " + key + " band's low is not below its high";
    }
    return "not a policy set";
}

std::optional<PolicyFault> PolicySetProblem(const PolicySet& set)
{
    if (set.policies.empty())
        return PolicyFault{PolicyFault::Reason::NoPolicy};
    std::set<std::string, std::less<>> names;
    for (std::size_t index = 0; index < set.policies.size(); ++index) {
        const Policy& policy = set.policies[index];
        const std::string where = "policy " + std::to_string(index + 1) + " (" + Quoted(policy.name) + ")";
        if (!IsName(policy.name))
            return PolicyFault{PolicyFault::Reason::BadName, "policy " + std::to_string(index + 1), "name", policy.name};
        if (!names.insert(policy.name).second)
            return PolicyFault{PolicyFault::Reason::DuplicateName, where, "name", policy.name};
        if (std::optional<PolicyFault> fault = FiguresProblem(policy.rule, where))
            return fault;
    }
    return std::nullopt;
}

} // namespace voltaryn::strings
