// The command line, read with CLI11: the global options, every subcommand and its options, and
// the help texts. The only file that includes CLI11, which is costly to compile.
#include "cli/CommandLine.h"

#include "cli/ComparatorLimits.h"
#include "cli/DemoMeters.h"
#include "cells/NameRule.h"
#include "sim/BatteryString.h"
#include "sim/StoredLot.h"
#include "strings/StringModel.h"

#include <CLI/CLI.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <type_traits>

namespace voltaryn::cli {
namespace {

constexpr const char* Description =
    "voltaryn-cli: the battery analyser meter from scripts. It reads, records, downloads and sets the meter "
    "without a window; records go to the standard output, errors to the error output, one line each.";

constexpr long long MaxReadCount = 1000000;

const std::map<std::string, Format> Formats{
    {"text", Format::Text}, {"tsv", Format::Tsv}, {"csv", Format::Csv}, {"json", Format::Json}};

// "2024-03-15T10:00:00" as a moment in the local time zone.
std::optional<std::chrono::system_clock::time_point> LocalMoment(const std::string& text)
{
    std::tm local{};
    std::istringstream in(text);
    in >> std::get_time(&local, "%Y-%m-%dT%H:%M:%S");
    if (in.fail() || in.peek() != std::char_traits<char>::eof())
        return std::nullopt;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == -1)
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(seconds);
}

// A whole number from `low` to `high`, told in words a script's author reads at once.
CLI::Validator WholeNumber(long long low, long long high)
{
    const std::string range = "must be a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return {[low, high, range](const std::string& text) {
                long long value = 0;
                const char* end = text.data() + text.size();
                const auto [stop, error] = std::from_chars(text.data(), end, value);
                if (stop != end || error != std::errc() || text.starts_with('+'))
                    return range + ", not " + (text.empty() ? "nothing" : text)
                           + (error == std::errc::result_out_of_range ? " (far out of range)" : "");
                return value < low || value > high ? range + ", not " + text : std::string();
            },
            "", "WHOLE NUMBER"};
}

// Seconds from one reading to the next: 0 (as fast as the meter answers), or from the time
// stamps' millisecond on. NaN and the infinities are no time at all.
std::string IntervalError(const std::string& text)
{
    std::string allowed = "must be 0 or a number of seconds from 0.001 to 86400, not " + text;
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    if (stop != end || error != std::errc() || !std::isfinite(seconds))
        return allowed;
    if (seconds < 0 || seconds > 86400 || (seconds > 0 && seconds < 0.001))
        return allowed;
    return {};
}

// A name as the name rule keeps it (trimmed); what the rule refuses is told in its words.
CLI::Validator NameRule(cells::NameKind kind)
{
    return {[kind](std::string& text) {
                try {
                    text = cells::CheckedName(kind, text);
                    return std::string();
                } catch (const cells::NameRefused& refused) {
                    return std::string(refused.what());
                }
            },
            ""};
}

void AddBatchOption(CLI::App& sub, std::string& batch, const std::string& help = "The batch")
{
    sub.add_option("--batch", batch, help)->required()->transform(NameRule(cells::NameKind::Batch))->option_text("NAME");
}

std::string FileNameError(const std::string& text) { return text.empty() ? "must name a file" : std::string(); }

