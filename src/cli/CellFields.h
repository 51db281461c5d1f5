#pragma once

#include "cli/Output.h"

#include <QString>

#include <optional>
#include <string>

// Values of the cell commands' records.
namespace voltaryn::cli {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A measured number: its shortest text that reads back as the same number; null when unknown.
Value Measured(const std::optional<double>& value);

// A number with a fixed count of decimals, as the text reports print it ("3.14").
std::string Fixed(double value, int decimals);

} // namespace voltaryn::cli
