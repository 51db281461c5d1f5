#pragma once

// The inspection report's words in the user's language: verdicts, places, figures, policies and
// forecasts, worded from what the core decided.
#include "strings/Policies.h"
#include "strings/Trend.h"
#include "strings/Verdicts.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace voltaryn::report {

struct WalkWords {
    Q_DECLARE_TR_FUNCTIONS(voltaryn::report::WalkReport)
};

// "pass", "warn", "fail"; none is "–".
QString VerdictWord(strings::Verdict verdict);
// "block 6", "strap 6→7".
QString PlaceWord(strings::Place place);
// A number with `decimals` in the user's language; none is "–".
QString Figure(const std::optional<double>& value, int decimals);
// "+46.3 %"; none is "–".
QString SignedPercent(const std::optional<double>& percent);
// A block's in mΩ, a strap's in µΩ: "10.54 mΩ", "48 µΩ", with `sign` "+1.20 mΩ"; none is "–".
QString ResistanceWord(strings::PlaceKind kind, const std::optional<double>& milliohm, bool sign = false);
// "VLA", "VRLA", "NiCd", "LiFePO4".
QString ChemistryWord(strings::Chemistry chemistry);
// What a policy holds a reading to: "warns at +30 %, fails at +50 % above the block's baseline".
QString PolicyWords(const strings::Policy& policy, strings::Chemistry chemistry);
// As TrendText: "block 17: warn now, fail in about 7 months".
QString TrendWords(const strings::BlockTrend& trend, std::chrono::sys_days from);

} // namespace voltaryn::report
