#include "ui/common/WidgetScaler.h"

#include <QAbstractButton>
#include <QLayout>

#include <algorithm>
#include <cmath>

namespace voltaryn {
namespace {

int Scaled(int length, double factor) { return static_cast<int>(std::lround(length * factor)); }

QFont ScaledFont(QFont font, double factor)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, Scaled(font.pixelSize(), factor)));
    else
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * factor));
    return font;
}

} // namespace

double FitFactor(QSize reference, QSize box)
{
    if (reference.isEmpty())
        return 1.0;
    return std::min(static_cast<double>(box.width()) / reference.width(),
                    static_cast<double>(box.height()) / reference.height());
}

void WidgetScaler::Capture(QWidget& widget, QPoint origin)
{
    CaptureTree(widget, origin, true);
}

void WidgetScaler::CaptureTree(QWidget& widget, QPoint origin, bool placedByHand)
{
    const auto* button = qobject_cast<QAbstractButton*>(&widget);
    captured_.push_back({&widget, origin, widget.geometry(), placedByHand, widget.minimumSize() == widget.maximumSize(),
                         widget.font(), button != nullptr ? button->iconSize() : QSize()});
    const bool childrenByHand = widget.layout() == nullptr;
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            CaptureTree(*child, QPoint(), childrenByHand);
}

void WidgetScaler::Apply(double factor)
{
    factor_ = factor;
    // Children first: a parent resized to a smaller size would otherwise clip them for a moment.
    for (std::size_t i = captured_.size(); i-- > 0;) {
        const Captured& entry = captured_[i];
        QWidget* widget = entry.widget;
        if (widget == nullptr)
            continue;
        widget->setFont(ScaledFont(entry.font, factor));
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr && entry.iconSize.isValid())
            button->setIconSize(entry.iconSize * factor);
        if (!entry.placedByHand)
            continue;
        const QPoint topLeft = entry.origin + (entry.geometry.topLeft() - entry.origin) * factor;
        const QSize size(Scaled(entry.geometry.width(), factor), Scaled(entry.geometry.height(), factor));
        if (entry.fixedSize)
            widget->setFixedSize(size);
        widget->setGeometry(QRect(topLeft, size));
    }
}

} // namespace voltaryn
