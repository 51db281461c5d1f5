#pragma once

#include "cli/MeterAccess.h"
#include "cli/Output.h"
#include "cli/RunClock.h"
#include "common/EventPump.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace voltaryn::cli {

// What a subcommand works with.
struct CommandContext {
    RunClock& clock;
    MeterAccess& meter;  // not connected yet: a command connects when it needs the meter
    Output& output;
};

// A subcommand's work, with its options bound. It throws a CliError for anything that fails.
using Command = std::function<void(CommandContext&)>;

// Adds the subcommand `name` to `parent`; when the command line names it, `command` becomes
// `run` called with the options that `bind` adds to it.
template <typename Options>
CLI::App* AddCommand(CLI::App& parent, Command& command, const std::string& name, const std::string& description,
                     void (*run)(CommandContext&, const Options&),
                     const std::type_identity_t<std::function<void(CLI::App&, Options&)>>& bind = {})
{
    CLI::App* sub = parent.add_subcommand(name, description);
    auto options = std::make_shared<Options>();
    if (bind)
        bind(*sub, *options);
    sub->callback(
        [&command, options, run] { command = [options, run](CommandContext& context) { run(context, *options); }; });
    return sub;
}

// A subcommand without options of its own.
struct NoOptions {};

// Long transfers let pending events run between two steps; a command line has none.
struct NoEvents : EventPump {
    void LetEventsRun() override {}
};

// Each adds its group of subcommands.
void AddDeviceCommands(CLI::App& app, Command& command);    // devices, info, key
void AddReadCommand(CLI::App& app, Command& command);       // read
void AddRecordCommand(CLI::App& app, Command& command);     // record
void AddMemoryCommands(CLI::App& app, Command& command);    // memory, sd, erase
void AddSettingCommands(CLI::App& app, Command& command);   // clock, interval, average
void AddComparatorCommands(CLI::App& app, Command& command);

} // namespace voltaryn::cli
