#include "cells/ScanBurst.h"

namespace voltaryn::cells {

ScanStep ScanBurst::Press(std::chrono::milliseconds at, ScanKey key, std::string_view text)
{
    const bool quick = count_ > 0 && at - last_ <= rule_.MaxGap;
    ScanStep step;
    if (key == ScanKey::Printable) {
        // After a pause, what was held was typed; this key may start a scan of its own.
        step.ReleaseHeld = count_ > 0 && !quick;
        step.Hold = true;
        if (step.ReleaseHeld)
            Drop();
        held_ += text;
        ++count_;
        last_ = at;
        return step;
    }
    if (key == ScanKey::Enter && quick && count_ >= rule_.MinLength)
        step.Code = held_;
    else
        step.ReleaseHeld = count_ > 0;
    Drop();
    return step;
}

void ScanBurst::Drop()
{
    held_.clear();
    count_ = 0;
}

} // namespace voltaryn::cells
