#include "outcomes/Outcome.h"

namespace voltaryn {

constexpr std::array<OutcomeEntry, OutcomeCount> OutcomeTable = {{
    {Outcome::NoMeter, OutcomePlace::CriticalBox,
     "No meter is connected.\nConnect the meter to a USB port with its cable and switch it on; the panel shows "
     "\"Connection\" as soon as it answers.",
     "no meter found", ExitCode::NoMeter},
    {Outcome::MemoryBusy, OutcomePlace::PlainBox, "Error loading in this mode,\nplease check out and try again.",
     "the meter records by itself (AM or INTV mode) and lends no memory now: leave that mode first",
     ExitCode::MeterFailed},
    {Outcome::NoReply, OutcomePlace::CriticalBox,
     "The meter did not answer; nothing was changed.\nCheck its cable and that it is switched on.",
     "the meter at {device} stopped answering", ExitCode::MeterFailed},
    {Outcome::NonsenseReply, OutcomePlace::CriticalBox, "The meter's answer makes no sense; nothing was changed.",
     "the meter's answer makes no sense", ExitCode::MeterFailed},
    {Outcome::NoSdCard, OutcomePlace::CriticalBox, "No SD Card !!!", "the meter has no SD card",
     ExitCode::MeterFailed},
    {Outcome::SdCardEmpty, OutcomePlace::CriticalBox, "No Data !!!", "", ExitCode::Success},
    {Outcome::SdListUnreadable, OutcomePlace::MessageLine, "The meter's file list could not be read to its end.",
     "the meter's SD card file list makes no sense", ExitCode::MeterFailed},
    {Outcome::SdListCut, OutcomePlace::MessageLine, "The meter stopped answering; the list is not complete.",
     "the meter stopped answering while it listed its SD card, after {n} files", ExitCode::MeterFailed},
    {Outcome::SdDownloadCut, OutcomePlace::MessageLine, "The meter stopped answering: {n} records were loaded.",
     "the meter stopped answering during the download, after {n} records", ExitCode::MeterFailed},
    {Outcome::ManualEmpty, OutcomePlace::CriticalBox, "No Data !!!", "", ExitCode::Success},
    {Outcome::ManualNoReply, OutcomePlace::CriticalBox, "The meter did not answer; nothing was loaded.",
     "the meter did not answer; nothing was loaded", ExitCode::MeterFailed},
    {Outcome::ManualCut, OutcomePlace::CriticalBox, "The meter stopped answering: {n} of {m} records were loaded.",
     "the meter stopped answering after {n} of {m} records", ExitCode::MeterFailed},
    {Outcome::ManualBadCount, OutcomePlace::CriticalBox, "The meter's record count makes no sense.",
     "the meter's record count makes no sense", ExitCode::MeterFailed},
    {Outcome::ComparatorCut, OutcomePlace::CriticalBox,
     "The meter stopped answering: {n} of 99 comparator entries were read, and only those are shown.",
     "the meter stopped answering after {n} of 99 entries", ExitCode::MeterFailed},
    {Outcome::ClockNoReply, OutcomePlace::MessageLine, "No answer", "the meter at {device} did not tell its time",
     ExitCode::MeterFailed},
    {Outcome::NonsenseData, OutcomePlace::CriticalBox, "The meter answered nonsense: {what}.",
     "the meter answered nonsense: {what}", ExitCode::MeterFailed},
}};

namespace {

constexpr bool InOutcomeOrder()
{
    for (std::size_t i = 0; i < OutcomeCount; ++i)
        if (static_cast<std::size_t>(OutcomeTable[i].outcome) != i)
            return false;
    return true;
}

std::string Fill(std::string_view text, const OutcomeReport& report)
{
    std::string filled;
    while (!text.empty()) {
        const std::size_t open = text.find('{');
        const std::size_t close = text.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos)
            break;
        filled += text.substr(0, open);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (name == "n")
            filled += std::to_string(report.n);
        else if (name == "m")
            filled += std::to_string(report.m);
        else if (name == "what")
            filled += report.what;
        else
            filled += report.device;
        text.remove_prefix(close + 1);
    }
    return filled + std::string(text);
}

} // namespace

const OutcomeEntry& EntryOf(Outcome outcome) { return OutcomeTable.at(static_cast<std::size_t>(outcome)); }

std::string GuiText(const OutcomeReport& report) { return Fill(EntryOf(report.outcome).gui, report); }

std::string CliText(const OutcomeReport& report) { return Fill(EntryOf(report.outcome).cli, report); }

std::optional<OutcomeReport> OutcomeOf(const ManualDownloadResult& result)
{
    switch (result.end) {
    case ManualDownloadEnd::Completed:
    case ManualDownloadEnd::Stopped:
        return std::nullopt;
    case ManualDownloadEnd::NoRecords:
        return OutcomeReport{Outcome::ManualEmpty};
    case ManualDownloadEnd::BadCount:
        return OutcomeReport{Outcome::ManualBadCount};
    case ManualDownloadEnd::Nonsense:
        return OutcomeReport{Outcome::NonsenseData, result.rowsDelivered, result.recordCount, {}, result.problem};
    case ManualDownloadEnd::NoReply:
        break;
    }
    if (result.recordCount == 0)
        return OutcomeReport{Outcome::ManualNoReply};
    return OutcomeReport{Outcome::ManualCut, result.rowsDelivered, result.recordCount};
}

std::optional<OutcomeReport> OutcomeOf(SdListingEnd end, int filesListed)
{
    // An erased block ends a listing as its last block does.
    if (end == SdListingEnd::Unreadable)
        return OutcomeReport{Outcome::SdListUnreadable, filesListed};
    if (end == SdListingEnd::NoReply)
        return OutcomeReport{Outcome::SdListCut, filesListed};
    return std::nullopt;
}

std::optional<OutcomeReport> OutcomeOf(SdDownloadEnd end, int recordsLoaded, const std::string& problem)
{
    if (end == SdDownloadEnd::Nonsense)
        return OutcomeReport{Outcome::NonsenseData, recordsLoaded, 0, {}, problem};
    if (end == SdDownloadEnd::NoReply)
        return OutcomeReport{Outcome::SdDownloadCut, recordsLoaded};
    return std::nullopt;
}

std::optional<OutcomeReport> OutcomeOf(const ComparatorLoadResult& result)
{
    if (result.Complete())
        return std::nullopt;
    return OutcomeReport{Outcome::ComparatorCut, result.entriesRead};
}

static_assert(InOutcomeOrder(), "OutcomeTable lists every outcome once, in the order of the enumeration");

} // namespace voltaryn
