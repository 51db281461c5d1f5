#include "recording/RecorderEnd.h"

#include "recording/Recorder.h"

namespace voltaryn {
namespace {

std::string Counted(int count, const std::string& noun)
{
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

// A range or unit as the user knows it; the meter's own spelling of Fahrenheit is kept in files.
std::string Setting(const std::string& text)
{
    if (text.empty())
        return "none";
    return text == "Fahrenheih" ? "Fahrenheit" : text;
}

std::string Why(const RecorderEnd& end)
{
    const std::string change = " changed (" + Setting(end.before) + " to " + Setting(end.after) + ')';
    switch (end.cause) {
    case RecorderEnd::Cause::RangeChanged:
        return ": the range" + change;
    case RecorderEnd::Cause::TempUnitChanged:
        return ": the temperature unit" + change;
    case RecorderEnd::Cause::RecordLimit:
        return ": the limit of " + std::to_string(Recorder::MaxRecords) + " records was reached";
    case RecorderEnd::Cause::Stopped:
        break;
    }
    return {};
}

std::string WhatRemains(const RecorderEnd& end)
{
    if (end.what == RecorderEnd::What::LiveList)
        return Counted(end.records, "row") + " in the live list";
    std::string text = Counted(end.records, "record") + " in " + end.fileName;
    if (end.unwrittenRecords > 0)
        text += "; " + std::to_string(end.unwrittenRecords) + " more could not be written: " + end.error;
    else if (!end.error.empty())
        text += "; the file could not be closed: " + end.error;
    return text;
}

} // namespace

std::string RecorderEndNotice(const RecorderEnd& end)
{
    const bool recording = end.what == RecorderEnd::What::Recording;
    const bool stopped = end.cause == RecorderEnd::Cause::Stopped;
    return std::string(recording ? "Recording" : "Live list") + (stopped ? " stopped" : " ended") + " at "
           + end.time + Why(end) + ". " + WhatRemains(end) + '.';
}

} // namespace voltaryn
