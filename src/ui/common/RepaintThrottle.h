#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <chrono>

namespace voltaryn {

// While a long operation changes a widget at every step and lets events run after each, the
// widget repaints at most once per interval: the time goes into the work, not into painting
// every step, and the user still sees it move. Painting is as usual again when it ends. Meant
// for a widget inside a window: a whole window whose updates were turned off does not always
// repaint on some window systems when they are turned on again.
class RepaintThrottle {
public:
    RepaintThrottle(QWidget* widget, std::chrono::milliseconds interval) : widget_(widget), interval_(interval)
    {
        since_.start();
    }
    ~RepaintThrottle()
    {
        if (widget_ != nullptr)
            widget_->setUpdatesEnabled(true);
    }
    RepaintThrottle(const RepaintThrottle&) = delete;
    RepaintThrottle& operator=(const RepaintThrottle&) = delete;

    // After each step: once the interval has passed the next event run paints the widget, and
    // the answer is true.
    bool Stepped()
    {
        if (widget_ == nullptr)
            return false;
        const bool due = since_.elapsed() >= interval_.count();
        if (due)
            since_.restart();
        widget_->setUpdatesEnabled(due);
        return due;
    }

private:
    QPointer<QWidget> widget_;
    std::chrono::milliseconds interval_;
    QElapsedTimer since_;
};

} // namespace voltaryn
