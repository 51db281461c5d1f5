#pragma once

namespace voltaryn::cli {

// Ctrl-C (SIGINT) and SIGTERM ask a command that runs until stopped (read, record) to stop: once
// it catches them, the handler only raises a flag, which its loop reads between two steps before
// it ends cleanly. Any other command ends at once, as programs do.
void CatchStopSignals();
bool StopRequested();

} // namespace voltaryn::cli
