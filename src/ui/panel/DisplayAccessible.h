#pragma once

class QWidget;

namespace voltaryn {

// Makes assistive technology read the front panel as one element: its name and description (the
// whole reading), with only its controls (the range knob, the keys) as children, rather than
// every digit and symbol of the display as a label of its own.
void ReadAsOneDisplay(QWidget& panel);
// Marks a child of such a panel as one of its controls.
void ReadAsControl(QWidget& control);

} // namespace voltaryn
