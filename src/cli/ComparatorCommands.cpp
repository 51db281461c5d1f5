// comparator: the meter's table of 99 PASS/FAIL limit entries.
#include "cli/Command.h"
#include "cli/ComparatorLimits.h"
#include "settings/ComparatorLoad.h"

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

ComparatorEntry ReadEntry(MeterAccess& meter, int number)
{
    return DecodeComparatorEntry(meter.Require(meter.Commands().ReadComparatorEntry(number)));
}

struct GetOptions {
    int entry = 0;  // 0: all of them
};

void RunGet(CommandContext& context, const GetOptions& options)
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
    if (!loaded.Complete())
        throw CliError(ExitCode::MeterFailed, "the meter stopped answering after " + std::to_string(loaded.entriesRead)
                                                  + " of " + std::to_string(ComparatorTable::LastEntry) + " entries");
}

struct SetOptions {
    int entry = 1;
    std::optional<std::string> ohmHigh;
    std::optional<std::string> ohmLow;
    std::optional<std::string> voltHigh;
    std::optional<std::string> voltLow;
};

// The window's "Update": the entry's limits in the editors, the limits given put in, the entry
// built from the editors (which keeps a voltage at XX.XX within 60.00) and written. Reading it
// back tells what the meter took.
void RunSet(CommandContext& context, const SetOptions& options)
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
    meter.Commands().WriteComparatorEntry(options.entry, EncodeComparatorEntry(entry));
    const ComparatorEntry taken = ReadEntry(meter, options.entry);
    if (taken != entry)
        throw CliError(ExitCode::MeterFailed, "the meter did not take entry " + std::to_string(options.entry));
    WriteRow(context.output, ComparatorRow(options.entry, taken));
}

// A limit option whose text is checked as the command line is read.
template <typename Read>
void AddLimit(CLI::App& sub, const std::string& name, std::optional<std::string>& text, const std::string& help,
              Read read)
{
    sub.add_option(name, text, help)->check([read](const std::string& value) {
        const auto limit = read(value);
        return limit.index() == 0 ? std::string() : std::get<1>(limit);
    });
}

} // namespace

void AddComparatorCommands(CLI::App& app, Command& command)
{
    CLI::App* comparator =
        app.add_subcommand("comparator", "The meter's comparator table of entries 1 to 99: get [N], set N")
            ->require_subcommand(1);
    AddCommand<GetOptions>(*comparator, command, "get", "Show one entry, or all 99", RunGet,
                           [](CLI::App& sub, GetOptions& options) {
                               sub.add_option("N", options.entry, "The entry (default: all)")->check(CLI::Range(1, 99));
                           });
    AddCommand<SetOptions>(
        *comparator, command, "set", "Change limits of one entry; those not given stay", RunSet,
        [](CLI::App& sub, SetOptions& options) {
            sub.add_option("N", options.entry, "The entry")->required()->check(CLI::Range(1, 99));
            const std::string ohm =
                "value/range, e.g. 1.234/4mOhm (ranges 4mOhm, 40mOhm, 400mOhm, 4Ohm, 40Ohm, 400Ohm)";
            const std::string volt = "volts, e.g. 1.234 or 12.50 (above 60.00 is taken as 60.00)";
            AddLimit(sub, "--ohm-high", options.ohmHigh, "High resistance limit: " + ohm, ReadOhmLimit);
            AddLimit(sub, "--ohm-low", options.ohmLow, "Low resistance limit: " + ohm, ReadOhmLimit);
            AddLimit(sub, "--volt-high", options.voltHigh, "High voltage limit: " + volt, ReadVoltLimit);
            AddLimit(sub, "--volt-low", options.voltLow, "Low voltage limit: " + volt, ReadVoltLimit);
        });
}

} // namespace voltaryn::cli
