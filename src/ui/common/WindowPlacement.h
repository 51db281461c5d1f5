#pragma once

#include <QObject>

class QSettings;
class QWidget;

namespace voltaryn {

// Keeps the place and size of every window of the program between runs: a window is put back
// where it was when it is first shown, and remembered whenever it is hidden or closed. Windows
// are told apart by their object names; a main window's toolbars and docks are kept as well.
// A window never remembered opens where the program puts it; a remembered place that the screens
// do not wholly show any more (they changed, or were larger) is moved, and shrunk if need be, onto
// the screen the window's centre is on, else onto the primary one.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    explicit WindowPlacement(QSettings& settings, QObject* parent = nullptr);

    void Remember(const QWidget& window);
    void Restore(QWidget& window) const;
    // Whether the window was given its remembered place and size when it was first shown.
    static bool Restored(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSettings& settings_;
};

} // namespace voltaryn
