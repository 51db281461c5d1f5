#include "ui/common/AlertColour.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

namespace voltaryn {
namespace {

constexpr QRgb OnLight = 0xffc01c28;
constexpr QRgb OnDark = 0xffff7b63;

void ApplyAlertColour(QWidget& widget)
{
    QPalette palette = widget.palette();
    const QColor ink = AlertColour(palette);
    if (palette.color(QPalette::WindowText) == ink)
        return;  // also ends the palette change this very call starts
    palette.setColor(QPalette::WindowText, ink);
    widget.setPalette(palette);
}

// Keeps its widget's text in the alert colour when the desktop's palette changes.
class AlertColourKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange)
            ApplyAlertColour(*static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

QColor AlertColour(const QPalette& palette)
{
    return QColor::fromRgb(palette.color(QPalette::Window).lightness() < 128 ? OnDark : OnLight);
}

void UseAlertColour(QWidget& widget)
{
    ApplyAlertColour(widget);
    widget.installEventFilter(new AlertColourKeeper(&widget));
}

} // namespace voltaryn
