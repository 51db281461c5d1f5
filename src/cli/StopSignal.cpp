#include "cli/StopSignal.h"

#include <csignal>

namespace voltaryn::cli {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int /*signal*/) { stopRequested = 1; }

} // namespace

void CatchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    action.sa_flags = SA_RESTART;  // writes to the output and to files go on; waits end early
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopRequested() { return stopRequested != 0; }

} // namespace voltaryn::cli