void AddGlobalOptions(CLI::App& app, GlobalOptions& options)
{
    app.set_version_flag("--version", std::string("voltaryn-cli ") + VOLTARYN_VERSION);
    app.add_flag("--demo", options.demo, "Talk to the built-in simulated meter instead of a real one");
    app.add_option("--device", options.device,
                   "The meter's hidraw path, as `devices` lists it (default: the first meter found)")
        ->option_text("PATH");
    app.add_option_function<std::string>(
           "-f,--format", [&options](const std::string& name) { options.format = Formats.at(name); },
           "Output format: text, tsv, csv or json (JSON Lines); the same bytes on the standard output and in a "
           "file. Default: text on the standard output; for a file, as its extension says (.tsv, .csv, .json, "
           ".jsonl), else the window's data file")
        ->transform(CLI::IsMember(Formats, CLI::ignore_case).description(""))
        ->option_text("FORMAT");

    const std::string demo = "Demo";
    DemoOptions& knobs = options.demoOptions;
    // What the simulated meter's probes are on, from a seed that may be left out.
    const auto demoSeed = [&app, &options, &demo](const std::string& name, std::optional<std::uint64_t>& seed,
                                                  const std::string& help) {
        return app
            .add_option_function<long long>(
                name,
                [&options, &seed](long long value) {
                    options.demo = true;
                    seed = static_cast<std::uint64_t>(value);
                },
                help)
            ->expected(0, 1)
            ->check(WholeNumber(0, std::numeric_limits<long long>::max()))
            ->default_str("1")
            ->option_text("[SEED]")
            ->group(demo);
    };
    CLI::Option* demoCells = demoSeed("--demo-cells", knobs.cellSeed,
                                      "Like --demo, with a stream of cells on the simulated meter's probes, the same "
                                      "for the same SEED (default 1)");
    demoSeed("--demo-string", knobs.stringSeed,
             "Like --demo, with the simulated meter's probes walking a string of 12 V VRLA blocks, block, strap, "
             "block, aged to the simulated date; the same for the same SEED (default 1)")
        ->excludes(demoCells);
    const CLI::Option* demoBlocks =
        app.add_option("--demo-blocks", knobs.stringBlocks, "With --demo-string: the blocks of the string (1 to "
                                                                + std::to_string(strings::MostBlocks) + ", default "
                                                                + std::to_string(sim::DefaultStringBlocks) + ")")
            ->check(WholeNumber(1, strings::MostBlocks))
            ->option_text("N")
            ->group(demo);
    const CLI::Option* demoDays =
        app.add_option_function<int>(
               "--demo-days", [&knobs](int days) { knobs.storageDays = days; },
               "With --demo-cells: the cells that stream stored, rechecked after N days of storage, each lower in "
               "voltage by its own self-discharge; --demo-time is the time of the sorting")
            ->check(WholeNumber(1, sim::LongestStorageDays))
            ->option_text("N")
            ->group(demo);
    const std::array<const CLI::Option*, 3> needDemo = {
        app.add_option("--demo-meters", knobs.meters, "With --demo: the number of simulated meters (1 to 8)")
            ->check(WholeNumber(1, 8))
            ->option_text("N")
            ->group(demo),
        app.add_option("--demo-fault", knobs.faults, std::string("With --demo: a fault to inject: ") + DemoFaultsHelp)
            ->check([](const std::string& text) { return DemoFaultError(text).value_or(""); })
            ->option_text("FAULT")
            ->group(demo),
        app.add_option_function<std::string>(
               "--demo-time", [&knobs](const std::string& text) { knobs.simulatedStart = LocalMoment(text); },
               "With --demo: a simulated clock from this local time (YYYY-MM-DDThh:mm:ss) on, on which waits take "
               "no real time")
            ->check([](const std::string& text) {
                return LocalMoment(text) ? std::string() : "not a time of the form YYYY-MM-DDThh:mm:ss: " + text;
            })
            ->option_text("TIME")
            ->group(demo),
    };
    // The demo's knobs need the simulated meter, which --demo-cells and --demo-string bring as well
    // as --demo, --demo-days the cells and --demo-blocks the string; they are checked once the
    // whole command line is read.
    app.final_callback([&options, needDemo, demoDays, demoBlocks] {
        for (const CLI::Option* knob : needDemo)
            if (knob->count() > 0 && !options.demo)
                throw CLI::RequiresError(knob->get_name(), "--demo");
        if (demoDays->count() > 0 && !options.demoOptions.cellSeed)
            throw CLI::RequiresError(demoDays->get_name(), "--demo-cells");
        if (demoBlocks->count() > 0 && !options.demoOptions.stringSeed)
            throw CLI::RequiresError(demoBlocks->get_name(), "--demo-string");
    });
}

// Adds the subcommand `name` to `parent`; when the command line names it, `command` becomes
// `run` called with the options that `bind` adds to it.
template <typename Options>
void AddCommand(CLI::App& parent, Command& command, const std::string& name, const std::string& description,
                void (*run)(CommandContext&, const Options&),
                const std::type_identity_t<std::function<void(CLI::App&, Options&)>>& bind = {})
{
    CLI::App* sub = parent.add_subcommand(name, description);
    auto options = std::make_shared<Options>();
    if (bind)
        bind(*sub, *options);
    sub->callback(
        [&command, options, run] { command = [options, run](CommandContext& context) { run(context, *options); }; });
}

// A subcommand that gathers others: `sd list`, `clock get`, ...
CLI::App& AddGroup(CLI::App& app, const std::string& name, const std::string& description)
{
    return *app.add_subcommand(name, description)->require_subcommand(1);
}

void AddOutput(CLI::App& sub, std::string& out, const std::string& list)
{
    sub.add_option("-o,--output,--out", out,
                   "Save into this file instead of the standard output (- is the standard output), in the format "
                   "--format gives, else as its extension says; any other name is a data file as the "
                   + list + " saves it. The file is replaced only by a whole download; what arrived of one cut "
                   "short is kept as FILE.partial")
        ->check(FileNameError)
        ->option_text("FILE");
}

void AddYes(CLI::App& sub, bool& yes, const std::string& what)
{
    sub.add_flag("--yes", yes, "Confirm: " + what)->required();
}

// A comparator limit option whose text is checked as the command line is read.
template <typename Read>
void AddLimit(CLI::App& sub, const std::string& name, std::optional<std::string>& text, const std::string& help,
              Read read)
{
    sub.add_option(name, text, help)->check([read](const std::string& value) {
        const auto limit = read(value);
        return limit.index() == 0 ? std::string() : std::get<1>(limit);
    });
}

