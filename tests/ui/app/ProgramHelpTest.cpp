// The program started from a terminal that has no display: what needs no window still works.
#include <gmock/gmock.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace voltaryn {
namespace {

struct Ended {
    int exitCode;  // -1 when the program did not exit on its own (it aborted)
    std::string out;
};

// The program with `arguments`, the X11 platform asked for and no display to reach.
Ended WithoutDisplay(const std::string& arguments)
{
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" VOLTARYN_PROGRAM "' "
                                + arguments + " 2>/dev/null";
    Ended run{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    for (char buffer[4096]; const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe);)
        run.out.append(buffer, read);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ProgramWithoutDisplay, HelpAndVersionArePrinted)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--help", "--demo-cells <seed>"},
        {"--help", "--demo-blocks <blocks>"},
        {"-h --demo", "--reset-settings"},
        {"--help-all", "--db <address>"},
        {"--version", "Voltaryn "},
    };
    for (const auto& [arguments, shown] : cases) {
        const Ended run = WithoutDisplay(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments;
        EXPECT_THAT(run.out, ::testing::HasSubstr(shown)) << arguments;
    }
}

} // namespace
} // namespace voltaryn
