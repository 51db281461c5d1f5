#pragma once

#include <QLocale>
#include <QString>

namespace voltaryn {

// Numbers as the user's language writes them ("3,686" in German), without group separators, so
// that a figure copied into a spreadsheet of that language reads as the same number. Every
// number a window shows goes through these; files for machines keep the C locale.

// The user's locale, group separators left out.
QLocale DisplayLocale();

// `value` with `decimals` digits after the locale's decimal sign.
QString DisplayNumber(double value, int decimals);

// `text` with each word that is a number in the C locale ("3.686", as the meter and the store
// write them) spelled with the user's decimal and minus signs, its digits as they were: "20.76 mΩ"
// is "20,76 mΩ" in German.
QString DisplayNumbersIn(const QString& text);

} // namespace voltaryn