void AddMeterCommands(CLI::App& app, Command& command)
{
    AddCommand(app, command, "devices", "List the meters plugged in, with their hidraw paths", RunDevices);
    AddCommand(app, command, "info", "Show the meter's identification, range and connection", RunInfo);
    AddCommand<ReadOptions>(
        app, command, "read", "Read the meter's display: values with their units, range and lit indicators", RunRead,
        [](CLI::App& sub, ReadOptions& options) {
            sub.add_option("-n,--count", options.count, "Readings to take, up to 1000000; 0 reads until Ctrl-C "
                                                           "(default 1)")
                ->check(WholeNumber(0, MaxReadCount))
                ->option_text("N");
            sub.add_option("-i,--interval", options.interval,
                           "Seconds from one reading to the next, 0.001 to 86400, or 0: at once (default 1)")
                ->check(IntervalError)
                ->option_text("SECONDS");
        });
    AddCommand<RecordOptions>(
        app, command, "record",
        "Record the displayed readings into a data file, as the window's recording does (Ctrl-C ends it)", RunRecord,
        [](CLI::App& sub, RecordOptions& options) {
            sub.add_option("FILE,-o,--output", options.file, "The data file to write (an existing one is replaced)")
                ->required()
                ->check(FileNameError);
            sub.add_option("-i,--interval", options.interval,
                           "Seconds from one record to the next, 1 to 86400 (default 2)")
                ->check(WholeNumber(1, 86400))
                ->option_text("SECONDS");
            sub.add_option("-n,--count,--max-records", options.maxRecords,
                           "Stop after this many records (default: until the file is full, at 36001)")
                ->check(WholeNumber(1, Recorder::MaxRecords))
                ->option_text("N");
        });
    std::string keys;
    for (const auto& [name, button] : KeyNames())
        keys += (keys.empty() ? "" : ", ") + name;
    AddCommand<KeyOptions>(app, command, "key", "Press one of the meter's keys", RunKey,
                           [keys](CLI::App& sub, KeyOptions& options) {
                               sub.add_option("NAME", options.name, "The key: " + keys)
                                   ->required()
                                   ->transform(CLI::IsMember(KeyNames(), CLI::ignore_case).description(""));
                           });
}

void AddMemoryCommands(CLI::App& app, Command& command)
{
    AddCommand<ListOptions>(app, command, "memory", "Download the meter's manual records", RunMemory,
                            [](CLI::App& sub, ListOptions& options) { AddOutput(sub, options.out, "manual list"); });
    CLI::App& sd = AddGroup(app, "sd", "The recordings on the meter's SD card: list, get N, delete N|all");
    AddCommand(sd, command, "list", "List the card's files", RunSdList);
    AddCommand<SdFileOptions>(sd, command, "get", "Download one file of the card", RunSdGet,
                              [](CLI::App& sub, SdFileOptions& options) {
                                  sub.add_option("N", options.file, "The file's number, as sd list shows it")
                                      ->required()
                                      ->check(WholeNumber(0, 255));
                                  AddOutput(sub, options.out, "data list");
                              });
    AddCommand<SdDeleteOptions>(sd, command, "delete", "Delete one file of the card, or all", RunSdDelete,
                                [](CLI::App& sub, SdDeleteOptions& options) {
                                    sub.add_option("N", options.which, "The file's number, or all")
                                        ->required()
                                        ->check(CLI::IsMember({"all"}) | WholeNumber(0, 255));
                                    AddYes(sub, options.yes, "the files are gone for good");
                                });
    AddCommand<EraseOptions>(app, command, "erase", "Erase the records in the meter's memory", RunErase,
                             [](CLI::App& sub, EraseOptions& options) {
                                 AddYes(sub, options.yes, "the records are gone for good");
                             });
}

void AddSettingCommands(CLI::App& app, Command& command)
{
    CLI::App& clock = AddGroup(app, "clock", "The meter's clock: get, sync");
    AddCommand(clock, command, "get", "Show the meter's date and time, and how far it is from the PC's", RunClockGet);
    AddCommand(clock, command, "sync", "Set the meter's clock to the PC's", RunClockSync);

    CLI::App& interval = AddGroup(app, "interval", "The meter's own sampling interval: get, set SECONDS");
    AddCommand(interval, command, "get", "Show the interval in seconds", RunIntervalGet);
    AddCommand<IntervalOptions>(interval, command, "set", "Set the interval", RunIntervalSet,
                                [](CLI::App& sub, IntervalOptions& options) {
                                    sub.add_option("SECONDS", options.seconds, "1 to 255")
                                        ->required()
                                        ->check(WholeNumber(1, 255));
                                });

    CLI::App& average = AddGroup(app, "average", "The meter's averaging of readings: get, set OFF|4|8|16");
    AddCommand(average, command, "get", "Show the number of readings averaged, or OFF", RunAverageGet);
    AddCommand<AverageOptions>(average, command, "set", "Set the averaging", RunAverageSet,
                               [](CLI::App& sub, AverageOptions& options) {
                                   sub.add_option("N", options.average, "OFF, 4, 8 or 16")
                                       ->required()
                                       ->transform(CLI::IsMember({"OFF", "4", "8", "16"}, CLI::ignore_case));
                               });
}

