#pragma once

#include "cli/Output.h"
#include "store/BatchCells.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>

// Values of the cell commands' records.
namespace voltaryn::cli {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A measured number: its shortest text that reads back as the same number; null when unknown.
Value Measured(const std::optional<double>& value);

// A batch's cell's fields as a record of the command line's text and TSV.
Record RecordOf(const std::vector<store::CellField>& fields);

// A moment as ISO 8601 in UTC, to the millisecond.
inline std::string IsoTime(const QDateTime& utc) { return utc.toUTC().toString(Qt::ISODateWithMs).toStdString(); }

// A number with a fixed count of decimals, as the text reports print it ("3.14").
std::string Fixed(double value, int decimals);

} // namespace voltaryn::cli
