#pragma once

#include "link/Answer.h"
#include "memory/ManualDownload.h"
#include "meter/MeterReading.h"
#include "ui/common/DialogService.h"

namespace voltaryn {

// Whether the meter is connected. When it is not, says so, and how to connect one, so that an
// action that needs the meter ends with one plain message and does nothing else.
inline bool RequireMeter(const MeterReading& reading, DialogService& dialogs, QWidget* parent)
{
    if (reading.MeterConnected)
        return true;
    dialogs.ShowMessage(parent, MessageIcon::Critical,
                        QStringLiteral("No meter is connected.\nConnect the meter to a USB port with its cable and "
                                       "switch it on; the panel shows \"Connection\" as soon as it answers."));
    return false;
}

// Whether the meter's memory can be read now: the meter is connected and neither records on its
// own (AM) nor at intervals (INTV). When it cannot, says why.
inline bool ReadyForMemoryDownload(const MeterReading& reading, DialogService& dialogs, QWidget* parent)
{
    if (!RequireMeter(reading, dialogs, parent))
        return false;
    if (MemoryReadable(reading))
        return true;
    dialogs.ShowMessage(parent, MessageIcon::None, "Error loading in this mode,\nplease check out and try again.");
    return false;
}

// Whether the meter answered this request with something that can be used. When it did not,
// says why; the caller then changes nothing.
template <typename T>
bool UsableAnswer(const Answer<T>& answer, DialogService& dialogs, QWidget* parent)
{
    if (answer.Fresh())
        return true;
    dialogs.ShowMessage(parent, MessageIcon::Critical,
                        answer.source == ReplySource::Invalid
                            ? QStringLiteral("The meter's answer makes no sense; nothing was changed.")
                            : QStringLiteral("The meter did not answer; nothing was changed.\nCheck its cable and "
                                             "that it is switched on."));
    return false;
}

} // namespace voltaryn
