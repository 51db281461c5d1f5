// comparator: the meter's table of 99 PASS/FAIL limit entries.
#include "cli/Commands.h"
#include "cli/ComparatorLimits.h"
#include "settings/ComparatorLoad.h"

#include <cmath>

namespace voltaryn::cli {
namespace {

// An entry as the comparator window's grid shows it: resistances as "1.234 / 4 mOhm".
void WriteRow(Output& output, const ComparatorRowTexts& row)
{
    output.Row({{"entry", std::stoi(row[0])},
                {"ohm_high", row[1]},
                {"ohm_low", row[2]},
                {"volt_high", row[3]},
                {"volt_low", row[4]}});
}

// A limit's value in milliohm or volt; none when its point is not known.
std::optional<double> ValueOf(const OhmLimit& limit)
{
    const std::optional<int> decimals = limit.Decimals();
    if (!decimals)
        return std::nullopt;
    return limit.Count / std::pow(10.0, *decimals) * (limit.Milli ? 1 : 1000);
}

std::optional<double> ValueOf(const VoltLimit& limit)
{
    const std::optional<int> decimals = limit.Decimals();
    if (!decimals)
        return std::nullopt;
    return limit.Count / std::pow(10.0, *decimals);
}

// Refuses a pair of limits the command line changed whose low limit lies above its high one.
template <typename Limit>
void CheckOrder(const char* quantity, bool changed, const Limit& high, const Limit& low)
{
    const std::optional<double> highValue = ValueOf(high);
    const std::optional<double> lowValue = ValueOf(low);
    if (changed && highValue && lowValue && *lowValue > *highValue)
        throw CliError(ExitCode::Usage, std::string("comparator set: the low ") + quantity
                                            + " limit lies above the high one");
}

ComparatorEntry ReadEntry(MeterAccess& meter, int number)
{
    return DecodeComparatorEntry(meter.Require(meter.Commands().ReadComparatorEntry(number)));
}

} // namespace

void RunComparatorGet(CommandContext& context, const ComparatorGetOptions& options)
{
    MeterAccess& meter = context.meter;
    meter.Connect();
    if (options.entry != 0) {
        WriteRow(context.output, ComparatorRow(options.entry, ReadEntry(meter, options.entry)));
        return;
    }
    ComparatorTable table;
    NoEvents events;
    const ComparatorLoadResult loaded = LoadComparatorTable(
        meter.Commands(), table, events, [&](const ComparatorRowTexts& row) { WriteRow(context.output, row); });
    FailOn(OutcomeOf(loaded));
}

// The window's "Update": the entry's limits in the editors, the limits given put in, the entry
// built from the editors (which keeps a voltage at XX.XX within 60.00) and written. Reading it
// back tells what the meter took.
void RunComparatorSet(CommandContext& context, const ComparatorSetOptions& options)
{
    if (!options.ohmHigh && !options.ohmLow && !options.voltHigh && !options.voltLow)
        throw CliError(ExitCode::Usage,
                       "comparator set: give at least one of --ohm-high, --ohm-low, --volt-high, --volt-low");
    MeterAccess& meter = context.meter;
    meter.Connect();
    ComparatorEditors editors = EditorsFor(ReadEntry(meter, options.entry));
    for (const auto& [text, editor] :
         {std::pair{&options.ohmHigh, &editors.highOhm}, {&options.ohmLow, &editors.lowOhm}})
        if (*text)
            *editor = std::get<OhmEditor>(ReadOhmLimit(**text));
    for (const auto& [text, editor] :
         {std::pair{&options.voltHigh, &editors.highVolt}, {&options.voltLow, &editors.lowVolt}})
        if (*text)
            *editor = std::get<VoltEditor>(ReadVoltLimit(**text));
    const ComparatorEntry entry = BuildEntry(editors);
    CheckOrder("resistance", options.ohmHigh || options.ohmLow, entry.HighOhm, entry.LowOhm);
    CheckOrder("voltage", options.voltHigh || options.voltLow, entry.HighVolt, entry.LowVolt);
    meter.Commands().WriteComparatorEntry(options.entry, EncodeComparatorEntry(entry));
    const ComparatorEntry taken = ReadEntry(meter, options.entry);
    if (taken != entry)
        throw CliError(ExitCode::MeterFailed, "the meter did not take entry " + std::to_string(options.entry));
    WriteRow(context.output, ComparatorRow(options.entry, taken));
}

} // namespace voltaryn::cli
