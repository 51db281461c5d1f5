#pragma once

#include "settings/ComparatorEditors.h"

#include <string>
#include <variant>

namespace voltaryn::cli {

// A comparator limit as the command line writes it, read into the limit editor the comparator
// window would show it in; or why it cannot be.
//
// A resistance limit is a value and a range, "1.234/4mOhm" (blanks and case are ignored, so the
// window's own "1.234 / 4 mOhm" reads too); the range places the point, and the value must fit
// its four digits. A voltage limit is a value alone: one digit before the point gives X.XXX, two give
// XX.XX ("12.50", "09.5").
std::variant<OhmEditor, std::string> ReadOhmLimit(const std::string& text);
std::variant<VoltEditor, std::string> ReadVoltLimit(const std::string& text);

} // namespace voltaryn::cli
