#include "ui/common/DisplayNumbers.h"

#include <QRegularExpression>
#include <QStringList>

namespace voltaryn {

QLocale DisplayLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString DisplayNumber(double value, int decimals) { return DisplayLocale().toString(value, 'f', decimals); }

QString DisplayNumbersIn(const QString& text)
{
    static const QRegularExpression Number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    const QLocale locale = DisplayLocale();
    QStringList words = text.split(' ');
    for (QString& word : words) {
        if (!Number.match(word).hasMatch())
            continue;
        word.replace('.', locale.decimalPoint());
        if (word.startsWith('-'))
            word.replace(0, 1, locale.negativeSign());
    }
    return words.join(' ');
}

} // namespace voltaryn
