#include "cli/ProgressLine.h"

#include <iostream>
#include <unistd.h>

namespace voltaryn::cli {

ProgressLine::ProgressLine() : shown_(::isatty(STDERR_FILENO) == 1) {}

void ProgressLine::Show(const std::string& text)
{
    if (!shown_)
        return;
    used_ = true;
    std::cerr << '\r' << text << "\033[K" << std::flush;
}

void ProgressLine::Finish()
{
    if (used_)
        std::cerr << '\n';
    used_ = false;
}

} // namespace voltaryn::cli
