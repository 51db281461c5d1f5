#pragma once

#include "strings/StringModel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace voltaryn::strings {

// The rules a string's readings are judged by, several side by side. Each names itself; a set may
// hold a kind of rule more than once ("baseline" at +30/+50 % beside "warranty" at +50/+100 %).

// A change in resistance, in per cent above its reference: at warnPercent or more it warns, at
// failPercent or more it fails.
struct ChangeLimits {
    double warnPercent = 0;
    double failPercent = 0;

    bool operator==(const ChangeLimits&) const = default;
};

// Against the block's baseline (Baselines.h).
struct BaselineRule {
    ChangeLimits limits{30, 50};
    bool operator==(const BaselineRule&) const = default;
};

// Against the mean of this inspection's blocks.
struct StringAverageRule {
    ChangeLimits limits{20, 50};
    bool operator==(const StringAverageRule&) const = default;
};

// Float voltage per cell at 25 °C.
struct FloatBand {
    double low = 0;
    double high = 0;
    bool operator==(const FloatBand&) const = default;
};

inline constexpr double FloatReferenceCelsius = 25;

// A block's voltage per cell against its chemistry's float band, the band moved by
// mvPerCelsiusPerCell for each °C the reading's temperature (else the inspection's ambient) lies
// above 25 °C. Outside the band it warns, more than failMarginVolts outside it fails.
struct FloatVoltageRule {
    std::array<FloatBand, 4> bands{{{2.14, 2.25}, {2.23, 2.30}, {1.38, 1.47}, {3.30, 3.45}}};  // by Chemistry
    double mvPerCelsiusPerCell = -3;
    double failMarginVolts = 0.05;

    const FloatBand& BandOf(Chemistry chemistry) const { return bands[static_cast<std::size_t>(chemistry)]; }
    bool operator==(const FloatVoltageRule&) const = default;
};

// A strap judged for the first time (in the first inspection that reads it) fails more than
// installPercent above the mean of this inspection's straps, or installMicroohm above that mean,
// whichever is greater: the floor keeps a strap of a few µΩ, where 10 % is a digit or two of the
// meter, from failing on its resolution. Later a strap fails more than laterPercent above its own
// first reading.
struct StrapRule {
    double installPercent = 10;
    double installMicroohm = 5;
    double laterPercent = 20;

    bool operator==(const StrapRule&) const = default;
};

// A block more than aboveCoolestCelsius warmer than this inspection's coolest block fails.
struct TemperatureRule {
    double aboveCoolestCelsius = 3;
    bool operator==(const TemperatureRule&) const = default;
};

// A figure this close to a limit counts as on it, whatever the last bits of its arithmetic.
inline constexpr double LimitTolerance = 1e-9;

using Rule = std::variant<BaselineRule, StringAverageRule, FloatVoltageRule, StrapRule, TemperatureRule>;

// "baseline", "string-average", "float-voltage", "strap", "temperature".
std::string_view RuleName(const Rule& rule);
std::optional<Rule> RuleNamed(std::string_view name);  // with its default figures

struct Policy {
    std::string name;
    Rule rule;
    bool operator==(const Policy&) const = default;
};

struct PolicySet {
    std::vector<Policy> policies;
    bool operator==(const PolicySet&) const = default;
};

// One policy of each rule, named as the rule, with the figures above.
PolicySet DefaultPolicies();

// The warn and fail lines of the set's first baseline policy: what trends forecast against.
std::optional<ChangeLimits> BaselineLimits(const PolicySet& set);
// The 25 °C float band for `chemistry` of the set's first float-voltage policy: what charts draw.
std::optional<FloatBand> FloatBandOf(const PolicySet& set, Chemistry chemistry);

inline constexpr std::size_t LongestPolicyName = 40;

// Why a policy set (or a policy file) is refused, for each surface to word in its own language.
struct PolicyFault {
    enum class Reason {
        NotJson,          // detail: the parser's message
        NotAPolicySet,    // not an object with "policies", a list
        NotAnObject,      // a policy, or "bands" or a band
        UnknownKey,
        MissingKey,
        NotText,
        NotANumber,
        UnknownRule,      // detail: the rule named
        BadName,          // empty, longer than LongestPolicyName, or more than letters, digits, '-' and '_'
        DuplicateName,
        NoPolicy,
        OutOfRange,       // value outside low..high
        WarnAboveFail,
        BandUpsideDown,   // a band's low at or above its high
    };
    Reason reason;
    std::string where = {};   // "policy 2 (\"baseline\")", empty for the whole file
    std::string key = {};     // the key concerned
    std::string detail = {};
    double value = 0;
    double low = 0;
    double high = 0;
};

// The fault in English, one line: `policy 1 ("baseline"): "warnPercent" 60 is above "failPercent" 50`.
std::string PolicyFaultText(const PolicyFault& fault);

// The first fault of a set; nullopt when it can judge.
std::optional<PolicyFault> PolicySetProblem(const PolicySet& set);

} // namespace voltaryn::strings
