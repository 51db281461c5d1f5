#include "ui/common/FlowLayout.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace voltaryn {

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FlowLayout::HorizontalGap() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget* widget = parentWidget();
    return widget == nullptr ? 0 : widget->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, widget);
}

int FlowLayout::VerticalGap() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget* widget = parentWidget();
    return widget == nullptr ? 0 : widget->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, widget);
}

int FlowLayout::OneRowHeight() const
{
    int height = 0;
    for (const QLayoutItem* item : items_)
        if (!item->isEmpty())
            height = std::max(height, item->sizeHint().height());
    const QMargins margins = contentsMargins();
    return height + margins.top() + margins.bottom();
}

QSize FlowLayout::minimumSize() const
{
    int width = 0;
    for (const QLayoutItem* item : items_)
        if (!item->isEmpty())
            width = std::max(width, item->sizeHint().width());
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), std::max(rowsHeight_, OneRowHeight())};
}

QSize FlowLayout::sizeHint() const
{
    int width = 0;
    for (const QLayoutItem* item : items_)
        if (!item->isEmpty())
            width += (width == 0 ? 0 : HorizontalGap()) + item->sizeHint().width();
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), std::max(rowsHeight_, OneRowHeight())};
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const int height = Arrange(rect);
    if (height != rowsHeight_) {
        // The layouts above ask again, and give the rows their height.
        rowsHeight_ = height;
        invalidate();
    }
}

int FlowLayout::Arrange(const QRect& rect)
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + VerticalGap();
            rowHeight = 0;
        }
        item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + HorizontalGap();
        rowHeight = std::max(rowHeight, size.height());
    }
    const QMargins margins = contentsMargins();
    return y + rowHeight - rect.y() + margins.bottom();
}

} // namespace voltaryn
