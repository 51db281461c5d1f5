#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// A barcode scanner types its code as a burst: MinLength or more printable characters, each at
// most MaxGap after the one before, ended by Enter just as fast. A person types slower.
struct ScanBurstRule {
    std::chrono::milliseconds MaxGap{40};
    int MinLength = 4;
};

enum class ScanKey {
    Printable,  // a character, without Ctrl, Alt or a repeat
    Enter,
    Other,
};

// What to do with one key press.
struct ScanStep {
    bool ReleaseHeld = false;          // the keys held back were a person's: deliver them as typed
    bool Hold = false;                 // hold this key back: it may belong to a scan
    std::optional<std::string> Code;   // this Enter ended a scan of this code; the Enter goes nowhere
};

// Follows the key presses outside the field a scanner types into and tells which of them are a scan.
class ScanBurst {
public:
    explicit ScanBurst(ScanBurstRule rule = {}) : rule_(rule) {}

    ScanStep Press(std::chrono::milliseconds at, ScanKey key, std::string_view text = {});
    // The held keys were delivered after all: a pause ended them.
    void Drop();

private:
    ScanBurstRule rule_;
    std::string held_;
    int count_ = 0;
    std::chrono::milliseconds last_{};
};

} // namespace voltaryn::cells
