#include "ui/common/ClickableLabel.h"

#include <QMouseEvent>

namespace voltaryn {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace voltaryn
