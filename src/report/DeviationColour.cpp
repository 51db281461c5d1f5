#include "report/DeviationColour.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::report {
namespace {

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return {channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue())};
}

} // namespace

QColor DeviationColour(double deviation, double largest)
{
    const QColor below(0x21, 0x66, 0xac);
    const QColor mean(0xbd, 0xbd, 0xbd);
    const QColor above(0xb2, 0x18, 0x2b);
    if (largest <= 0)
        return mean;
    const double share = std::clamp(deviation / largest, -1.0, 1.0);
    return share < 0 ? Mix(mean, below, -share) : Mix(mean, above, share);
}

} // namespace voltaryn::report
