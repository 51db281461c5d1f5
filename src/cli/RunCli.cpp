#include "cli/RunCli.h"

#include "cli/CommandLine.h"
#include "cli/MeterBackend.h"
#include "files/FileStatus.h"

#include <iostream>

namespace voltaryn::cli {
namespace {

void RunCommand(const Invocation& invocation)
{
    const GlobalOptions& options = invocation.options;
    RunClock clock(SimulatedClockStart(options.demoOptions));
    MeterBackend backend(options, clock);
    MeterAccess meter(backend.Backend(), options.device);
    Output output(std::cout, FormatFor(options.format, "-"));
    CommandContext context{clock, meter, output, options.format};
    try {
        invocation.command(context);
    } catch (const CliError&) {
        output.End();  // what was read before stands
        throw;
    } catch (const FileUnreadable& unreadable) {
        output.End();
        throw CliError(ExitCode::FileFailed, unreadable.what());
    }
    output.End();
}

} // namespace

int RunCli(int argc, const char* const* argv)
{
    std::variant<Invocation, int> invocation = ReadCommandLine(argc, argv);
    if (const int* exitCode = std::get_if<int>(&invocation))
        return *exitCode;
    try {
        RunCommand(std::get<Invocation>(invocation));
        return static_cast<int>(ExitCode::Success);
    } catch (const CliError& error) {
        if (error.Code() != ExitCode::Success)
            std::cerr << "voltaryn-cli: " << error.what() << '\n';
        return static_cast<int>(error.Code());
    }
}

} // namespace voltaryn::cli
