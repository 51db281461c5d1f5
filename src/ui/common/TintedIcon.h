#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>

namespace voltaryn {

// The icon's shape in one colour: every pixel keeps its opacity and takes `ink`, so a symbolic icon
// drawn in a fixed grey follows the palette's text colour on light and dark desktops alike. It is
// painted at `size` for ordinary and high-density screens; the disabled look is the same shape in
// `disabledInk`.
QIcon TintedIcon(const QIcon& source, QSize size, const QColor& ink, const QColor& disabledInk);

} // namespace voltaryn
