#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print QStrings in failure messages as text rather than bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
