#pragma once

#include <QString>

#include <string_view>

namespace voltaryn {

// The core's UTF-8 text as a QString; a character with code 0 stays in it.
inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The object name of one control of an indexed set, as "AxisMin(1)".
inline QString Indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace voltaryn
