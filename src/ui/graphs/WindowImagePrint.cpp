#include "ui/graphs/WindowImagePrint.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>

namespace voltaryn {

void PrintWindowImage(QPrinter& printer, const QPixmap& image)
{
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
}

} // namespace voltaryn
