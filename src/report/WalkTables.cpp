#include "report/WalkTables.h"

#include "report/StringCharts.h"
#include "report/WalkWords.h"

#include <algorithm>
#include <numeric>

namespace voltaryn::report {
namespace {

constexpr std::size_t WorstShown = 5;

const strings::ReadingVerdict* VerdictAt(const strings::InspectionVerdicts& verdicts, strings::Place place)
{
    const auto found = std::ranges::find(verdicts.readings, place, &strings::ReadingVerdict::place);
    return found == verdicts.readings.end() ? nullptr : &*found;
}

struct Counts {
    int read = 0;
    int pass = 0;
    int warn = 0;
    int fail = 0;
    int unjudged = 0;
};

Counts CountsOf(const strings::InspectionVerdicts& verdicts, strings::PlaceKind kind)
{
    Counts counts;
    for (const strings::ReadingVerdict& reading : verdicts.readings) {
        if (reading.place.kind != kind)
            continue;
        ++counts.read;
        switch (reading.verdict) {
        case strings::Verdict::Pass: ++counts.pass; break;
        case strings::Verdict::Warn: ++counts.warn; break;
        case strings::Verdict::Fail: ++counts.fail; break;
        case strings::Verdict::None: ++counts.unjudged; break;
        }
    }
    return counts;
}

void WriteCounts(ReportPage& page, const WalkReport& report)
{
    const strings::StringLayout& layout = report.judged.layout;
    const Counts blocks = CountsOf(report.inspection.verdicts, strings::PlaceKind::Block);
    page.Paragraph(WalkWords::tr("Blocks: %1 of %2 read; %3 pass, %4 warn, %5 fail, %6 not judged.")
                       .arg(blocks.read)
                       .arg(layout.blocks)
                       .arg(blocks.pass)
                       .arg(blocks.warn)
                       .arg(blocks.fail)
                       .arg(blocks.unjudged));
    if (!layout.straps)
        return;
    const Counts straps = CountsOf(report.inspection.verdicts, strings::PlaceKind::Strap);
    page.Paragraph(WalkWords::tr("Straps: %1 of %2 read; %3 pass, %4 warn, %5 fail, %6 not judged.")
                       .arg(straps.read)
                       .arg(std::max(layout.blocks - 1, 0))
                       .arg(straps.pass)
                       .arg(straps.warn)
                       .arg(straps.fail)
                       .arg(straps.unjudged));
}

void WriteWorst(ReportPage& page, const WalkReport& report)
{
    std::vector<const strings::ReadingVerdict*> changed;
    for (const strings::ReadingVerdict& reading : report.inspection.verdicts.readings)
        if (reading.place.kind == strings::PlaceKind::Block && reading.changePercent)
            changed.push_back(&reading);
    if (changed.empty()) {
        page.Paragraph(WalkWords::tr("No block has a baseline to change against."));
        return;
    }
    std::ranges::stable_sort(changed, std::ranges::greater{}, [](const strings::ReadingVerdict* reading) { return *reading->changePercent; });
    changed.resize(std::min(changed.size(), WorstShown));
    page.Paragraph(WalkWords::tr("The blocks changed most against their baselines:"));
    const strings::InspectionRecord& record = RecordOf(report, report.inspection.info.id);
    std::vector<TableRow> rows{TableRow({WalkWords::tr("Block"), WalkWords::tr("Resistance"), WalkWords::tr("Baseline"),
                                         WalkWords::tr("Change"), WalkWords::tr("Verdict")})};
    for (const strings::ReadingVerdict* reading : changed) {
        rows.emplace_back(QStringList{PlaceWord(reading->place),
                                      ResistanceWord(reading->place.kind, strings::MilliohmAt(record, reading->place)),
                                      ResistanceWord(reading->place.kind, reading->referenceMilliohm),
                                      SignedPercent(reading->changePercent), VerdictWord(reading->verdict)},
                          VerdictColour(reading->verdict));
    }
    // Half the page wide at most: the rest of its width an empty column.
    std::vector<double> weights = ReportPage::FittedWeights(rows);
    weights.push_back(std::accumulate(weights.begin(), weights.end(), 0.0));
    page.Table(rows, weights);
}

void WriteStrapFaults(ReportPage& page, const WalkReport& report)
{
    if (!report.judged.layout.straps)
        return;
    const strings::InspectionRecord& record = RecordOf(report, report.inspection.info.id);
    QStringList faults;
    for (const strings::ReadingVerdict& reading : report.inspection.verdicts.readings) {
        if (reading.place.kind == strings::PlaceKind::Strap && reading.verdict >= strings::Verdict::Warn) {
            faults << WalkWords::tr("%1 (%2, %3)")
                          .arg(PlaceWord(reading.place), ResistanceWord(reading.place.kind, strings::MilliohmAt(record, reading.place)),
                               VerdictWord(reading.verdict));
        }
    }
    page.Paragraph(faults.isEmpty() ? WalkWords::tr("No strap warns or fails.")
                                    : WalkWords::tr("Straps that warn or fail: %1.").arg(faults.join(QStringLiteral("; "))));
}

// The lowest and the highest figure of the blocks read, with their blocks.
struct Spread {
    double low = 0;
    int lowBlock = 0;
    double high = 0;
    int highBlock = 0;
};

std::optional<Spread> SpreadOf(const strings::InspectionRecord& record, std::optional<double> strings::Reading::*figure)
{
    std::optional<Spread> spread;
    for (std::size_t i = 0; i < record.blocks.size(); ++i) {
        const std::optional<double> value = record.blocks[i] ? (*record.blocks[i]).*figure : std::nullopt;
        if (!value)
            continue;
        const int block = static_cast<int>(i) + 1;
        if (!spread)
            spread = Spread{*value, block, *value, block};
        if (*value < spread->low) {
            spread->low = *value;
            spread->lowBlock = block;
        }
        if (*value > spread->high) {
            spread->high = *value;
            spread->highBlock = block;
        }
    }
    return spread;
}

void WriteSpreads(ReportPage& page, const WalkReport& report)
{
    const strings::InspectionRecord& record = RecordOf(report, report.inspection.info.id);
    const auto line = [](const std::optional<Spread>& spread, int decimals, const QString& unit) {
        return WalkWords::tr("%1 %4 (block %2) to %3 %4 (block %5), a spread of %6 %4")
            .arg(Figure(spread->low, decimals))
            .arg(spread->lowBlock)
            .arg(Figure(spread->high, decimals), unit)
            .arg(spread->highBlock)
            .arg(Figure(spread->high - spread->low, decimals));
    };
    const std::optional<Spread> volts = SpreadOf(record, &strings::Reading::volts);
    page.Paragraph(volts ? WalkWords::tr("Block voltages: %1.").arg(line(volts, 2, QStringLiteral("V")))
                         : WalkWords::tr("No block's voltage was read."));
    const std::optional<Spread> celsius = SpreadOf(record, &strings::Reading::celsius);
    page.Paragraph(celsius ? WalkWords::tr("Block temperatures: %1.").arg(line(celsius, 1, QStringLiteral("°C")))
                           : WalkWords::tr("No block's temperature was read."));
}

bool MarkedMissing(const WalkReport& report, strings::Place place)
{
    return std::ranges::any_of(report.judged.readings, [&](const store::StringReading& reading) {
        return reading.inspectionUuid == report.inspection.info.uuid && reading.place == place && reading.missing;
    });
}

TableRow ReadingRow(const WalkReport& report, strings::Place place)
{
    const strings::InspectionRecord& record = RecordOf(report, report.inspection.info.id);
    const strings::Reading* reading = strings::ReadingAt(record, place);
    const strings::ReadingVerdict* verdict = VerdictAt(report.inspection.verdicts, place);
    if (reading == nullptr || verdict == nullptr)
        return TableRow({PlaceWord(place), MarkedMissing(report, place) ? WalkWords::tr("missing") : WalkWords::tr("not read")});
    const bool strap = place.kind == strings::PlaceKind::Strap;
    QStringList cells{PlaceWord(place), Figure(reading->volts, strap ? 3 : 2), ResistanceWord(place.kind, reading->milliohm),
                      Figure(reading->celsius, 1), SignedPercent(verdict->changePercent)};
    if (report.against) {
        const std::optional<double> then = strings::MilliohmAt(RecordOf(report, report.against->info.id), place);
        cells << ResistanceWord(place.kind, then)
              << ResistanceWord(place.kind, then && reading->milliohm ? std::optional(*reading->milliohm - *then) : std::nullopt, true);
    }
    for (const strings::Policy& policy : report.judged.policies.policies) {
        const strings::PolicyResult* result = strings::PolicyResultOf(*verdict, policy.name);
        cells << (result == nullptr ? QString() : VerdictWord(result->verdict));
    }
    cells << VerdictWord(verdict->verdict);
    return {cells, VerdictColour(verdict->verdict)};
}

} // namespace

const strings::InspectionRecord& RecordOf(const WalkReport& report, qint64 inspection)
{
    return *std::ranges::find(report.judged.records, inspection, &strings::InspectionRecord::id);
}

void WriteSummary(ReportPage& page, const WalkReport& report)
{
    page.Heading(WalkWords::tr("Summary"));
    WriteCounts(page, report);
    WriteStrapFaults(page, report);
    WriteSpreads(page, report);
    WriteWorst(page, report);
}

void WriteReadings(ReportPage& page, const WalkReport& report)
{
    page.Heading(WalkWords::tr("Blocks and straps"));
    QStringList header{WalkWords::tr("Place"), WalkWords::tr("V"), WalkWords::tr("Resistance"), WalkWords::tr("°C"),
                       WalkWords::tr("Change")};
    if (report.against)
        header << WalkWords::tr("Inspection %1").arg(report.against->info.id) << WalkWords::tr("Difference");
    for (const strings::Policy& policy : report.judged.policies.policies)
        header << QString::fromStdString(policy.name);
    header << WalkWords::tr("Verdict");
    std::vector<TableRow> rows{TableRow(header)};
    const std::vector<strings::Place> places = strings::WalkOrder(report.judged.layout);
    rows.reserve(places.size() + 1);
    for (const strings::Place& place : places)
        rows.push_back(ReadingRow(report, place));
    page.Table(rows, ReportPage::FittedWeights(rows));
}

} // namespace voltaryn::report
