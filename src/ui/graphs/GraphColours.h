#pragma once

#include "graphs/GraphChannels.h"

#include <QColor>
#include <QPalette>

namespace voltaryn {

// How the graphs are coloured: the teal background with the first program's pure line colours,
// or the desktop's background with colours that anyone, colour-blind or not, tells apart from it.
enum class GraphScheme { Classic, Readable };

struct GraphColours {
    QColor background;
    QColor text;    // captions with no channel of their own: the legend's brackets
    QColor cursor;  // the detail graph's cursors
    ByChannel<AxisChannel, QColor, AxisChannelCount> axes;
    ByChannel<HistoryChannel, QColor, HistoryChannelCount> plots;
    int lineWidth = 1;
};

// The colours of `scheme`; the readable one takes its background from `palette`.
GraphColours ColoursFor(GraphScheme scheme, const QPalette& palette);

// The relative luminance of the sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);
// How far apart two colours are in luminance: (L1 + 0.05) / (L2 + 0.05), lighter over darker, 1 to 21.
double ContrastRatio(const QColor& first, const QColor& second);

} // namespace voltaryn
