#include "report/WalkReport.h"

#include "report/ReportPage.h"
#include "report/StringCharts.h"
#include "report/WalkTables.h"
#include "report/WalkWords.h"
#include "store/CellStore.h"
#include "store/StoreError.h"

#include <QLocale>

namespace voltaryn::report {
namespace {

constexpr double StringChartHeight = 250;
constexpr double TrendChartHeight = 190;
constexpr double TrendTextHeight = 30;
constexpr double ParagraphHeight = 13;  // of a line

QString LocalTime(const QDateTime& utc) { return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

// "Inspection 3, started 2024-06-01 09:00 · station lab-1 · operator Kim · ambient 22.0 °C".
QString InspectionLine(const store::InspectionInfo& inspection)
{
    QStringList parts{WalkWords::tr("Inspection %1, started %2").arg(inspection.id).arg(LocalTime(inspection.startedUtc))};
    if (!inspection.station.isEmpty())
        parts << WalkWords::tr("station %1").arg(inspection.station);
    if (!inspection.operatorName.isEmpty())
        parts << WalkWords::tr("operator %1").arg(inspection.operatorName);
    parts << (inspection.ambientC ? WalkWords::tr("ambient %1 °C").arg(Figure(inspection.ambientC, 1))
                                  : WalkWords::tr("ambient temperature not given"));
    return parts.join(QStringLiteral(" · "));
}

void WriteHeader(ReportPage& page, const WalkReport& report, const QDateTime& producedUtc)
{
    const store::StringInfo& string = report.judged.string;
    const strings::StringLayout& layout = report.judged.layout;
    page.Heading(WalkWords::tr("Inspection report: string %1 at site %2").arg(string.name, string.site));
    page.Paragraph(WalkWords::tr("%1 blocks of %2 V %3, %4 cells a block; %5; installed %6.")
                       .arg(layout.blocks)
                       .arg(Figure(layout.nominalVolts, 0), ChemistryWord(layout.chemistry))
                       .arg(layout.cellsPerBlock)
                       .arg(layout.straps ? WalkWords::tr("straps measured") : WalkWords::tr("straps not measured"),
                            string.installed.isValid() ? string.installed.toString(Qt::ISODate) : WalkWords::tr("when not known")));
    page.Paragraph(InspectionLine(report.inspection.info));
    if (!report.inspection.info.notes.isEmpty())
        page.Paragraph(WalkWords::tr("Notes: %1").arg(report.inspection.info.notes));
    if (report.against) {
        page.Paragraph(WalkWords::tr("Compared with inspection %1, started %2.")
                           .arg(report.against->info.id)
                           .arg(LocalTime(report.against->info.startedUtc)));
    }
    page.Paragraph(WalkWords::tr("Report produced %1 UTC.").arg(producedUtc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
}

void WritePolicies(ReportPage& page, const WalkReport& report)
{
    page.Heading(WalkWords::tr("Policies"));
    page.Paragraph(WalkWords::tr("Every reading is judged by each policy of its kind; its verdict is the worst of theirs."));
    for (const strings::Policy& policy : report.judged.policies.policies) {
        page.Paragraph(WalkWords::tr("%1 (rule %2): %3.")
                           .arg(QString::fromStdString(policy.name), QString::fromUtf8(strings::RuleName(policy.rule)),
                                PolicyWords(policy, report.judged.layout.chemistry)));
    }
}

void WriteChart(ReportPage& page, const WalkReport& report)
{
    page.Heading(WalkWords::tr("The string"), StringChartHeight);
    const StringChart chart = StringChartOf(report.judged, report.inspection.verdicts,
                                            report.against ? &report.against->verdicts : nullptr);
    PaintStringChart(page.Painter(), QRectF(0, page.Take(StringChartHeight), page.Width(), StringChartHeight), chart);
}

// The trend of each block that warns or fails, two side by side, each with its forecast below,
// counted from the inspection's day.
void WriteTrends(ReportPage& page, const WalkReport& report)
{
    page.Heading(WalkWords::tr("Trends of the blocks that warn or fail"), TrendChartHeight + TrendTextHeight + 2 * ParagraphHeight);
    const std::optional<strings::ChangeLimits> limits = strings::BaselineLimits(report.judged.policies);
    if (!limits || report.trends.empty()) {
        page.Paragraph(WalkWords::tr("No baseline policy judges the string: it has no trends."));
        return;
    }
    std::vector<const strings::BlockTrend*> shown;
    for (const strings::ReadingVerdict& reading : report.inspection.verdicts.readings)
        if (reading.place.kind == strings::PlaceKind::Block && reading.verdict >= strings::Verdict::Warn)
            shown.push_back(&report.trends.at(static_cast<std::size_t>(reading.place.number - 1)));
    if (shown.empty()) {
        page.Paragraph(WalkWords::tr("No block warns or fails."));
        return;
    }
    page.Paragraph(WalkWords::tr("Forecasts are counted from the inspection's day; the dashed line is fitted to the "
                                 "last five inspections, three at least."));
    const std::chrono::sys_days from = store::InspectionDay(report.inspection.info.startedUtc);
    constexpr double Gap = 24;
    const double width = (page.Width() - Gap) / 2;
    QPainter& painter = page.Painter();
    double top = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const double left = i % 2 == 0 ? 0 : width + Gap;
        if (i % 2 == 0)
            top = page.Take(TrendChartHeight + TrendTextHeight);
        PaintTrendChart(painter, QRectF(left, top, width, TrendChartHeight), *shown[i], *limits);
        painter.setFont(ReportPage::Font(9));
        painter.drawText(QRectF(left, top + TrendChartHeight, width, TrendTextHeight), Qt::TextWordWrap,
                         TrendWords(*shown[i], from));
    }
}

std::optional<JudgedInspection> Judged(const store::JudgedString& judged, qint64 id)
{
    const auto found = std::ranges::find(judged.inspections, id, &store::InspectionInfo::id);
    std::optional<strings::InspectionVerdicts> verdicts = judged.Verdicts(id);
    if (found == judged.inspections.end() || !verdicts)
        return std::nullopt;
    return JudgedInspection{*found, *std::move(verdicts)};
}

} // namespace

WalkReport LoadWalkReport(store::CellStore& store, qint64 inspection, std::optional<qint64> against)
{
    using store::StoreError;
    using store::StoreErrorKind;
    const std::optional<store::InspectionInfo> info = store.Inspection(inspection);
    if (!info)
        throw StoreError(StoreErrorKind::NotFound, WalkWords::tr("There is no inspection %1").arg(inspection));
    store::JudgedString judged = store::ReadJudgedString(store, info->site, info->string);
    std::optional<JudgedInspection> judgedInspection = Judged(judged, inspection);
    if (!judgedInspection)
        throw StoreError(StoreErrorKind::NotFound, WalkWords::tr("There is no inspection %1").arg(inspection));
    std::optional<JudgedInspection> compared;
    if (against) {
        compared = Judged(judged, *against);
        if (!compared) {
            const std::optional<store::InspectionInfo> other = store.Inspection(*against);
            throw StoreError(StoreErrorKind::NotFound,
                             other ? WalkWords::tr("Inspection %1 is of string %2 at site %3, not of string %4 at site %5: "
                                                   "there is nothing to compare")
                                         .arg(*against)
                                         .arg(other->string, other->site, info->string, info->site)
                                   : WalkWords::tr("There is no inspection %1 to compare with").arg(*against));
        }
    }
    std::vector<strings::BlockTrend> trends = judged.Trends(inspection);
    return {std::move(judged), *std::move(judgedInspection), std::move(compared), std::move(trends)};
}

void WriteWalkReport(const WalkReport& report, const QString& file, const QDateTime& producedUtc)
{
    const store::StringInfo& string = report.judged.string;
    ReportPage page(file,
                    WalkWords::tr("Inspection %1 of string %2 at site %3")
                        .arg(report.inspection.info.id)
                        .arg(string.name, string.site),
                    QPageLayout::Landscape);
    WriteHeader(page, report, producedUtc);
    WritePolicies(page, report);
    WriteSummary(page, report);
    WriteChart(page, report);
    WriteReadings(page, report);
    WriteTrends(page, report);
    page.Finish();
}

} // namespace voltaryn::report
