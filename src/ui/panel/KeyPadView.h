#pragma once

#include "meter/MeterKeys.h"

#include <QFrame>

namespace voltaryn {

// The framed key pad beside the meter picture: one button per way of pressing the meter's keys,
// grouped by the key they press. A click only reports which button it was; what the button sends
// is decided by whoever listens.
class KeyPadView : public QFrame {
    Q_OBJECT
public:
    explicit KeyPadView(QWidget* parent = nullptr);

signals:
    void keyClicked(voltaryn::KeyButton button);

private:
    QFrame* NewKeyGroup(int meterKey);
};

} // namespace voltaryn
