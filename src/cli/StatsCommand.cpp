// stats: a batch's yield per grade, the spread of its figures and its process capability.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "store/BatchCells.h"

#include <nlohmann/json.hpp>

#include <iomanip>
#include <sstream>

namespace voltaryn::cli {
namespace {

using StatsJson = nlohmann::ordered_json;

// The grade whose limits the batch is judged against: the one named, else the best (the first).
cells::Grade JudgingGrade(const store::BatchInfo& batch, const store::BatchRules& rules, const std::string& named)
{
    if (named.empty())
        return rules.grades.Grades.front();
    for (const cells::Grade& grade : rules.grades.Grades) {
        if (grade.Name == named)
            return grade;
    }
    throw CliError(ExitCode::Usage, "batch " + batch.name.toStdString() + " has no grade " + named);
}

// "-" for a figure that cannot be given.
std::string FixedOrDash(const std::optional<double>& value, int decimals) { return value ? Fixed(*value, decimals) : "-"; }

StatsJson JsonOf(const std::optional<double>& value) { return value ? StatsJson(*value) : StatsJson(nullptr); }

StatsJson JsonOf(const std::optional<cells::Spread>& spread)
{
    if (!spread)
        return nullptr;
    return {{"count", spread->count},           {"mean", spread->mean},  {"median", spread->median},
            {"std_dev", JsonOf(spread->stdDev)}, {"min", spread->min},    {"max", spread->max},
            {"p5", spread->percentile5},         {"p95", spread->percentile95}};
}

// One figure's spread as a row of the text table.
std::string SpreadLine(const std::string& name, const std::optional<cells::Spread>& spread, int decimals)
{
    std::ostringstream line;
    line << std::left << std::setw(16) << name << std::right;
    if (!spread)
        return line.str() + "none measured";
    for (const double value : {spread->mean, spread->median})
        line << std::setw(10) << Fixed(value, decimals);
    line << std::setw(10) << FixedOrDash(spread->stdDev, decimals);
    for (const double value : {spread->min, spread->max, spread->percentile5, spread->percentile95})
        line << std::setw(10) << Fixed(value, decimals);
    line << std::setw(8) << spread->count;
    return line.str();
}

std::string CpkText(const std::optional<double>& cpk, const std::optional<cells::Spread>& spread,
                    const std::string& against)
{
    return (cells::TooFewForCpk(spread) ? std::string("too few cells") : FixedOrDash(cpk, 2)) + " (" + against + ")";
}

std::string Shortest(double value) { return std::get<Number>(Measured(value)).text; }

// "2.5 to 4.2 V", "min 2.5 V", "max 60 mOhm", "no limit"
std::string Window(const std::optional<double>& low, const std::optional<double>& high, const std::string& unit)
{
    if (low && high)
        return Shortest(*low) + " to " + Shortest(*high) + " " + unit;
    if (low || high)
        return (low ? "min " + Shortest(*low) : "max " + Shortest(*high)) + " " + unit;
    return "no limit";
}

void WriteText(Output& output, const std::string& batch, const cells::BatchStatistics& stats, const cells::Grade& grade,
               const std::string& selfDischarge)
{
    output.Document("batch " + batch + ": " + std::to_string(stats.count) + (stats.count == 1 ? " cell" : " cells"));
    if (stats.count == 0)
        return;
    for (const cells::GradeYield& yield : stats.grades)
        output.Document("  grade " + yield.grade + ": " + std::to_string(yield.count) + " (" + Fixed(yield.yieldPercent, 1) + " %)");
    std::ostringstream header;
    header << std::left << std::setw(16) << "" << std::right;
    for (const char* title : {"mean", "median", "std dev", "min", "max", "P5", "P95"})
        header << std::setw(10) << title;
    header << std::setw(8) << "cells";
    output.Document(header.str());
    output.Document(SpreadLine("voltage V", stats.voltage, 3));
    output.Document(SpreadLine("resistance mOhm", stats.resistance, 2));
    output.Document(SpreadLine("capacity mAh", stats.capacity, 1));
    const cells::GradeLimits& limits = grade.Limits;
    output.Document("Cpk against grade " + grade.Name + ": resistance " +
                    CpkText(stats.resistanceCpk, stats.resistance, Window(std::nullopt, limits.MaxResistance, "mOhm")) + ", voltage " +
                    CpkText(stats.voltageCpk, stats.voltage, Window(limits.MinVoltage, limits.MaxVoltage, "V")));
    output.Document(selfDischarge);
}

StatsJson JsonOf(const cells::SelfDischargeLot& lot, const store::SelfDischargeRules& rules)
{
    return {{"judged", lot.judged},
            {"suspects", lot.suspects},
            {"early", lot.early},
            {"mv_per_day", JsonOf(lot.mvPerDay)},
            {"mad_mv_per_day", JsonOf(lot.madMvPerDay)},
            {"limit_mv_per_day", rules.absoluteLimitMvPerDay},
            {"lot_limit_mv_per_day", JsonOf(lot.lotLimitMvPerDay)},
            {"rest_days", rules.minimumRestDays}};
}

StatsJson JsonDocument(const std::string& batch, const cells::BatchStatistics& stats, const cells::Grade& grade,
                       StatsJson selfDischarge)
{
    StatsJson grades = StatsJson::array();
    for (const cells::GradeYield& yield : stats.grades)
        grades.push_back({{"grade", yield.grade}, {"count", yield.count}, {"yield_percent", yield.yieldPercent}});
    return {{"batch", batch},
            {"count", stats.count},
            {"grades", grades},
            {"voltage_v", JsonOf(stats.voltage)},
            {"resistance_mohm", JsonOf(stats.resistance)},
            {"capacity_mah", JsonOf(stats.capacity)},
            {"cpk_grade", grade.Name},
            {"resistance_cpk", JsonOf(stats.resistanceCpk)},
            {"voltage_cpk", JsonOf(stats.voltageCpk)},
            {"self_discharge", std::move(selfDischarge)}};
}

} // namespace

void RunStats(CommandContext& context, const StatsOptions& options)
{
    const Format format = context.format.value_or(Format::Text);
    if (format != Format::Text && format != Format::Json)
        throw CliError(ExitCode::Usage, "stats writes text or json");
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        const store::BatchInfo batch = db.Batch(options.batch);
        const store::BatchRules rules = store::RulesOf(batch);
        const cells::Grade grade = JudgingGrade(batch, rules, options.grade);
        const std::vector<store::CellRow> cells = db.Store().Cells(Q(options.batch));
        const cells::BatchStatistics stats = store::StatisticsOf(cells, rules.grades, store::LimitsOf(grade));
        const cells::SelfDischargeLot lot = store::SelfDischargeOf(cells, batch.selfDischarge);
        if (format == Format::Json)
            context.output.Document(JsonDocument(options.batch, stats, grade, JsonOf(lot, batch.selfDischarge)).dump());
        else
            WriteText(context.output, options.batch, stats, grade, "self-discharge: " + store::SelfDischargeSummary(lot, batch.selfDischarge));
    });
}

} // namespace voltaryn::cli
