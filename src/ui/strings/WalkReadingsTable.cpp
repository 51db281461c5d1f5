#include "ui/strings/WalkReadingsTable.h"

#include "report/StringCharts.h"
#include "strings/WalkRecord.h"
#include "ui/common/DisplayNumbers.h"
#include "ui/common/WalkTexts.h"

#include <QCoreApplication>
#include <QLocale>


namespace voltaryn {
namespace {

struct TableWords {
    Q_DECLARE_TR_FUNCTIONS(WalkReadingsTable)
};

QStringList ReadRow(const store::JudgedString& judged, const strings::ReadingVerdict& verdict,
                    const strings::InspectionRecord* against)
{
    const strings::Reading* reading = strings::ReadingAt(judged.records.back(), verdict.place);
    const std::optional<double> now = reading != nullptr ? reading->milliohm : std::nullopt;
    const std::optional<double> earlier = against != nullptr ? strings::MilliohmAt(*against, verdict.place) : std::nullopt;
    QStringList row{WalkTexts::PlaceName(verdict.place), WalkTexts::VoltageText(reading != nullptr ? reading->volts : std::nullopt),
                    WalkTexts::ResistanceText(verdict.place.kind, now),
                    reading != nullptr && reading->celsius ? DisplayNumber(*reading->celsius, 1) : QString(),
                    WalkTexts::ChangeText(verdict.changePercent), WalkTexts::VerdictName(verdict.verdict)};
    for (const strings::Policy& policy : judged.policies.policies) {
        const strings::PolicyResult* result = strings::PolicyResultOf(verdict, policy.name);
        row << (result != nullptr ? WalkTexts::VerdictName(result->verdict) : QString());
    }
    if (against != nullptr)
        row << WalkTexts::ResistanceText(verdict.place.kind, earlier)
            << (earlier && now && *earlier > 0 ? WalkTexts::ChangeText((*now - *earlier) / *earlier * 100) : QString());
    return row;
}

} // namespace

WalkReadingsTable WalkReadingsTableOf(const store::WalkSession& walk, const strings::InspectionVerdicts& verdicts,
                                      std::optional<std::size_t> against)
{
    const store::JudgedString& judged = walk.Judged();
    const strings::InspectionRecord* compared =
        against && *against + 1 < judged.records.size() ? &judged.records[*against] : nullptr;
    WalkReadingsTable table;
    table.header = QStringList{TableWords::tr("Place"), TableWords::tr("V"), TableWords::tr("Resistance"),
                               TableWords::tr("°C"), TableWords::tr("Change"), TableWords::tr("Verdict")};
    for (const strings::Policy& policy : judged.policies.policies)
        table.header << QString::fromStdString(policy.name);
    if (compared != nullptr)
        table.header << QLocale().toString(judged.inspections[*against].startedUtc.toLocalTime().date(), QLocale::ShortFormat)
                     << TableWords::tr("Difference");
    for (const strings::Place& place : strings::WalkOrder(judged.layout)) {
        if (const strings::ReadingVerdict* verdict = store::WalkSession::VerdictOf(verdicts, place)) {
            table.rows.push_back(ReadRow(judged, *verdict, compared));
            table.colours.push_back(report::VerdictColour(verdict->verdict));
        } else if (walk.IsMissing(place)) {
            table.rows.push_back({WalkTexts::PlaceName(place), {}, {}, {}, {}, TableWords::tr("missing")});
            table.colours.emplace_back();
        }
    }
    return table;
}

} // namespace voltaryn
