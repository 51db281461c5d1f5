#include "cli/MeterBackend.h"

#include "cli/CliError.h"

#ifdef VOLTARYN_WITH_HIDAPI
#include "link/HidapiBackend.h"
#endif

namespace voltaryn::cli {

MeterBackend::MeterBackend(const GlobalOptions& options, const RunClock& clock)
{
    if (options.demo) {
        backend_ = &demo_.emplace(options.demoOptions, clock).Backend();
        return;
    }
#ifdef VOLTARYN_WITH_HIDAPI
    hidapi_ = std::make_unique<HidapiBackend>();
    backend_ = hidapi_.get();
#else
    throw CliError(ExitCode::NoMeter, "this voltaryn-cli was built without hidapi and reaches only the --demo meter");
#endif
}

MeterBackend::~MeterBackend() = default;

} // namespace voltaryn::cli
