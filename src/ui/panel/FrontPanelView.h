#pragma once

#include "meter/DisplayDecoder.h"
#include "meter/MeterKeys.h"
#include "meter/MeterReading.h"
#include "protocol/StatusBit.h"
#include "ui/common/Twips.h"
#include "ui/panel/FrontPanelLayout.h"

#include <QLabel>
#include <QWidget>

#include <array>
#include <vector>

namespace voltaryn {

class SegmentLabel;

// The meter's front as the user knows it: the body, the LCD with every digit, text annunciator
// and symbol, the pictures of the meter's keys and the rotary range switch. Each element is a
// child widget named like the display element it shows ("HighO(1)", "LcdHOLD", "RS(3)", ...), and
// an indicator is lit exactly while its widget is visible. The view covers layout::View of the
// main window's client area; element positions are laid out in the window's client twips.
class FrontPanelView : public QWidget {
    Q_OBJECT
public:
    explicit FrontPanelView(QWidget* parent = nullptr);

    // Lights each indicator from its status bit and shows the digits, capacities, percentage and
    // number fields of the decoded display.
    void ShowDisplay(const PanelDisplay& display, const MeterReading& reading);

    // Hides every knob picture, then shows the one of range 1 to 6. Any other code (0 while the
    // meter reports no range) leaves no knob shown.
    void ShowRange(int rangeCode);

    // While the meter is not connected the display is not live: the glass is dimmed and the
    // connection state written across it, so no one reads an old value as a measurement.
    void ShowConnection(const QString& connectionText);

signals:
    // A key drawn on the meter was clicked: the arrow keys are the key pad's arrow buttons.
    void keyClicked(voltaryn::KeyButton button);

private:
    struct Indicator {
        StatusBit bit;
        QWidget* widget;
    };

    void AddBody();
    void AddAnnunciators();
    void AddSymbols();
    void AddNumericFields();
    void AddTextFields();
    void AddKeyPictures();
    void AddRangeSwitch();
    void AddStaleCover();

    SegmentLabel* AddSegmentLabel(const QString& name, const layout::TwipRect& where, int cells,
                                  int digitHeight, Qt::Alignment alignment);
    // Client twips to the view's pixels.
    QPoint ViewPoint(double left, double top) const;
    void Place(QWidget* widget, const QString& name, const layout::TwipRect& where);
    // The widget is lit exactly while the bit is.
    void Bind(StatusBit bit, QWidget* indicator) { indicators_.push_back({bit, indicator}); }

    Twips twips_;
    std::vector<Indicator> indicators_;
    std::array<std::array<SegmentLabel*, 4>, 4> digits_{};  // by NumericField, then digit
    std::array<SegmentLabel*, 3> capacities_{};
    std::array<SegmentLabel*, 2> percentDigits_{};           // LblPercent(0) and (1)
    SegmentLabel* recordNumber_ = nullptr;
    SegmentLabel* hh_ = nullptr;
    SegmentLabel* ll_ = nullptr;
    std::array<QWidget*, layout::RangePositionCount> knobs_{};
    QLabel* staleCover_ = nullptr;
    QString readingDescription_;  // what a screen reader reads while the display is live
};

} // namespace voltaryn
