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

} // namespace voltaryn::cli