void AddComparatorCommands(CLI::App& app, Command& command)
{
    CLI::App& comparator = AddGroup(app, "comparator", "The meter's comparator table of entries 1 to 99: get [N], set N");
    AddCommand<ComparatorGetOptions>(comparator, command, "get", "Show one entry, or all 99", RunComparatorGet,
                                     [](CLI::App& sub, ComparatorGetOptions& options) {
                                         sub.add_option("N", options.entry, "The entry (default: all)")
                                             ->check(WholeNumber(1, 99));
                                     });
    AddCommand<ComparatorSetOptions>(
        comparator, command, "set", "Change limits of one entry; those not given stay", RunComparatorSet,
        [](CLI::App& sub, ComparatorSetOptions& options) {
            sub.add_option("N", options.entry, "The entry")->required()->check(WholeNumber(1, 99));
            const std::string ohm =
                "value/range, e.g. 1.234/4mOhm (ranges 4mOhm, 40mOhm, 400mOhm, 4Ohm, 40Ohm, 400Ohm)";
            const std::string volt = "volts, e.g. 1.234 or 12.50 (above 60.00 is taken as 60.00)";
            AddLimit(sub, "--ohm-high", options.ohmHigh, "High resistance limit: " + ohm, ReadOhmLimit);
            AddLimit(sub, "--ohm-low", options.ohmLow, "Low resistance limit: " + ohm, ReadOhmLimit);
            AddLimit(sub, "--volt-high", options.voltHigh, "High voltage limit: " + volt, ReadVoltLimit);
            AddLimit(sub, "--volt-low", options.voltLow, "Low voltage limit: " + volt, ReadVoltLimit);
        });
}

// The subcommand the command line chose, the innermost one of a group (`sd get`); the program
// itself while none is chosen.
const CLI::App& Chosen(const CLI::App& app)
{
    const CLI::App* chosen = &app;
    while (!chosen->get_subcommands().empty())
        chosen = chosen->get_subcommands().front();
    return *chosen;
}

// "sd get"; empty for the program itself.
std::string SubcommandPath(const CLI::App& command)
{
    const CLI::App* parent = command.get_parent();
    if (parent == nullptr)
        return {};
    const std::string above = SubcommandPath(*parent);
    return above.empty() ? command.get_name() : above + ' ' + command.get_name();
}

// A word left over on the command line, told against the subcommand chosen: an option it has was
// given ahead of it, as the global options may be; any other option is unknown. A word that is no
// option is an unknown command where a command is due, else one argument too many.
std::string LeftOverWord(const CLI::App& chosen, const std::string& word)
{
    if (!word.starts_with('-'))
        return (chosen.get_require_subcommand_min() > 0 ? "unknown command \"" : "unexpected argument \"") + word + '"';
    const std::string name = word.substr(0, word.find('='));
    if (chosen.get_option_no_throw(name) != nullptr)
        return name + " belongs after the subcommand " + SubcommandPath(chosen);
    return "unknown option " + name;
}

// CLI11's words for what went wrong, in the command line's own: "--count must be ..." rather than
// "--count: must be ...", "unknown option --bogus".
std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error)
{
    // A word that fits nowhere is the first fault, whatever else is missing because of it.
    const std::vector<std::string> leftOver = app.remaining(true);
    const bool extras = dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr;
    if (!leftOver.empty() && (extras || dynamic_cast<const CLI::RequiredError*>(&error) != nullptr))
        return LeftOverWord(Chosen(app), leftOver.front());
    std::string message = error.what();
    if (const std::size_t at = message.find(": must "); at != std::string::npos)
        message.erase(at, 1);
    return message;
}

// --help and --version end the run as a success; anything else wrong on the command line is a
// usage error told in one line, with the help that tells the subcommand chosen.
int UsageExit(const CLI::App& app, const CLI::ParseError& error)
{
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
        return app.exit(error);
    const std::string chosen = SubcommandPath(Chosen(app));
    std::cerr << "voltaryn-cli: " << UsageMessage(app, error) << " (see voltaryn-cli " << chosen
              << (chosen.empty() ? "" : " ") << "--help)\n";
    return static_cast<int>(ExitCode::Usage);
}

void AddDatabase(CLI::App& sub, std::string& db)
{
    sub.add_option("--db", db,
                   "The cell database: postgresql://user@host:port/database (parts left out, and the password, come "
                   "from the PG* variables, ~/.pgpass or a service), sqlite:///path/to/file.db or a path (default: "
                   "the program's own)")
        ->option_text("URL");
}

void AddCount(CLI::App& sub, long long& count, const std::string& help)
{
    sub.add_option("--count", count, help)->check(CLI::Range(1LL, 1000000LL))->option_text("N");
}

// The options sort, recheck and inspect share: who takes the readings, and how long the end waits
// for the queue. `what` names the work's readings ("captures", "rechecks").
void AddCaptureRunOptions(CLI::App& sub, std::string& station, std::string& operatorName,
                          const std::string& operatorHelp, int& drainTimeout, const std::string& what)
{
    sub.add_option("--station", station, "This station's name (default: the host name)")
        ->transform(NameRule(cells::NameKind::Station))
        ->option_text("NAME");
    sub.add_option("--operator", operatorName, operatorHelp)
        ->transform(NameRule(cells::NameKind::Operator))
        ->option_text("NAME");
    sub.add_option("--drain-timeout", drainTimeout,
                   "At the end, wait up to this long for the " + what + " in the local queue to reach the server, "
                   "0 to 3600 seconds (default 10); " + what + " left make the exit code 6")
        ->check(WholeNumber(0, 3600))
        ->option_text("SECONDS");
}

