#pragma once

#include "link/Answer.h"
#include "memory/ManualDownload.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"
#include "outcomes/ExitCode.h"
#include "settings/ComparatorLoad.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace voltaryn {

// Every way an exchange with the meter can end short of what was asked.
enum class Outcome {
    NoMeter,           // no meter is connected
    MemoryBusy,        // the meter records by itself (AM) or at intervals (INTV) and lends no memory
    NoReply,           // a request got no reply
    NonsenseReply,     // a reply makes no sense
    NoSdCard,          // the meter has no SD card
    SdCardEmpty,       // the card holds no file
    SdListUnreadable,  // a block of the card's file list ran past its report
    SdListCut,         // the meter stopped answering during the listing; {n} files listed
    SdDownloadCut,     // the meter stopped answering during a download; {n} records loaded
    ManualEmpty,       // the meter's memory holds no manual record
    ManualNoReply,     // the meter did not answer the first request of the download
    ManualCut,         // the meter stopped answering after {n} of {m} records
    ManualBadCount,    // the record count makes no sense
    ComparatorCut,     // the meter stopped answering after {n} of 99 entries
    ClockNoReply,      // the meter did not tell its time
    NonsenseData,      // a reply that should carry data fails its check: {what} tells what and where
};
inline constexpr std::size_t OutcomeCount = 16;

// Where the desktop program shows an outcome: in a message box with or without the critical
// icon, or on the message line of the list or panel the transfer fills.
enum class OutcomePlace { CriticalBox, PlainBox, MessageLine };

// One outcome as each surface tells it, in its own style: the desktop program in sentences, the
// command line in one lower-case line with an exit code (Success: the command carries on). "{n}",
// "{m}", "{device}" and "{what}" stand for the figures, the meter's path and what was wrong.
struct OutcomeEntry {
    Outcome outcome;
    OutcomePlace place;
    std::string_view gui;
    std::string_view cli;
    ExitCode exitCode;
};

extern const std::array<OutcomeEntry, OutcomeCount> OutcomeTable;

// An outcome with its figures.
struct OutcomeReport {
    OutcomeReport(Outcome kind, int first = 0, int second = 0, std::string path = {}, std::string problem = {})
        : outcome(kind), n(first), m(second), device(std::move(path)), what(std::move(problem))
    {
    }
    Outcome outcome;
    int n;
    int m;
    std::string device;  // the command line's meter path
    std::string what;    // what a reply got wrong, and where
};

const OutcomeEntry& EntryOf(Outcome outcome);
std::string GuiText(const OutcomeReport& report);
std::string CliText(const OutcomeReport& report);

// How each transfer ended, as an outcome; none when it did all that was asked.
std::optional<OutcomeReport> OutcomeOf(const ManualDownloadResult& result);
std::optional<OutcomeReport> OutcomeOf(SdListingEnd end, int filesListed);
std::optional<OutcomeReport> OutcomeOf(SdDownloadEnd end, int recordsLoaded, const std::string& problem = {});
std::optional<OutcomeReport> OutcomeOf(const ComparatorLoadResult& result);

// A query's answer: none when the meter answered this request with something usable.
template <typename T>
std::optional<OutcomeReport> OutcomeOf(const Answer<T>& answer)
{
    if (answer.Fresh())
        return std::nullopt;
    return OutcomeReport{answer.source == ReplySource::Invalid ? Outcome::NonsenseReply : Outcome::NoReply};
}

} // namespace voltaryn
