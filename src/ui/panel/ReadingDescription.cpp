#include "ui/panel/ReadingDescription.h"

#include "ui/common/QtText.h"

#include <QCoreApplication>
#include <QStringList>

namespace voltaryn {
namespace {

struct Annunciator {
    StatusBit bit;
    const char* caption;
};

constexpr Annunciator DescribedAnnunciators[] = {
    {StatusBit::LcdHOLD, "HOLD"},       {StatusBit::LcdAUTOHOLD, "AUTO-HOLD"}, {StatusBit::LcdAM, "AM"},
    {StatusBit::LcdAvg, "AVG"},         {StatusBit::LcdOADJ, "OADJ"},          {StatusBit::LcdCompUp, "COMP"},
    {StatusBit::LcdPass, "PASS"},       {StatusBit::LcdWarning, "WARNING"},    {StatusBit::LcdFail, "FAIL"},
};

constexpr const char* CapacityCaptions[] = {"IN-CAP", "OUT-CAP", "T-CAP"};

QString Value(const std::string& text, const QString& unit)
{
    return ToQString(text).trimmed() + QLatin1Char(' ') + unit;
}

} // namespace

QString DescribeReading(const PanelDisplay& display, const MeterReading& reading)
{
    const StatusBits& lit = display.lit;
    QStringList parts;
    parts << Value(reading.VoltageText, lit[StatusBit::LcdVm] ? QStringLiteral("mV") : QStringLiteral("V"));
    parts << Value(reading.ResistanceText, lit[StatusBit::LcdOhmm] ? QStringLiteral("mΩ") : QStringLiteral("Ω"));
    parts << Value(reading.CurrentText, QStringLiteral("A"));
    parts << Value(reading.TemperatureText, lit[StatusBit::UnitF] ? QStringLiteral("°F") : QStringLiteral("°C"));
    if (lit[StatusBit::LcdCapLabels]) {
        for (std::size_t row = 0; row < reading.CapacityText.size(); ++row)
            parts << QLatin1String(CapacityCaptions[row]) + QLatin1Char(' ') +
                         Value(reading.CapacityText[row], reading.CapMilli[row] ? QStringLiteral("mAh") : QStringLiteral("Ah"));
    }
    if (lit[StatusBit::LcdPercent]) {
        const QString hundreds = lit[StatusBit::LblPercent2] ? QStringLiteral("1") : QString();
        parts << hundreds + ToQString(reading.PercentText[1] + reading.PercentText[0]).trimmed() + QLatin1Char('%');
    }
    for (const Annunciator& annunciator : DescribedAnnunciators)
        if (lit[annunciator.bit])
            parts << QString::fromLatin1(annunciator.caption);
    if (lit[StatusBit::LcdBt])
        parts << QCoreApplication::translate("voltaryn::ReadingDescription", "battery low");
    return parts.join(QStringLiteral(", "));
}

} // namespace voltaryn
