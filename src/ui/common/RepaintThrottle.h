#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <chrono>

namespace voltaryn {

// While a long operation changes a window at every step and lets events run after each, the
// window repaints at most once per interval: the time goes into the work, not into painting
// every step, and the user still sees it move. Painting is as usual again when it ends.
class RepaintThrottle {
public:
    RepaintThrottle(QWidget* window, std::chrono::milliseconds interval) : window_(window), interval_(interval)
    {
        since_.start();
    }
    ~RepaintThrottle()
    {
        if (window_ != nullptr)
            window_->setUpdatesEnabled(true);
    }
    RepaintThrottle(const RepaintThrottle&) = delete;
    RepaintThrottle& operator=(const RepaintThrottle&) = delete;

    // After each step: once the interval has passed the next event run paints the window.
    void Stepped()
    {
        if (window_ == nullptr)
            return;
        const bool due = since_.elapsed() >= interval_.count();
        if (due)
            since_.restart();
        window_->setUpdatesEnabled(due);
    }

private:
    QPointer<QWidget> window_;
    std::chrono::milliseconds interval_;
    QElapsedTimer since_;
};

} // namespace voltaryn
