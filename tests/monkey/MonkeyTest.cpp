#include "monkey/Monkey.h"

#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace voltaryn::monkey {
namespace {

std::array<char, 1024> replay{};

void Write(const char* text) { [[maybe_unused]] const auto written = write(STDERR_FILENO, text, std::strlen(text)); }

// Only what is safe inside a signal handler: no allocation, no stdio.
void TellReplay()
{
    std::array<char, 16> digits{};
    int step = Monkey::CurrentStep();
    std::size_t at = digits.size() - 1;
    do {
        digits[--at] = static_cast<char>('0' + step % 10);
        step /= 10;
    } while (step > 0 && at > 0);
    Write("\nmonkey: died at step ");
    Write(&digits[at]);
    Write("; replay with:\n  ");
    Write(replay.data());
    Write("\n");
}

void OnCrash(int signal)
{
    TellReplay();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Makes a crash, or a sanitizer's report, end with `command`: the one that replays the seed
// running then. Call again for each seed.
void SetCrashReplay(const std::string& command)
{
    static const bool armed = [] {
        for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
            std::signal(signal, OnCrash);
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(TellReplay);
#endif
        return true;
    }();
    static_cast<void>(armed);
    std::strncpy(replay.data(), command.c_str(), replay.size() - 1);
}

struct SeedRun {
    std::uint64_t seed;
    int steps;
};

// The seed set of the test run: a few plain seeds, then seeds that once found a fault, each with
// the steps it needed.
const SeedRun DefaultRuns[] = {
    {1, 300}, {2, 300}, {3, 300}, {4, 300}, {5, 300}, {6, 300}, {7, 300}, {8, 300},
    {686, 435},  // SDcard clicked again while the listing let events run: two Memory windows
    {327, 409},  // a garbled display's line breaks split a recorded line
};

// The offscreen platform's notes on windows shown and raised say nothing about the program.
const QtMessageHandler qtMessages = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                                              const QString& text) {
    if (!text.startsWith("This plugin does not support"))
        qtMessages(type, context, text);
});

std::optional<std::string> Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
}

// MONKEY_TRACE=1 prints each step, MONKEY_KEEP=1 keeps the recordings. MONKEY_SEED=n runs one seed, MONKEY_SEEDS=a-b a range of them, each MONKEY_STEPS steps (500 unless
// told); with none of them set, the default seed set runs.
std::vector<SeedRun> RunsAsked()
{
    const int steps = std::stoi(Environment("MONKEY_STEPS").value_or("500"));
    std::vector<SeedRun> runs;
    if (const auto seed = Environment("MONKEY_SEED")) {
        runs.push_back({std::stoull(*seed), steps});
    } else if (const auto seeds = Environment("MONKEY_SEEDS")) {
        const std::size_t dash = seeds->find('-');
        const std::uint64_t first = std::stoull(seeds->substr(0, dash));
        const std::uint64_t last = dash == std::string::npos ? first : std::stoull(seeds->substr(dash + 1));
        for (std::uint64_t seed = first; seed <= last; ++seed)
            runs.push_back({seed, steps});
    } else {
        for (const SeedRun& run : DefaultRuns)
            runs.push_back(Environment("MONKEY_STEPS") ? SeedRun{run.seed, steps} : run);
    }
    return runs;
}

std::string ReplayCommand(const SeedRun& run)
{
    return "QT_QPA_PLATFORM=offscreen MONKEY_SEED=" + std::to_string(run.seed) +
           " MONKEY_STEPS=" + std::to_string(run.steps) + " " +
           std::filesystem::read_symlink("/proc/self/exe").string() + "   (or: make monkey SEED=" +
           std::to_string(run.seed) + " STEPS=" + std::to_string(run.steps) + ")";
}

TEST(Monkey, RandomStepsKeepThePollRunningOneWindowPerJobAndRecordingFilesWhole)
{
    const std::vector<SeedRun> runs = RunsAsked();
    long steps = 0;
    int failures = 0;
    const Monkey::Options options{.trace = Environment("MONKEY_TRACE").has_value(),
                                  .keepFiles = Environment("MONKEY_KEEP").has_value()};
    for (const SeedRun& run : runs) {
        SetCrashReplay(ReplayCommand(run));
        const std::optional<MonkeyFailure> failure = Monkey(run.seed, options).Run(run.steps);
        steps += failure && failure->step > 0 ? failure->step : run.steps;
        if (failure) {
            ++failures;
            ADD_FAILURE() << "seed " << run.seed << ", step " << failure->step << " (" << failure->action
                          << "): " << failure->fault << "\n  replay with: " << ReplayCommand(run);
        }
    }
    std::cout << "monkey: " << runs.size() << " seeds, " << steps << " steps, " << failures << " failing\n";
}

// The read-back the monkey trusts: whole, numbered records pass, anything else is named.
TEST(RecordingFileCheck, FindsPartialLinesAndBrokenNumbering)
{
    const std::string header = "No.s\tTime\tV\r\n";
    const std::pair<std::string, std::string> files[] = {  // the file, its fault
        {"", ""},
        {header, ""},
        {header + "1\t10:00:01\t1.0\r\n2\t10:00:02\t1.0\r\n", ""},
        {header + "1\t10:00:01\t1.0\r\n2\t10:00", "ends in a partial line"},
        {header + "1\t10:00:01\t1.0\r\n3\t10:00:03\t1.0\r\n", "record 2 reads \"3\t10:00:03\t1.0\""},
        {header + "1\t10:00:01\t1.0\r\n\r\n", "record 2 reads \"\""},
        {"1\t10:00:01\t1.0\r\n", "does not start with its header"},
    };
    const QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("bench.txt").toStdString();
    for (const auto& [text, fault] : files) {
        std::ofstream(file, std::ios::binary) << text;
        EXPECT_EQ(RecordingFileFault(file), fault) << text;
    }
}

} // namespace
} // namespace voltaryn::monkey
