#include "report/WalkWords.h"

#include <QLocale>

namespace voltaryn::report {
namespace {

QString Number(double value, int decimals) { return QLocale().toString(value, 'f', decimals); }

QString Signed(double value, int decimals) { return (value > 0 ? QStringLiteral("+") : QString()) + Number(value, decimals); }

QString ChangeLines(const strings::ChangeLimits& limits, const QString& reference)
{
    return WalkWords::tr("warns at %1 %, fails at %2 % above %3")
        .arg(Signed(limits.warnPercent, 0), Signed(limits.failPercent, 0), reference);
}

QString RuleWords(const strings::BaselineRule& rule, strings::Chemistry)
{
    return ChangeLines(rule.limits, WalkWords::tr("the block's baseline"));
}

QString RuleWords(const strings::StringAverageRule& rule, strings::Chemistry)
{
    return ChangeLines(rule.limits, WalkWords::tr("the mean of the inspection's blocks"));
}

QString RuleWords(const strings::FloatVoltageRule& rule, strings::Chemistry chemistry)
{
    const strings::FloatBand& band = rule.BandOf(chemistry);
    return WalkWords::tr("the voltage per cell against the float band %1–%2 V at 25 °C, moved by %3 mV per °C a cell; "
                         "warns outside it, fails more than %4 V outside")
        .arg(Number(band.low, 3), Number(band.high, 3), Number(rule.mvPerCelsiusPerCell, 1), Number(rule.failMarginVolts, 3));
}

QString RuleWords(const strings::StrapRule& rule, strings::Chemistry)
{
    return WalkWords::tr("a strap measured the first time fails more than %1 % or %2 µΩ above the straps' mean, "
                         "whichever is more; later, more than %3 % above its first reading")
        .arg(Number(rule.installPercent, 0), Number(rule.installMicroohm, 0), Number(rule.laterPercent, 0));
}

QString RuleWords(const strings::TemperatureRule& rule, strings::Chemistry)
{
    return WalkWords::tr("a block more than %1 °C warmer than the coolest fails").arg(Number(rule.aboveCoolestCelsius, 1));
}

QString WhenWords(const strings::LimitForecast& forecast, std::chrono::sys_days from)
{
    using enum strings::ForecastDistance::Kind;
    const strings::ForecastDistance distance = strings::DistanceOf(forecast, from);
    const auto count = static_cast<int>(distance.count);
    switch (distance.kind) {
    case Now: return WalkWords::tr("now");
    case ByNow: return WalkWords::tr("by now");
    case WithinAMonth: return WalkWords::tr("within a month");
    case Months: return count == 1 ? WalkWords::tr("in about 1 month") : WalkWords::tr("in about %1 months").arg(count);
    case Years: return count == 1 ? WalkWords::tr("in about 1 year") : WalkWords::tr("in about %1 years").arg(count);
    }
    return {};
}

} // namespace

QString VerdictWord(strings::Verdict verdict)
{
    switch (verdict) {
    case strings::Verdict::Pass: return WalkWords::tr("pass");
    case strings::Verdict::Warn: return WalkWords::tr("warn");
    case strings::Verdict::Fail: return WalkWords::tr("fail");
    case strings::Verdict::None: break;
    }
    return QStringLiteral("–");
}

QString PlaceWord(strings::Place place)
{
    if (place.kind == strings::PlaceKind::Strap)
        return WalkWords::tr("strap %1→%2").arg(place.number).arg(place.number + 1);
    return WalkWords::tr("block %1").arg(place.number);
}

QString Figure(const std::optional<double>& value, int decimals)
{
    return value ? Number(*value, decimals) : QStringLiteral("–");
}

QString SignedPercent(const std::optional<double>& percent)
{
    return percent ? Signed(*percent, 1) + QStringLiteral(" %") : QStringLiteral("–");
}

QString ResistanceWord(strings::PlaceKind kind, const std::optional<double>& milliohm, bool sign)
{
    if (!milliohm)
        return QStringLiteral("–");
    const auto number = sign ? Signed : Number;
    return kind == strings::PlaceKind::Strap ? number(*milliohm * 1000, 0) + QStringLiteral(" µΩ")
                                             : number(*milliohm, 2) + QStringLiteral(" mΩ");
}

QString ChemistryWord(strings::Chemistry chemistry)
{
    switch (chemistry) {
    case strings::Chemistry::Vla: return QStringLiteral("VLA");
    case strings::Chemistry::Vrla: return QStringLiteral("VRLA");
    case strings::Chemistry::Nicd: return QStringLiteral("NiCd");
    case strings::Chemistry::Lifepo4: return QStringLiteral("LiFePO4");
    }
    return {};
}

QString PolicyWords(const strings::Policy& policy, strings::Chemistry chemistry)
{
    return std::visit([chemistry](const auto& rule) { return RuleWords(rule, chemistry); }, policy.rule);
}

QString TrendWords(const strings::BlockTrend& trend, std::chrono::sys_days from)
{
    QString text = PlaceWord(strings::BlockPlace(trend.block)) + QStringLiteral(": ");
    if (trend.warn)
        text += WalkWords::tr("warn %1").arg(WhenWords(*trend.warn, from)) + QStringLiteral(", ");
    if (trend.fail)
        return text + WalkWords::tr("fail %1").arg(WhenWords(*trend.fail, from));
    if (!trend.slopePercentPerYear)
        return text + WalkWords::tr("too few inspections for a trend");
    if (*trend.slopePercentPerYear <= 0)
        return text + WalkWords::tr("not rising");
    return text + WalkWords::tr("fail not within %1 years").arg(strings::FarthestForecast.count());
}

} // namespace voltaryn::report
