#include "cli/RunCli.h"

#include "cli/Command.h"
#include "cli/DemoMeters.h"
#include "cli/MeterBackend.h"

#include <ctime>
#include <iostream>
#include <iomanip>
#include <map>
#include <sstream>

namespace voltaryn::cli {
namespace {

constexpr const char* Description =
    "voltaryn-cli: the battery analyser meter from scripts. It reads, records, downloads and sets the meter "
    "without a window; records go to the standard output, errors to the error output, one line each.";

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

void AddGlobalOptions(CLI::App& app, GlobalOptions& options)
{
    app.set_version_flag("--version", std::string("voltaryn-cli ") + VOLTARYN_VERSION);
    CLI::Option* demoFlag =
        app.add_flag("--demo", options.demo, "Talk to the built-in simulated meter instead of a real one");
    app.add_option("--device", options.device,
                   "The meter's hidraw path, as `devices` lists it (default: the first meter found)")
        ->option_text("PATH");
    app.add_option_function<std::string>(
           "--format", [&options](const std::string& name) { options.format = Formats.at(name); },
           "Output format: text (the default), tsv, csv or json (JSON Lines)")
        ->transform(CLI::IsMember(Formats, CLI::ignore_case).description(""))
        ->option_text("FORMAT");

    const std::string demo = "Demo";
    DemoOptions& knobs = options.demoOptions;
    app.add_option("--demo-meters", knobs.meters, "With --demo: the number of simulated meters (1 to 8)")
        ->check(CLI::Range(1, 8))
        ->needs(demoFlag)
        ->option_text("N")
        ->group(demo);
    app.add_option("--demo-fault", knobs.faults, std::string("With --demo: a fault to inject: ") + DemoFaultsHelp)
        ->check([](const std::string& text) { return DemoFaultError(text).value_or(""); })
        ->needs(demoFlag)
        ->option_text("FAULT")
        ->group(demo);
    app.add_option_function<std::string>(
           "--demo-time",
           [&knobs](const std::string& text) { knobs.simulatedStart = LocalMoment(text); },
           "With --demo: a simulated clock from this local time (YYYY-MM-DDThh:mm:ss) on, on which waits take no "
           "real time")
        ->check([](const std::string& text) {
            return LocalMoment(text) ? std::string() : "not a time of the form YYYY-MM-DDThh:mm:ss: " + text;
        })
        ->needs(demoFlag)
        ->option_text("TIME")
        ->group(demo);
}

// --help and --version end the run as a success; anything else wrong on the command line is a
// usage error told in one line.
int UsageExit(const CLI::App& app, const CLI::ParseError& error)
{
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
        return app.exit(error);
    // A misspelt subcommand is left over, and only the want of a subcommand is reported.
    const std::vector<std::string> unknown = app.remaining();
    const bool misspelt = dynamic_cast<const CLI::RequiredError*>(&error) != nullptr && !unknown.empty();
    const std::string message = misspelt ? "unknown command \"" + unknown.front() + '"' : error.what();
    std::cerr << "voltaryn-cli: " << message << " (see voltaryn-cli --help)\n";
    return static_cast<int>(ExitCode::Usage);
}

int RunCommand(const Command& command, const GlobalOptions& options)
{
    RunClock clock(options.demoOptions.simulatedStart);
    MeterBackend backend(options, clock);
    MeterAccess meter(backend.Backend(), options.device);
    Output output(std::cout, options.format);
    CommandContext context{clock, meter, output};
    try {
        command(context);
    } catch (const CliError& error) {
        output.End();  // what was read before stands
        throw;
    }
    output.End();
    return static_cast<int>(ExitCode::Success);
}

} // namespace

int RunCli(int argc, const char* const* argv)
{
    CLI::App app(Description, "voltaryn-cli");
    app.fallthrough();  // the global options may follow the subcommand
    app.require_subcommand(1);
    app.footer(ExitCodesHelp);
    GlobalOptions options;
    AddGlobalOptions(app, options);
    Command command;
    AddDeviceCommands(app, command);
    AddReadCommand(app, command);
    AddRecordCommand(app, command);
    AddMemoryCommands(app, command);
    AddSettingCommands(app, command);
    AddComparatorCommands(app, command);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return UsageExit(app, error);
    }

    try {
        return RunCommand(command, options);
    } catch (const CliError& error) {
        if (error.Code() != ExitCode::Success)
            std::cerr << "voltaryn-cli: " << error.what() << '\n';
        return static_cast<int>(error.Code());
    }
}

} // namespace voltaryn::cli
