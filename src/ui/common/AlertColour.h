#pragma once

#include <QColor>

class QPalette;
class QWidget;

namespace voltaryn {

// The red of texts that want the user's eye (a recording under way, records that cannot be
// written): dark on a light window, light on a dark one, so it reads on either.
QColor AlertColour(const QPalette& palette);

// Writes the widget's text in the alert colour of its palette, now and whenever the palette changes.
void UseAlertColour(QWidget& widget);

} // namespace voltaryn
