#include "ui/common/TintedIcon.h"

#include <QPainter>
#include <QPixmap>

namespace voltaryn {
namespace {

QPixmap Tinted(const QIcon& source, QSize size, double scale, const QColor& ink)
{
    QPixmap pixmap = source.pixmap(size, scale);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), size), ink);
    return pixmap;
}

} // namespace

QIcon TintedIcon(const QIcon& source, QSize size, const QColor& ink, const QColor& disabledInk)
{
    QIcon tinted;
    if (source.isNull())
        return tinted;
    for (const double scale : {1.0, 2.0, 3.0}) {
        tinted.addPixmap(Tinted(source, size, scale, ink), QIcon::Normal);
        tinted.addPixmap(Tinted(source, size, scale, disabledInk), QIcon::Disabled);
    }
    return tinted;
}

} // namespace voltaryn
