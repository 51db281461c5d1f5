#pragma once

namespace voltaryn::cli {

// Ctrl-C (SIGINT) and SIGTERM ask a running command to stop; the handler only raises a flag,
// which the command's loop reads between two steps and then ends cleanly.
void CatchStopSignals();
bool StopRequested();

} // namespace voltaryn::cli
