#pragma once

#include <QColor>

namespace voltaryn::report {

// A diverging scale for a cell's deviation from the mean capacity: blue below, red above, a mid
// grey at the mean that stands out from white paper and from a dark window alike. `largest` is
// the deviation that takes the full colour (the largest one of the pack, say).
QColor DeviationColour(double deviation, double largest);

} // namespace voltaryn::report