void AddCellCommands(CLI::App& app, Command& command)
{
    AddCommand<SortOptions>(
        app, command, "sort",
        "Sort cells: place each cell on the probes; every settled reading is graded, stored and written "
        "(Ctrl-C ends it)",
        RunSort, [](CLI::App& sub, SortOptions& options) {
            AddBatchOption(sub, options.batch, "The batch the cells go into; a new one is created");
            sub.add_option("--grades", options.grades,
                           "The grades of a new batch, as a JSON file (default: Li-ion, A <= 25, B <= 40, "
                           "C <= 60 mOhm, from 2.5 V)")
                ->option_text("FILE");
            AddDatabase(sub, options.db);
            AddCount(sub, options.count, "Stop after this many cells (default: until Ctrl-C)");
            AddCaptureRunOptions(sub, options.station, options.operatorName, "Who sorts (default: the login name)",
                                 options.drainTimeout, "captures");
            sub.add_flag("--ids", options.ids,
                         "Read cell IDs from the standard input, one a line, as a barcode scanner types them: "
                         "each capture takes the oldest ID not yet used, and a known ID adds a measurement to its cell; "
                         "without an ID waiting a cell gets the batch's next number");
        });
    AddCommand<RecheckOptions>(
        app, command, "recheck",
        "Recheck a rested batch: place its cells on the probes in number order (or scan their IDs); each "
        "settled reading is stored as the cell's recheck and its self-discharge judged (Ctrl-C ends it)",
        RunRecheck, [](CLI::App& sub, RecheckOptions& options) {
            AddBatchOption(sub, options.batch, "The batch whose cells are rechecked");
            AddDatabase(sub, options.db);
            AddCount(sub, options.count, "Stop after this many cells (default: the end of the tray)");
            AddCaptureRunOptions(sub, options.station, options.operatorName, "Who rechecks (default: the login name)",
                                 options.drainTimeout, "rechecks");
            sub.add_option("--from", options.from,
                           "The number of the tray's first cell (default: the first cell without a recheck)")
                ->check(CLI::Range(1LL, std::numeric_limits<long long>::max()))
                ->option_text("N");
            sub.add_flag("--ids", options.ids,
                         "Read cell IDs from the standard input, one a line, as a barcode scanner types them: each "
                         "capture rechecks the cell of the oldest ID not yet used; without an ID waiting, the next "
                         "cell of the tray");
            sub.add_option("--limit", options.limit,
                           "Keep this as the batch's self-discharge limit in mV a day, below 0 (new batches: -8)")
                ->option_text("MV");
            sub.add_option("--rest-days", options.restDays,
                           "Keep this as the batch's minimum rest before a recheck counts, 1 to 90 days (new batches: 14)")
                ->check(WholeNumber(1, 90))
                ->option_text("DAYS");
        });
    AddCommand<AfterChargeOptions>(
        app, command, "after-charge",
        "Judge a cell's self-discharge from its latest sorting capture, taken once it was charged, instead of its "
        "first",
        RunAfterCharge, [](CLI::App& sub, AfterChargeOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("--cell", options.cell, "The cell: its ID or #number")->required()->option_text("ID");
            sub.add_flag("--first", options.first, "Judge it from its first capture again");
            AddDatabase(sub, options.db);
        });
    AddCommand<CellListOptions>(app, command, "cells", "List a batch's cells with their latest measurement",
                                RunCells, [](CLI::App& sub, CellListOptions& options) {
                                    AddBatchOption(sub, options.batch);
                                    AddDatabase(sub, options.db);
                                });
    AddCommand<RegradeOptions>(
        app, command, "regrade",
        "Grade every cell of a batch again, from its latest capture, under the batch's grade table now; writes the "
        "cells whose grade changed, a summary on the error output",
        RunRegrade, [](CLI::App& sub, RegradeOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("--grades", options.grades,
                           "First give the batch these grades, as a JSON file; the table it had is kept in its history")
                ->option_text("FILE");
            AddDatabase(sub, options.db);
        });
    AddCommand<HistoryOptions>(
        app, command, "history",
        "A cell's every measurement (captures and rechecks, withdrawn ones too) and the batch's grade tables, in "
        "time order",
        RunHistory, [](CLI::App& sub, HistoryOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("--cell", options.cell, "The cell: its label, or its number (#0007 or 7)")
                ->required()
                ->option_text("ID");
            AddDatabase(sub, options.db);
        });
    AddCommand<ReportOptions>(
        app, command, "report",
        "Write a batch's report as PDF: its data and grades, statistics, histograms and the map of each saved pack",
        RunReport, [](CLI::App& sub, ReportOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("-o,--output", options.out, "The PDF file to write")
                ->required()
                ->check(FileNameError)
                ->option_text("FILE");
            AddDatabase(sub, options.db);
        });
    AddCommand<DatabaseOptions>(app, command, "batches", "List the batches with their cells per grade",
                                RunBatches,
                                [](CLI::App& sub, DatabaseOptions& options) { AddDatabase(sub, options.db); });
}

