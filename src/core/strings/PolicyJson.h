#pragma once

// A policy set as JSON, kept with the string:
//
//   {
//     "policies": [
//       { "rule": "baseline", "warnPercent": 30, "failPercent": 50 },
//       { "name": "warranty", "rule": "baseline", "warnPercent": 50, "failPercent": 100 },
//       { "rule": "string-average", "warnPercent": 20, "failPercent": 50 },
//       { "rule": "float-voltage", "bands": { "vrla": { "low": 2.23, "high": 2.30 } },
//         "mvPerCelsiusPerCell": -3, "failMarginVolts": 0.05 },
//       { "rule": "strap", "installPercent": 10, "installMicroohm": 5, "laterPercent": 20 },
//       { "rule": "temperature", "aboveCoolestCelsius": 3 }
//     ]
//   }
//
// The list holds the policies that judge, in the order their results are shown; a rule left out
// does not judge. "rule" names the rule (Policies.h), "name" defaults to it and is unique in the
// set. A figure left out, and a chemistry's band (or its "low" or "high") left out, takes the
// default; any other key is refused, so a misspelt figure is not silently dropped.

#include "strings/Policies.h"

#include <optional>
#include <string>
#include <string_view>

namespace voltaryn::strings {

// Either the set or why it is refused: a file is refused for what PolicySetProblem refuses too.
struct PoliciesRead {
    std::optional<PolicySet> policies;
    std::optional<PolicyFault> fault;
};

PoliciesRead PoliciesFromJson(std::string_view text);

// Every figure written out, so that a file shows what judges.
std::string PoliciesToJson(const PolicySet& set);

} // namespace voltaryn::strings
