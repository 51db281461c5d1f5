#include "monkey/Monkey.h"

#include <array>
#include <csignal>
#include <cstring>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace voltaryn::monkey {
namespace {

std::array<char, 1024> replay{};

void Write(const char* text) { [[maybe_unused]] const auto written = write(STDERR_FILENO, text, std::strlen(text)); }

// Only what is safe inside a signal handler: no allocation, no stdio.
void TellReplay()
{
    std::array<char, 16> digits{};
    int step = Monkey::CurrentStep();
    std::size_t at = digits.size() - 1;
    do {
        digits[--at] = static_cast<char>('0' + step % 10);
        step /= 10;
    } while (step > 0 && at > 0);
    Write("\nmonkey: died at step ");
    Write(&digits[at]);
    Write("; replay with:\n  ");
    Write(replay.data());
    Write("\n");
}

void OnCrash(int signal)
{
    TellReplay();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void SetCrashReplay(const std::string& command)
{
    static const bool armed = [] {
        for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
            std::signal(signal, OnCrash);
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(TellReplay);
#endif
        return true;
    }();
    static_cast<void>(armed);
    std::strncpy(replay.data(), command.c_str(), replay.size() - 1);
}

} // namespace voltaryn::monkey
