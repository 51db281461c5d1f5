#include "sim/ManualMemory.h"

#include <algorithm>

namespace voltaryn::sim {

void ManualMemory::Store() { count_ = std::min(count_ + 1, Capacity); }

void ManualMemory::Clear() { count_ = 0; }

void ManualMemory::StartAutomatic(SimTime now) { lastAutomaticStore_ = now; }

void ManualMemory::StopAutomatic() { lastAutomaticStore_.reset(); }

void ManualMemory::Advance(SimTime now, std::chrono::seconds interval)
{
    if (!lastAutomaticStore_ || now <= *lastAutomaticStore_)
        return;
    const auto due = (now - *lastAutomaticStore_) / interval;
    count_ = static_cast<int>(std::min<decltype(due)>(count_ + due, Capacity));
    *lastAutomaticStore_ += due * interval;
}

} // namespace voltaryn::sim
