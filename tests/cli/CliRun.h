#pragma once

// voltaryn-cli started as a script starts it: the real binary, its output and errors caught in
// files of a test's folder.
#include "common/TempFolder.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace voltaryn {

using Args = std::vector<std::string>;
using testing::FileBytes;
using testing::TempFolder;

// The simulated clock of these runs, so that the meter's readings are known.
inline const std::string DemoTime = "2024-03-15T10:00:00";

inline std::chrono::system_clock::time_point DemoStart()
{
    std::tm local{};
    std::istringstream(DemoTime) >> std::get_time(&local, "%Y-%m-%dT%H:%M:%S");
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

// The CLI started with its output and errors going to files of the test's folder, and its input
// read from `input`.
class CliProcess {
public:
    CliProcess(const TempFolder& folder, const Args& args, const std::string& input = "/dev/null",
               const Args& launcher = {})
        : CliProcess(folder / "out", folder / "err", args, input, launcher)
    {
    }
    // The same, with its output and errors in the files named; a launcher's words, when given,
    // start the CLI (its first word is the program run).
    CliProcess(std::filesystem::path out, std::filesystem::path err, const Args& args,
               const std::string& input = "/dev/null", Args launcher = {})
        : out_(std::move(out)), err_(std::move(err))
    {
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> words = std::move(launcher);
        words.push_back(VOLTARYN_CLI);
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, argv.front(), &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
    }

    void Signal(int signal) const { ::kill(pid_, signal); }
    // Waits for the end; the exit code, or -1 when the CLI did not exit on its own.
    int Wait() const
    {
        if (!status_)
            ::waitpid(pid_, &status_.emplace(), 0);
        return WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1;
    }
    // Whether the CLI still runs, without waiting.
    bool Running() const
    {
        int status = 0;
        if (!status_ && ::waitpid(pid_, &status, WNOHANG) == pid_)
            status_ = status;
        return !status_;
    }
    std::string Out() const { return FileBytes(out_); }
    std::string Err() const { return FileBytes(err_); }

private:
    std::filesystem::path out_;
    std::filesystem::path err_;
    pid_t pid_ = 0;
    mutable std::optional<int> status_;  // once waited for
};

struct Finished {
    int exitCode;
    std::string out;
    std::string err;
};

inline Finished RunCli(const TempFolder& folder, const Args& args, const std::string& input = "/dev/null",
                       const Args& launcher = {})
{
    const CliProcess cli(folder, args, input, launcher);
    const int exitCode = cli.Wait();
    return {exitCode, cli.Out(), cli.Err()};
}

inline void Write(const std::filesystem::path& file, const std::string& text) { std::ofstream(file) << text; }

// The arguments of `head`, then those of `tail`.
inline Args Join(Args head, const Args& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// What a run that must succeed writes on the standard output.
inline std::string OutputOf(const TempFolder& folder, const Args& args, const std::string& input = "/dev/null")
{
    const Finished run = RunCli(folder, args, input);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

// A run the CLI must refuse: its exit code and a part of what it tells on the error output.
struct Refusal {
    Args args;
    int exitCode;
    std::string error;
};

// Runs each refusal with `prefix` ahead of its arguments and checks its exit code and message;
// returns the runs for what else a test checks of them.
inline std::vector<Finished> ExpectRefusals(const TempFolder& folder, const Args& prefix,
                                            const std::vector<Refusal>& refusals)
{
    std::vector<Finished> runs;
    for (const Refusal& refusal : refusals) {
        const Finished& run = runs.emplace_back(RunCli(folder, Join(prefix, refusal.args)));
        EXPECT_EQ(run.exitCode, refusal.exitCode) << refusal.error << ": " << run.err;
        EXPECT_THAT(run.err, ::testing::HasSubstr(refusal.error));
    }
    return runs;
}

inline Args Demo(const Args& args) { return Join({"--demo", "--demo-time", DemoTime}, args); }
// The same with the simulated cell bench on the probes.
inline Args CellBench(const Args& args) { return Join({"--demo-cells", "--demo-time", DemoTime}, args); }

// A database in `folder` with `batch` of `count` cells from the simulated cell bench, named #0001,
// #0002, ...
inline std::string SortedBatch(const TempFolder& folder, int count, const std::string& batch = "lot")
{
    const std::string db = "sqlite://" + (folder / "cells.db").string();
    OutputOf(folder, CellBench({"sort", "--batch", batch, "--db", db, "--count", std::to_string(count)}));
    return db;
}

// The name a cell gets by its number: #0001, #0002, ...
inline std::string CellName(long long number)
{
    return (std::ostringstream() << '#' << std::setw(4) << std::setfill('0') << number).str();
}

// A time the CLI prints (ISO 8601 UTC, with milliseconds) in milliseconds since the epoch.
inline long long UtcMs(const std::string& iso)
{
    std::tm utc{};
    int ms = 0;
    std::istringstream in(iso);
    in >> std::get_time(&utc, "%Y-%m-%dT%H:%M:%S");
    in.ignore(1) >> ms;
    return static_cast<long long>(timegm(&utc)) * 1000 + ms;
}

// The text of a PDF file, as pdftotext reads it.
inline std::string PdfText(const std::filesystem::path& pdf)
{
    std::string text;
    if (FILE* pipe = ::popen(("pdftotext '" + pdf.string() + "' -").c_str(), "r")) {
        for (char buffer[4096]; const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe);)
            text.append(buffer, read);
        ::pclose(pipe);
    }
    return text;
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Each line of a JSON lines output, parsed.
inline std::vector<nlohmann::json> JsonLines(const std::string& text)
{
    std::vector<nlohmann::json> objects;
    for (const std::string& line : Lines(text))
        objects.push_back(nlohmann::json::parse(line));
    return objects;
}

} // namespace voltaryn
