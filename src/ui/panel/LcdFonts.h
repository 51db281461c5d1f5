#pragma once

#include <QFont>

namespace voltaryn {

// The seven-segment font of the numeric fields: DSEG7 Classic Bold where it can be found, else a
// bold fixed-pitch font. Stretch narrows the digits (100 = as designed).
QFont SegmentFont(int pixelSize, int stretch = 100);

// Whether SegmentFont is DSEG, whose "!" is a blank cell of digit width and "8" lights every segment.
bool SegmentFontIsDseg();

// A bold condensed sans for the text annunciators, unit letters and switch labels.
QFont LabelFont(int pixelSize);

} // namespace voltaryn
