#pragma once

#include <string>

namespace voltaryn::cli {

// A line on the error output that tells how far a long command is, rewritten in place. It shows
// only on a terminal: piped or redirected, the error output carries errors alone.
class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine() { Finish(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool Shown() const { return shown_; }
    void Show(const std::string& text);
    // Ends the line, so that what follows starts on a line of its own.
    void Finish();

private:
    bool shown_;
    bool used_ = false;
};

} // namespace voltaryn::cli
