#include "strings/PolicyJson.h"

#include "strings/PolicyFigures.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace voltaryn::strings {
namespace {

using Json = nlohmann::ordered_json;
using Reason = PolicyFault::Reason;

// A refusal on its way out of the reader.
struct Refused {
    PolicyFault fault;
};

[[noreturn]] void Refuse(Reason reason, const std::string& where, const std::string& key = {}, const std::string& detail = {})
{
    throw Refused{PolicyFault{reason, where, key, detail}};
}

double NumberAt(const Json& value, const std::string& where, const std::string& key)
{
    if (!value.is_number())
        Refuse(Reason::NotANumber, where, key);
    return value.get<double>();
}

std::string TextAt(const Json& item, const char* key, const std::string& where)
{
    const auto value = item.find(key);
    if (value == item.end())
        Refuse(Reason::MissingKey, where, key);
    if (!value->is_string())
        Refuse(Reason::NotText, where, key);
    return value->get<std::string>();
}

void ReadBands(const Json& bands, FloatVoltageRule& rule, const std::string& where)
{
    if (!bands.is_object())
        Refuse(Reason::NotAnObject, where, "bands");
    for (const auto& [name, band] : bands.items()) {
        const std::optional<Chemistry> chemistry = ChemistryOf(name);
        if (!chemistry)
            Refuse(Reason::UnknownKey, where, name);
        if (!band.is_object())
            Refuse(Reason::NotAnObject, where, name);
        FloatBand& read = rule.bands[static_cast<std::size_t>(*chemistry)];
        std::string bandWhere = where;
        bandWhere.append(", band ").append(name);
        for (const auto& [key, volts] : band.items()) {
            if (key != "low" && key != "high")
                Refuse(Reason::UnknownKey, bandWhere, key);
            (key == "low" ? read.low : read.high) = NumberAt(volts, bandWhere, key);
        }
    }
}

// The rule's figures from `item`, over its defaults.
Rule ReadRule(const Json& item, Rule rule, const std::string& where)
{
    std::visit([&](auto& read) {
        using R = std::remove_reference_t<decltype(read)>;
        for (const auto& [key, value] : item.items()) {
            if (key == "name" || key == "rule")
                continue;
            if constexpr (std::is_same_v<R, FloatVoltageRule>) {
                if (key == "bands") {
                    ReadBands(value, read, where);
                    continue;
                }
            }
            const auto figures = FiguresOf<R>();
            const auto figure = std::ranges::find_if(figures, [&](const PolicyFigure<R>& f) { return key == f.key; });
            if (figure == figures.end())
                Refuse(Reason::UnknownKey, where, key);
            figure->of(read) = NumberAt(value, where, key);
        }
    }, rule);
    return rule;
}

Policy ReadPolicy(const Json& item, std::size_t index)
{
    std::string where = "policy " + std::to_string(index + 1);
    if (!item.is_object())
        Refuse(Reason::NotAnObject, where);
    const std::string ruleName = TextAt(item, "rule", where);
    const std::optional<Rule> rule = RuleNamed(ruleName);
    if (!rule)
        Refuse(Reason::UnknownRule, where, "rule", ruleName);
    const std::string name = item.contains("name") ? TextAt(item, "name", where) : ruleName;
    where += " (\"" + name + "\")";
    return {name, ReadRule(item, *rule, where)};
}

PolicySet ReadSet(std::string_view text)
{
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& error) {
        // Drop the library's "[json.exception.parse_error.101] " tag; keep where and what.
        const std::string message = error.what();
        Refuse(Reason::NotJson, {}, {}, message.substr(message.find("] ") + 2));
    }
    if (!document.is_object())
        Refuse(Reason::NotAPolicySet, {});
    for (const auto& [key, value] : document.items())
        if (key != "policies")
            Refuse(Reason::UnknownKey, {}, key);
    const auto policies = document.find("policies");
    if (policies == document.end() || !policies->is_array())
        Refuse(Reason::NotAPolicySet, {});
    PolicySet set;
    for (const Json& item : *policies)
        set.policies.push_back(ReadPolicy(item, set.policies.size()));
    return set;
}

Json FiguresJson(const Rule& rule)
{
    Json item = Json::object();
    std::visit([&](auto written) {
        using R = decltype(written);
        if constexpr (std::is_same_v<R, FloatVoltageRule>) {
            Json bands = Json::object();
            for (std::size_t c = 0; c < written.bands.size(); ++c)
                bands[std::string(ChemistryName(static_cast<Chemistry>(c)))] = {{"low", written.bands[c].low},
                                                                                 {"high", written.bands[c].high}};
            item["bands"] = bands;
        }
        for (const PolicyFigure<R>& figure : FiguresOf<R>())
            item[figure.key] = figure.of(written);
    }, rule);
    return item;
}

} // namespace

PoliciesRead PoliciesFromJson(std::string_view text)
{
    try {
        PolicySet set = ReadSet(text);
        if (std::optional<PolicyFault> fault = PolicySetProblem(set))
            return {std::nullopt, std::move(fault)};
        return {std::move(set), std::nullopt};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.fault};
    }
}

std::string PoliciesToJson(const PolicySet& set)
{
    Json policies = Json::array();
    for (const Policy& policy : set.policies) {
        Json item = {{"name", policy.name}, {"rule", RuleName(policy.rule)}};
        item.update(FiguresJson(policy.rule));
        policies.push_back(item);
    }
    return Json{{"policies", policies}}.dump(2) + '\n';
}

} // namespace voltaryn::strings
