#pragma once

#include "common/EventPump.h"
#include "recording/RunControl.h"
#include "ui/common/DialogService.h"
#include "ui/common/TransferProgress.h"

class QWidget;

namespace voltaryn {

// What every feature flow is handed besides the state it works on: the dialogs, the event pump
// for long loops, the heartbeat's pauses to stop the poll around its exchanges, and the main
// window, which parents its dialogs and windows. The pump is the transfers' progress itself, so a long
// transfer shows in the status bar and stops when the user cancels it.
struct FeatureContext {
    DialogService& dialogs;
    EventPump& pump;
    RunControl& run;
    QWidget& mainWindow;
    TransferProgress& transfers;
};

} // namespace voltaryn
