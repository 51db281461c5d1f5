#pragma once

#include "meter/MeterReading.h"
#include "outcomes/Outcome.h"
#include "ui/common/DialogService.h"

#include <QString>

#include <functional>
#include <optional>

namespace voltaryn {

// Shows an outcome of an exchange with the meter as the window tells it: in a message box, or on
// the message line of the window the transfer fills (`showOnLine`), when it has one.
void ShowOutcome(const OutcomeReport& report, DialogService& dialogs, QWidget* parent,
                 const std::function<void(const QString&)>& showOnLine = {});

// Shows the outcome if there is one, and says whether there was.
bool ShowIfAny(const std::optional<OutcomeReport>& outcome, DialogService& dialogs, QWidget* parent,
               const std::function<void(const QString&)>& showOnLine = {});

// Whether the meter is connected. When it is not, says so, and how to connect one, so that an
// action that needs the meter ends with one plain message and does nothing else.
bool RequireMeter(const MeterReading& reading, DialogService& dialogs, QWidget* parent);

// Whether the meter's memory can be read now: the meter is connected and neither records on its
// own (AM) nor at intervals (INTV). When it cannot, says why.
bool ReadyForMemoryDownload(const MeterReading& reading, DialogService& dialogs, QWidget* parent);

// Whether the meter answered this request with something that can be used. When it did not,
// says why; the caller then changes nothing.
template <typename T>
bool UsableAnswer(const Answer<T>& answer, DialogService& dialogs, QWidget* parent)
{
    return !ShowIfAny(OutcomeOf(answer), dialogs, parent);
}

} // namespace voltaryn
