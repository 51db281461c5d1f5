#pragma once

#include "link/Answer.h"
#include "ui/common/DialogService.h"

namespace voltaryn {

// Whether a query's answer can be used. When it cannot, says why in a message box: the meter
// did not answer, or answered something that makes no sense.
template <typename T>
bool UsableAnswer(const Answer<T>& answer, DialogService& dialogs, QWidget* parent)
{
    if (answer.value)
        return true;
    dialogs.ShowMessage(parent, MessageIcon::Critical,
                        answer.source == ReplySource::Invalid
                            ? QStringLiteral("The meter's answer could not be used: it makes no sense.")
                            : QStringLiteral("The meter's answer could not be used: the meter has not answered."));
    return false;
}

} // namespace voltaryn
