#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace voltaryn::fuzz {

using TargetFunction = int (*)(const std::uint8_t* data, std::size_t size);

// The replay program's targets by name.
inline std::map<std::string, TargetFunction>& Targets()
{
    static std::map<std::string, TargetFunction> targets;
    return targets;
}

inline bool RegisterTarget(const char* name, TargetFunction function)
{
    Targets().emplace(name, function);
    return true;
}

} // namespace voltaryn::fuzz

// Opens a fuzz target's body: libFuzzer's entry in a fuzzing build, or, in the one replay program
// that holds every target, a function registered under the target's name.
#ifdef VOLTARYN_FUZZ_REPLAY
#define VOLTARYN_FUZZ_TARGET(name)                                                                     \
    static int name##FuzzOne(const std::uint8_t* data, std::size_t size);                            \
    [[maybe_unused]] static const bool name##FuzzRegistered = voltaryn::fuzz::RegisterTarget(#name, name##FuzzOne); \
    static int name##FuzzOne(const std::uint8_t* data, std::size_t size)
#else
#define VOLTARYN_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#endif
