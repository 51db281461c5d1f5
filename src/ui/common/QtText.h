#pragma once

#include <QString>

#include <string_view>

namespace voltaryn {

// The core's UTF-8 text as a QString; a character with code 0 stays in it.
inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the store's, which starts in lower case to stand inside a line, as a sentence of its
// own: "offline — 12 queued" as "Offline — 12 queued".
inline QString AsSentence(const QString& text) { return text.left(1).toUpper() + text.mid(1); }

// The object name of one control of an indexed set, as "AxisMin(1)".
inline QString Indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace voltaryn
