#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace voltaryn {

// The largest factor by which `reference` can grow or shrink, aspect kept, and still fit `box`.
double FitFactor(QSize reference, QSize box);

// Scales a tree of hand-placed widgets as one picture: each widget's geometry, font and icon size
// follow one factor from what they were when captured. Widgets placed by a layout keep their
// place within it and scale only their fonts and icons.
class WidgetScaler {
public:
    // Records the widget and everything in it at factor 1. The widget's own position scales about
    // `origin`, the point of its parent that stays put.
    void Capture(QWidget& widget, QPoint origin = {});
    void Apply(double factor);
    double Factor() const { return factor_; }

private:
    struct Captured {
        QPointer<QWidget> widget;
        QPoint origin;
        QRect geometry;
        bool placedByHand = false;
        bool fixedSize = false;
        QFont font;
        QSize iconSize;
    };
    void CaptureTree(QWidget& widget, QPoint origin, bool placedByHand);

    std::vector<Captured> captured_;
    double factor_ = 1.0;
};

} // namespace voltaryn
