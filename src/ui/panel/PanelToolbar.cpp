#include "ui/panel/PanelToolbar.h"

#include <QAction>
#include <QStandardPaths>

namespace voltaryn {
namespace {

struct ToolbarButton {
    const char* key;
    const char* toolTip;
    const char* icon;  // a name of the symbolic icon theme, or a picture of our own (":/icons/...")
    const char* shortcut = nullptr;  // for the buttons a user presses again and again
};

constexpr ToolbarButton Buttons[] = {
    {"Save", "Save as", "document-save-as-symbolic", "Ctrl+R"},
    {"Open", "Open File to Read", "document-open-symbolic", "Ctrl+O"},
    {"List", "List Display", "view-list-ordered-symbolic", "Ctrl+L"},
    {"Graph", "Graphic Display", ":/icons/graph-symbolic.svg"},
    {"Sampling", "Sampling Rate", "view-refresh-symbolic"},
    {"StopRec", "Stop Rec", "process-stop-symbolic"},
    {"TimeSet", "Real Time Clock", "preferences-system-time-symbolic"},
    {"Memory", "Data Logger", "media-flash-symbolic"},
    {"SDcard", "SD Card", "media-removable-symbolic"},
    {"COMP", "Comparator", "emblem-ok-symbolic"},
    {"key", "button", "input-keyboard-symbolic", "Ctrl+K"},
    {"Avg", "AverageNumber", ":/icons/average-symbolic.svg"},
    {"Erase", "Erase Memory", "edit-clear-all-symbolic"},
    {"DeleteSD", "Delete SD Card", "user-trash-symbolic"},
    {"Cells", "Cell Sorting", "battery-full-symbolic", "Ctrl+Shift+C"},
    {"Packs", "Pack Builder", "view-grid-symbolic", "Ctrl+Shift+P"},
};

// One consistent set of scalable symbolic icons, whatever the desktop's own theme is, found in
// the system's icon folders even where no desktop platform theme lists them.
void UseSymbolicIconTheme()
{
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "icons",
                                                           QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths << folder;
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName("Adwaita");
}

QIcon Icon(const QString& name) { return name.startsWith(':') ? QIcon(name) : QIcon::fromTheme(name); }

// The button's own tip, then its shortcut, if it has one.
void SetToolTip(QAction& action, const QString& tip)
{
    const QKeySequence shortcut = action.shortcut();
    action.setToolTip(shortcut.isEmpty() ? tip : tip + "  (" + shortcut.toString(QKeySequence::NativeText) + ")");
}

} // namespace

PanelToolbar::PanelToolbar(QWidget* parent) : QToolBar(parent)
{
    setObjectName("Toolbar1");
    UseSymbolicIconTheme();
    setMovable(false);
    // Tight buttons, so all sixteen fit across the narrow window.
    setContentsMargins(0, 0, 0, 0);
    setStyleSheet("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                  "QToolButton { padding: 0px; margin: 0px; border: 1px solid transparent; border-radius: 3px; }"
                  "QToolButton:hover { border-color: #9a9996; background: #e6e6e6; }"
                  "QToolButton:pressed { background: #d0d0d0; }");
    for (const ToolbarButton& button : Buttons) {
        QAction* action = addAction(Icon(button.icon), button.toolTip);
        action->setObjectName(button.key);
        if (button.shortcut != nullptr)
            action->setShortcut(QKeySequence(QString::fromLatin1(button.shortcut)));
        SetToolTip(*action, button.toolTip);
    }
    save_ = findChild<QAction*>("Save");
}

void PanelToolbar::ShowRecording(bool recording)
{
    // Only a change of state touches the button: until the first recording it keeps its
    // first tool tip, "Save as".
    if (recording == recordingShown_)
        return;
    recordingShown_ = recording;
    save_->setIcon(Icon(recording ? "media-playback-stop-symbolic" : "document-save-as-symbolic"));
    SetToolTip(*save_, recording ? "Stop Recording" : "Save As");
}

} // namespace voltaryn
