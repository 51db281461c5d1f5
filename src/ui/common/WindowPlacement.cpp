#include "ui/common/WindowPlacement.h"

#include "ui/common/ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QRegion>
#include <QScreen>
#include <QSettings>
#include <QWindow>

namespace voltaryn {
namespace {

// Only the program's own windows: named ones, not menus, tool tips or message boxes.
bool Placed(const QObject* watched)
{
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget != nullptr && !widget->objectName().isEmpty()
           && (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
}

QString Key(const QWidget& window, const char* what)
{
    return "windows/" + window.objectName() + "/" + QLatin1String(what);
}

constexpr const char* ShownProperty = "voltarynPlaceShown";
constexpr const char* RestoredProperty = "voltarynPlaceRestored";

// A window whose frame is not wholly on the screens goes onto the one its centre is on, else the
// primary one, shrunk to it where it is larger.
void BringOnScreen(QWidget& window)
{
    const QMargins frame = window.windowHandle() != nullptr ? window.windowHandle()->frameMargins() : QMargins();
    const QRect place = window.geometry().marginsAdded(frame);
    QRegion shown;
    for (const QScreen* screen : QGuiApplication::screens())
        shown += screen->availableGeometry();
    if (QRegion(place).subtracted(shown).isEmpty())
        return;
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
        window.setGeometry(FitWithin(place, screen->availableGeometry()).marginsRemoved(frame));
}

} // namespace

WindowPlacement::WindowPlacement(QSettings& settings, QObject* parent) : QObject(parent), settings_(settings) {}

void WindowPlacement::Remember(const QWidget& window)
{
    settings_.setValue(Key(window, "geometry"), window.saveGeometry());
    if (const auto* main = qobject_cast<const QMainWindow*>(&window))
        settings_.setValue(Key(window, "state"), main->saveState());
}

void WindowPlacement::Restore(QWidget& window) const
{
    if (const QVariant geometry = settings_.value(Key(window, "geometry"));
        geometry.isValid() && window.restoreGeometry(geometry.toByteArray())) {
        window.setProperty(RestoredProperty, true);
        BringOnScreen(window);
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        if (const QVariant state = settings_.value(Key(window, "state")); state.isValid())
            main->restoreState(state.toByteArray());
}

bool WindowPlacement::Restored(const QWidget& window) { return window.property(RestoredProperty).toBool(); }

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Close) && Placed(watched)) {
        auto& window = static_cast<QWidget&>(*watched);
        if (type != QEvent::Show) {
            Remember(window);
        } else if (!window.property(ShownProperty).toBool()) {
            window.setProperty(ShownProperty, true);
            Restore(window);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace voltaryn