void AddSiteAndStringOptions(CLI::App& sub, std::string& site, std::string& string)
{
    sub.add_option("--site", site, "The site")->required()->transform(NameRule(cells::NameKind::Site))->option_text("NAME");
    sub.add_option("--string", string, "The string")
        ->required()
        ->transform(NameRule(cells::NameKind::String))
        ->option_text("NAME");
}

void AddInspectionOption(CLI::App& sub, long long& inspection)
{
    sub.add_option("--inspection", inspection, "The inspection (see inspections)")
        ->required()
        ->check(CLI::PositiveNumber)
        ->option_text("ID");
}

// A string's site, name and figures; `adding` requires the figures, else each given changes one.
void AddStringFigures(CLI::App& sub, StringAddOptions& options, bool adding)
{
    sub.add_option("--site", options.site, "The site")->required()->transform(NameRule(cells::NameKind::Site))->option_text("NAME");
    sub.add_option("name", options.name, "Its name")->required()->transform(NameRule(cells::NameKind::String));
    sub.add_option("--blocks", options.blocks, "How many blocks (or cells) in series, 1 to 1000")
        ->required(adding)
        ->check(WholeNumber(1, 1000))
        ->option_text("N");
    sub.add_option("--nominal", options.nominal, "A block's nominal voltage: 2, 6 or 12")
        ->required(adding)
        ->check(CLI::IsMember({"2", "6", "12"}))
        ->option_text("VOLTS");
    sub.add_option("--chemistry", options.chemistry, "vla (vented lead-acid), vrla, nicd or lifepo4")
        ->required(adding)
        ->option_text("CHEM");
    sub.add_option("--cells-per-block", options.cellsPerBlock,
                   "The cells of a block, 1 to 12 (default: as its nominal voltage holds)")
        ->check(WholeNumber(1, 12))
        ->option_text("K");
    sub.add_flag("--straps", options.straps, "The straps between the blocks are measured too");
    sub.add_option("--installed", options.installed,
                   adding ? "When it was installed, as 2021-03-15" : "When it was installed, as 2021-03-15; none: not known")
        ->option_text("DATE");
    AddDatabase(sub, options.db);
}

