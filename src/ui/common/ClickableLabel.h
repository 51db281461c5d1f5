#pragma once

#include <QLabel>

namespace voltaryn {

// A label that reports a click of the left mouse button.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace voltaryn
