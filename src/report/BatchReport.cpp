#include "report/BatchReport.h"

#include "report/HistogramPainter.h"
#include "report/PackCells.h"
#include "report/PackSheetPainter.h"
#include "report/ReportPage.h"
#include "store/BatchCells.h"
#include "store/CellStore.h"
#include "store/StoreError.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <functional>

namespace voltaryn::report {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Optional(const std::optional<double>& value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("–");
}

QString Time(const QDateTime& utc) { return utc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")); }

void WriteHeader(ReportPage& page, const BatchReport& report, const cells::BatchStatistics& statistics,
                 const QDateTime& producedUtc)
{
    QStringList stations;
    for (const store::CellRow& cell : report.cells)
        if (!cell.latest.station.isEmpty() && !stations.contains(cell.latest.station))
            stations << cell.latest.station;
    page.Heading("Batch report: " + report.batch.name);
    // The first and the last day the cells were measured on.
    QDate first;
    QDate last;
    for (const store::CellRow& cell : report.cells) {
        const QDate day = cell.latest.measuredUtc.toUTC().date();
        first = first.isValid() ? std::min(first, day) : day;
        last = std::max(last, day);
    }
    const QString measured = !first.isValid() ? QStringLiteral("never")
                             : first == last  ? first.toString(Qt::ISODate)
                                              : first.toString(Qt::ISODate) + " to " + last.toString(Qt::ISODate);
    page.Paragraph(QStringLiteral("Created %1 · Measured %2 · %3 cells · Saved packs: %4 · Stations: %5")
                       .arg(Time(report.batch.createdUtc))
                       .arg(measured)
                       .arg(statistics.count)
                       .arg(report.packs.size())
                       .arg(stations.isEmpty() ? QStringLiteral("none") : stations.join(", ")));
    if (!report.batch.notes.isEmpty())
        page.Paragraph("Notes: " + report.batch.notes);
    page.Paragraph(QStringLiteral("Report produced %1").arg(Time(producedUtc)));
}

// The cells counted beside each grade's limits are those the current table graded; a yield is of
// all `total` cells.
void WriteGrades(ReportPage& page, const cells::GradeTable& grades, const cells::BatchStatistics& statistics,
                 qint64 total)
{
    page.Heading(QStringLiteral("Grades"));
    std::vector<TableRow> rows{TableRow({"Grade", "Min V", "Max V", "Min mΩ", "Max mΩ", "Cells", "Yield"})};
    std::vector<cells::Grade> all = grades.Grades;
    all.push_back(grades.Reject);
    for (const cells::Grade& grade : all) {
        const auto yield = std::find_if(statistics.grades.begin(), statistics.grades.end(),
                                        [&grade](const cells::GradeYield& entry) { return entry.grade == grade.Name; });
        const bool counted = yield != statistics.grades.end();
        const cells::GradeLimits& limits = grade.Limits;
        rows.emplace_back(QStringList{Q(grade.Name), Optional(limits.MinVoltage, 3), Optional(limits.MaxVoltage, 3),
                         Optional(limits.MinResistance, 2), Optional(limits.MaxResistance, 2),
                         QString::number(counted ? yield->count : 0),
                         QString::number(counted && total > 0 ? 100.0 * static_cast<double>(yield->count) / static_cast<double>(total) : 0, 'f', 1) + " %"},
                          QColor(Q(grade.Colour)));
    }
    page.Table(rows, {3, 2, 2, 2, 2, 2, 2});
}

// The batch's grade tables with the time each took effect and the cells each graded, when it had
// more than one; cells an earlier table graded are told, as they are not counted beside the limits.
void WriteGradeTables(ReportPage& page, const BatchReport& report, const std::vector<std::size_t>& gradedBy)
{
    const std::size_t tables = report.gradeTables.size();
    if (tables < 2)
        return;
    std::vector<TableRow> rows{TableRow({"In effect from", "Station", "Grades", "Cells"})};
    for (std::size_t t = 0; t < tables; ++t) {
        const store::GradeTableEntry& table = report.gradeTables[t];
        rows.emplace_back(QStringList{Time(table.effectiveUtc), table.station.isEmpty() ? QStringLiteral("–") : table.station,
                                      Q(store::GradeTableText(table.gradesJson, "mΩ")),
                                      QString::number(std::ranges::count(gradedBy, t))});
    }
    page.Gap(6);
    page.Paragraph(QStringLiteral("Grade tables of this batch, the current one last:"));
    page.Table(rows, {3, 2, 8, 1});
    const auto earlier = std::ranges::count_if(gradedBy, [tables](std::size_t t) { return t + 1 < tables; });
    if (earlier > 0)
        page.Paragraph(QStringLiteral("%1 %2 graded by an earlier table and not counted beside the limits above: "
                                      "regrade the batch to grade them by the current one.")
                           .arg(earlier)
                           .arg(earlier == 1 ? QStringLiteral("cell is") : QStringLiteral("cells are")));
}

void WriteStatistics(ReportPage& page, const cells::BatchStatistics& statistics)
{
    page.Heading(QStringLiteral("Statistics"));
    const std::optional<cells::Spread>* spreads[] = {&statistics.voltage, &statistics.resistance, &statistics.capacity};
    const int decimals[] = {3, 2, 0};
    std::vector<TableRow> rows{TableRow({"", "Voltage (V)", "Resistance (mΩ)", "Capacity (mAh)"})};
    const auto add = [&](const QString& name, const std::function<std::optional<double>(const cells::Spread&)>& figure,
                         int extraDecimals) {
        TableRow row({name});
        for (int q = 0; q < 3; ++q)
            row.cells << (*spreads[q] ? Optional(figure(**spreads[q]), std::max(0, decimals[q] + extraDecimals))
                                      : QStringLiteral("–"));
        rows.push_back(row);
    };
    add("Cells", [](const cells::Spread& s) { return static_cast<double>(s.count); }, -5);
    add("Mean", [](const cells::Spread& s) { return s.mean; }, 1);
    add("Median", [](const cells::Spread& s) { return s.median; }, 0);
    add("Std dev", [](const cells::Spread& s) { return s.stdDev; }, 1);
    add("Min", [](const cells::Spread& s) { return s.min; }, 0);
    add("Max", [](const cells::Spread& s) { return s.max; }, 0);
    add("P5", [](const cells::Spread& s) { return s.percentile5; }, 0);
    add("P95", [](const cells::Spread& s) { return s.percentile95; }, 0);
    const auto cpk = [](const std::optional<double>& value, const std::optional<cells::Spread>& spread) {
        return cells::TooFewForCpk(spread) ? QStringLiteral("too few cells") : Optional(value, 2);
    };
    rows.emplace_back(QStringList{"Cpk", cpk(statistics.voltageCpk, statistics.voltage),
                                  cpk(statistics.resistanceCpk, statistics.resistance), "–"});
    page.Table(rows, {2, 3, 3, 3});
}

void WriteHistograms(ReportPage& page, const BatchReport& report, const cells::GradeTable& grades)
{
    constexpr double Height = 150;
    std::vector<double> resistances;
    std::vector<double> voltages;
    std::vector<double> capacities;
    for (const store::CellRow& cell : report.cells) {
        if (cell.latest.resistanceMohm)
            resistances.push_back(*cell.latest.resistanceMohm);
        if (cell.latest.voltageV)
            voltages.push_back(*cell.latest.voltageV);
        if (cell.capacityMah)
            capacities.push_back(*cell.capacityMah);
    }
    page.Heading(QStringLiteral("Histograms"));
    PaintHistogram(page.Painter(), QRectF(0, page.Take(Height), page.Width(), Height), resistances,
                   cells::GradeLines(grades, [](const cells::GradeLimits& l) { return std::pair(l.MinResistance, l.MaxResistance); }),
                   QStringLiteral("Resistance"), QStringLiteral("mΩ"));
    PaintHistogram(page.Painter(), QRectF(0, page.Take(Height), page.Width(), Height), voltages,
                   cells::GradeLines(grades, [](const cells::GradeLimits& l) { return std::pair(l.MinVoltage, l.MaxVoltage); }),
                   QStringLiteral("Voltage"), QStringLiteral("V"));
    PaintHistogram(page.Painter(), QRectF(0, page.Take(Height), page.Width(), Height), capacities, {},
                   QStringLiteral("Capacity"), QStringLiteral("mAh"));
}

// The batch's rechecks: the summary, and a histogram of the judged cells' mV/day with the absolute
// limit and the lot's line.
void WriteSelfDischarge(ReportPage& page, const BatchReport& report, const cells::SelfDischargeLot& lot)
{
    constexpr double Height = 150;
    page.Heading(QStringLiteral("Self-discharge"));
    if (lot.judged + lot.early == 0) {
        page.Paragraph(QStringLiteral("No cell has been rechecked."));
        return;
    }
    const QString summary = QString::fromStdString(store::SelfDischargeSummary(lot, report.rules.selfDischarge));
    page.Paragraph(summary.left(1).toUpper() + summary.mid(1) + ".");
    const cells::SelfDischargeChart chart = cells::SelfDischargeChartOf(lot, report.rules.selfDischarge);
    PaintHistogram(page.Painter(), QRectF(0, page.Take(Height), page.Width(), Height), chart.mvPerDay, chart.lines,
                   QStringLiteral("Voltage lost per day"), QStringLiteral("mV/day"));
}

void WritePacks(ReportPage& page, const BatchReport& report)
{
    page.Heading(QStringLiteral("Packs"));
    if (report.packs.empty())
        page.Paragraph(QStringLiteral("No pack has been saved from this batch."));
    for (const store::PackLayout& pack : report.packs)
        page.Paragraph(QStringLiteral("Pack %1: %2S%3P, saved %4; its build sheet is at the end.")
                           .arg(pack.name)
                           .arg(pack.series)
                           .arg(pack.parallel)
                           .arg(Time(pack.createdUtc)));
}

// Each saved pack's build sheet, on a page of its own.
void WriteSheets(ReportPage& page, const BatchReport& report)
{
    for (const store::PackLayout& pack : report.packs) {
        const cells::PackMap map = MapSavedPack(pack, report.cells);
        PaintPackSheet(page.Painter(), page.WholePage(SheetOrientation(map)), {pack.name, report.batch.name}, map);
    }
}

// Every cell with the export's fields a reader looks up, in the batch's order.
void WriteCells(ReportPage& page, const BatchReport& report, const cells::SelfDischargeLot& lot)
{
    // Each field shown, with the decimals of a measured number.
    static constexpr std::array<std::pair<const char*, int>, 8> Shown{
        {{"cell", 0}, {"grade", 0}, {"voltage_v", 3}, {"resistance_mohm", 2}, {"capacity_mah", 0}, {"mv_per_day", 1},
         {"self_discharge", 0}, {"pack", 0}}};
    page.Heading(QStringLiteral("Appendix: cells"));
    std::vector<TableRow> rows{TableRow({"Cell", "Grade", "V", "mΩ", "mAh", "mV/day", "Self-discharge", "Pack"})};
    for (std::size_t i = 0; i < report.cells.size(); ++i) {
        const std::vector<store::CellField> fields = store::CellFieldsOf(report.batch.name, report.cells[i], lot.cells[i]);
        QStringList texts;
        for (const auto& [name, decimals] : Shown) {
            const auto field = std::ranges::find_if(fields, [name](const store::CellField& f) { return std::string_view(f.name) == name; });
            const double* number = std::get_if<double>(&field->value);
            texts << (number != nullptr ? QString::number(*number, 'f', decimals) : Q(store::FieldText(field->value)));
        }
        rows.emplace_back(texts);
    }
    page.Table(rows, {3, 2, 2, 2, 2, 2, 3, 3});
}

} // namespace

BatchReport LoadBatchReport(store::CellStore& store, const QString& name)
{
    const std::optional<store::BatchInfo> batch = store.FindBatch(name);
    if (!batch)
        throw store::StoreError(store::StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(name));
    return {*batch, store.Cells(name), store.Packs(name), store::RulesOf(*batch), store.GradeTables(name)};
}

void WriteBatchReport(const BatchReport& report, const QString& file, const QDateTime& producedUtc)
{
    const cells::GradeTable& grades = report.rules.grades;
    const cells::BatchStatistics statistics = store::StatisticsOf(report.cells, grades, report.rules.limits);

    // The table that graded each cell; the current one is the last.
    std::vector<std::size_t> gradedBy;
    std::vector<store::CellRow> byCurrent;
    for (const store::CellRow& cell : report.cells) {
        gradedBy.push_back(store::GradingTableOf(cell.latest, report.gradeTables));
        if (gradedBy.back() + 1 >= report.gradeTables.size())
            byCurrent.push_back(cell);
    }

    ReportPage page(file, "Batch report: " + report.batch.name);
    WriteHeader(page, report, statistics, producedUtc);
    WriteGrades(page, grades, store::StatisticsOf(byCurrent, grades, report.rules.limits),
                static_cast<qint64>(report.cells.size()));
    WriteGradeTables(page, report, gradedBy);
    WriteStatistics(page, statistics);
    WriteHistograms(page, report, grades);
    const cells::SelfDischargeLot lot = store::SelfDischargeOf(report.cells, report.rules.selfDischarge);
    WriteSelfDischarge(page, report, lot);
    WritePacks(page, report);
    WriteCells(page, report, lot);
    WriteSheets(page, report);
    page.Finish();
}

} // namespace voltaryn::report