void AddStringCommands(CLI::App& app, Command& command)
{
    CLI::App& site = AddGroup(app, "site", "The sites whose battery strings are inspected");
    AddCommand<SiteOptions>(site, command, "add", "Add a site", RunSiteAdd, [](CLI::App& sub, SiteOptions& options) {
        sub.add_option("name", options.name, "Its name")->required()->transform(NameRule(cells::NameKind::Site));
        sub.add_option("--notes", options.notes, "Notes on it (where, who to call)")->option_text("TEXT");
        AddDatabase(sub, options.db);
    });
    AddCommand<DatabaseOptions>(site, command, "list", "List the sites", RunSiteList,
                                [](CLI::App& sub, DatabaseOptions& options) { AddDatabase(sub, options.db); });
    CLI::App& string = AddGroup(app, "string", "The battery strings of the sites");
    AddCommand<StringAddOptions>(string, command, "add", "Add a string of blocks in series to a site", RunStringAdd,
                                 [](CLI::App& sub, StringAddOptions& options) {
                                     AddStringFigures(sub, options, true);
                                     sub.add_option("--policies", options.policies,
                                                    "The policies its readings are judged by, as a JSON file (default: "
                                                    "baseline +30/+50 %, string-average +20/+50 %, float-voltage, strap "
                                                    "and temperature)")
                                         ->option_text("FILE");
                                 });
    AddCommand<StringEditOptions>(
        string, command, "edit",
        "Change a string's figures; those not given stay. Once inspected, only its installed date may change",
        RunStringEdit, [](CLI::App& sub, StringEditOptions& options) {
            AddStringFigures(sub, options.figures, false);
            sub.add_flag("--no-straps", options.noStraps, "The straps are not measured");
        });
    AddCommand<PoliciesOptions>(
        string, command, "policies",
        "Write out the policies a string's readings are judged by, as JSON; with --policies FILE keep that file's "
        "first, with --defaults the built-in ones",
        RunStringPolicies, [](CLI::App& sub, PoliciesOptions& options) {
            AddSiteAndStringOptions(sub, options.site, options.string);
            sub.add_option("--policies", options.file, "Keep the policies of this JSON file")->option_text("FILE");
            sub.add_flag("--defaults", options.defaults, "Keep the built-in policies again");
            AddDatabase(sub, options.db);
        });
    AddCommand<StringOptions>(string, command, "list", "List the strings, of one site or of all", RunStringList,
                              [](CLI::App& sub, StringOptions& options) {
                                  sub.add_option("--site", options.site, "Only this site's")->option_text("NAME");
                                  AddDatabase(sub, options.db);
                              });
    AddCommand<StringOptions>(app, command, "inspections", "List a string's inspections, the earliest first",
                              RunInspections, [](CLI::App& sub, StringOptions& options) {
                                  AddSiteAndStringOptions(sub, options.site, options.string);
                                  AddDatabase(sub, options.db);
                              });
    AddCommand<ReadingsOptions>(app, command, "readings",
                                "An inspection's readings in force, each with its baseline, change and verdicts",
                                RunReadings, [](CLI::App& sub, ReadingsOptions& options) {
                                    AddInspectionOption(sub, options.inspection);
                                    AddDatabase(sub, options.db);
                                });
    AddCommand<TrendOptions>(
        app, command, "trend",
        "Each block's resistance over the string's inspections, its change against the baseline, the slope of "
        "the last inspections' line and when it is forecast to cross the warn and fail lines",
        RunTrend, [](CLI::App& sub, TrendOptions& options) {
            AddSiteAndStringOptions(sub, options.site, options.string);
            sub.add_option("--block", options.block, "Only this block")->check(WholeNumber(1, 1000))->option_text("N");
            AddDatabase(sub, options.db);
        });
    AddCommand<InspectionReportOptions>(
        app, command, "inspection-report",
        "Write an inspection's report as PDF: the string and its policies, a summary, the string's chart, every "
        "block and strap with each policy's verdict, and the trends of the blocks that warn or fail",
        RunInspectionReport, [](CLI::App& sub, InspectionReportOptions& options) {
            AddInspectionOption(sub, options.inspection);
            sub.add_option("--against", options.against, "Beside another inspection of the same string")
                ->check(CLI::PositiveNumber)
                ->option_text("ID");
            sub.add_option("-o,--output", options.out, "The PDF file to write")
                ->required()
                ->check(FileNameError)
                ->option_text("FILE");
            AddDatabase(sub, options.db);
        });
    AddCommand<InspectOptions>(
        app, command, "inspect",
        "Inspect a string: walk it with the probes, block after block (and strap after strap when they are "
        "measured); each settled reading is stored at its place and the walk moves on. An inspection of the "
        "string begun today goes on at its first empty place (Ctrl-C ends it)",
        RunInspect, [](CLI::App& sub, InspectOptions& options) {
            AddSiteAndStringOptions(sub, options.site, options.string);
            sub.add_option("--ambient", options.ambient, "The room's temperature in °C")
                ->check(CLI::Range(-40.0, 80.0))
                ->option_text("C");
            sub.add_option("--start", options.start, "Start at this block (default: the first empty place)")
                ->check(WholeNumber(1, 1000))
                ->option_text("N");
            sub.add_option("--missing", options.missing, "Mark these blocks missing: placeholders, the numbers kept")
                ->delimiter(',')
                ->check(WholeNumber(1, 1000))
                ->option_text("N,M");
            sub.add_option("--notes", options.notes, "Notes on the inspection")->option_text("TEXT");
            AddCaptureRunOptions(sub, options.station, options.operatorName, "Who inspects (default: the login name)",
                                 options.drainTimeout, "readings");
            AddDatabase(sub, options.db);
        });
    AddCommand<BaselineOptions>(
        app, command, "baseline",
        "Choose the baselines of a string's blocks: every block's reading in an inspection, or one block's typed",
        RunBaseline, [](CLI::App& sub, BaselineOptions& options) {
            AddSiteAndStringOptions(sub, options.site, options.string);
            sub.add_option("--inspection", options.inspection, "Every block's baseline from this inspection")
                ->check(CLI::PositiveNumber)
                ->option_text("ID");
            sub.add_option("--block", options.block, "The block whose baseline --mohm gives")
                ->check(WholeNumber(1, 1000))
                ->option_text("N");
            sub.add_option("--mohm", options.mohm, "The block's baseline resistance in mOhm")
                ->check(CLI::PositiveNumber)
                ->option_text("X");
            AddDatabase(sub, options.db);
        });
}

void AddQueueCommands(CLI::App& app, Command& command)
{
    const auto database = [](CLI::App& sub, DatabaseOptions& options) { AddDatabase(sub, options.db); };
    CLI::App& queue = AddGroup(app, "queue",
                               "The captures in this station's local queue for a PostgreSQL server: list, retry, export");
    AddCommand<DatabaseOptions>(queue, command, "list",
                                "List the captures that wait for the server, and those it refused (set aside)",
                                RunQueueList, database);
    AddCommand<DatabaseOptions>(queue, command, "retry",
                                "Let the captures set aside wait again and send the queue; list what is left",
                                RunQueueRetry, database);
    AddCommand<QueueExportOptions>(queue, command, "export",
                                   "Write every capture of the queue, with its measurements, into a file",
                                   RunQueueExport, [](CLI::App& sub, QueueExportOptions& options) {
                                       sub.add_option("-o,--output,--out", options.out,
                                                      "The file: CSV, TSV or JSON Lines, as --format or its "
                                                      "extension says (- is the standard output)")
                                           ->required()
                                           ->check(FileNameError)
                                           ->option_text("FILE");
                                       AddDatabase(sub, options.db);
                                   });
}

