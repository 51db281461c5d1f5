#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace voltaryn {

// Window geometry is laid out in twips (1/1440 inch). Fifteen twips make one pixel at 96 dpi; a
// screen with another logical DPI scales them accordingly.
class Twips {
public:
    static constexpr double PerInch = 1440.0;

    explicit Twips(double logicalDpi = 96.0) : pixelsPerTwip_(logicalDpi / PerInch) {}
    // Scaled for the logical DPI of the screen the widget is on.
    static Twips For(const QWidget& widget);

    double PixelsPerTwip() const { return pixelsPerTwip_; }
    int ToPixels(int twips) const;
    QPoint Point(int x, int y) const { return {ToPixels(x), ToPixels(y)}; }
    QSize Size(int width, int height) const { return {ToPixels(width), ToPixels(height)}; }
    // Both edges are rounded on their own, so that rectangles that touch in twips touch in pixels.
    QRect Rect(int left, int top, int width, int height) const;

private:
    double pixelsPerTwip_;
};

} // namespace voltaryn
