#pragma once

#include <string>

namespace voltaryn::monkey {

// Makes a crash, or a sanitizer's report, end with `command`: the one that replays the seed
// running then. Call again for each seed.
void SetCrashReplay(const std::string& command);

} // namespace voltaryn::monkey