void AddPackCommands(CLI::App& app, Command& command)
{
    AddCommand<StatsOptions>(
        app, command, "stats",
        "A batch's statistics: cells per grade and their yield; mean, median, standard deviation, min, max, P5 and "
        "P95 of voltage, resistance and capacity; the Cpk of resistance and voltage against a grade's limits",
        RunStats, [](CLI::App& sub, StatsOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("--grade", options.grade, "The grade whose limits judge the batch (default: the best)")
                ->option_text("GRADE");
            AddDatabase(sub, options.db);
        });
    AddCommand<CapacityImportOptions>(
        app, command, "import-capacity",
        "Set a batch's capacities from a charger's CSV (comma or semicolon separated); every bad line is told, and "
        "nothing is imported when one is, unless --skip-bad",
        RunImportCapacity, [](CLI::App& sub, CapacityImportOptions& options) {
            AddBatchOption(sub, options.batch);
            sub.add_option("FILE", options.file, "The CSV")->required()->check(FileNameError);
            sub.add_option("--id-column", options.idColumn,
                           "The column of the cell IDs (default: the one headed id, cell, cell id or serial)")
                ->option_text("C");
            sub.add_option("--capacity-column", options.capacityColumn,
                           "The column of the capacities, in mAh, or Ah when its header says so (default: the one "
                           "headed capacity, capacity_mah, mah or cap)")
                ->option_text("C");
            sub.add_flag("--skip-bad", options.skipBad, "Import the good lines when some are bad");
            sub.add_flag("--change-packed", options.changePacked,
                         "Change the capacity of a cell in a saved pack as well (default: it keeps its own)");
            AddDatabase(sub, options.db);
        });
    AddCommand<PackOptions>(
        app, command, "pack",
        "Build an xSyP pack whose groups' capacities (and resistances) match best; text prints a map to build by, "
        "json one object, csv a row per cell",
        RunPack, [](CLI::App& sub, PackOptions& options) {
            CLI::Option* batch = sub.add_option("--batch", options.batch, "The cells of this batch")
                                     ->transform(NameRule(cells::NameKind::Batch))
                                     ->option_text("NAME");
            sub.add_option("--cells", options.cellsFile,
                           "The cells of this CSV: columns cell and capacity_mah, optionally resistance_mohm, "
                           "voltage_v, grade, pack and self_discharge, as `cells --format csv` writes them; cells "
                           "graded Reject, in a saved pack or suspected of self-discharge are left out as from a batch")
                ->check(FileNameError)
                ->option_text("FILE")
                ->excludes(batch);
            sub.add_option("--series,-s", options.series, "Groups in series")->required()->check(WholeNumber(1, 1000))->option_text("S");
            sub.add_option("--parallel,-p", options.parallel, "Cells in parallel in each group")
                ->required()
                ->check(WholeNumber(1, 1000))
                ->option_text("P");
            sub.add_option("--grades", options.grades,
                           "Only cells of these grades (default: every grade but the batch's reject grade)")
                ->delimiter(',')
                ->option_text("A,B");
            sub.add_option("--objective", options.objective,
                           "capacity: match the groups' capacities; balanced: their resistances as well (the "
                           "default when resistances are known)")
                ->check(CLI::IsMember({"capacity", "balanced"}))
                ->option_text("OBJECTIVE");
            sub.add_option("--seed", options.seed, "The search's seed: the same seed, the same pack (default 1)")
                ->check(WholeNumber(0, std::numeric_limits<long long>::max()))
                ->option_text("N");
            sub.add_option("--time-limit", options.timeLimit, "The longest search in seconds (default 2)")
                ->check(CLI::Range(0.001, 3600.0))
                ->option_text("SECONDS");
            sub.add_option("--max-group-voltage-spread", options.maxGroupVoltageSpread,
                           "The most the voltages of a group's cells may differ, in mV (default: any)")
                ->check(CLI::Range(0.0, 5000.0))
                ->option_text("MV");
            sub.add_flag("--include-suspects", options.includeSuspects,
                         "Take the self-discharge suspects as well (default: left out)");
            sub.add_option("--save", options.save, "Save the pack in the batch under this name (needs --batch)")
                ->option_text("NAME");
            AddDatabase(sub, options.db);
        });
}

} // namespace

std::variant<Invocation, int> ReadCommandLine(int argc, const char* const* argv)
{
    CLI::App app(Description, "voltaryn-cli");
    app.fallthrough();  // the global options may follow the subcommand
    app.require_subcommand(1);
    app.footer(ExitCodesHelp);
    Invocation invocation;
    AddGlobalOptions(app, invocation.options);
    AddMeterCommands(app, invocation.command);
    AddMemoryCommands(app, invocation.command);
    AddSettingCommands(app, invocation.command);
    AddComparatorCommands(app, invocation.command);
    AddCellCommands(app, invocation.command);
    AddStringCommands(app, invocation.command);
    AddQueueCommands(app, invocation.command);
    AddPackCommands(app, invocation.command);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return UsageExit(app, error);
    }
    return invocation;
}

} // namespace voltaryn::cli
