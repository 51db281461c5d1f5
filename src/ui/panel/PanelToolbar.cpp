#include "ui/panel/PanelToolbar.h"

#include "ui/common/TintedIcon.h"

#include <QAction>
#include <QEvent>
#include <QStandardPaths>

namespace voltaryn {
namespace {

struct ToolbarButton {
    const char* key;
    const char* toolTip;  // the button's caption of old, which users know it by
    const char* icon;     // a name of the symbolic icon theme, or a picture of our own (":/icons/...")
    PanelMenu menu;
    const char* shortcut;
    const char* menuText;  // with its mnemonic
    const char* opens;     // what the command does or opens, which its caption does not tell
};

// One row a button: its place on the toolbar, in its menu and on the keyboard.
constexpr ToolbarButton Buttons[] = {
    {"Save", "Save as", "document-save-as-symbolic", PanelMenu::File, "Ctrl+S",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Record to File..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar",
                       "Records the readings into a data file; pressed again, stops the recording.")},
    {"Open", "Open File to Read", "document-open-symbolic", PanelMenu::File, "Ctrl+O",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Open Data File..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens a data file in the window \"File List\".")},
    {"List", "List Display", "view-list-ordered-symbolic", PanelMenu::File, "Ctrl+L",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Live List"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"Real Time List\".")},
    {"Graph", "Graphic Display", ":/icons/graph-symbolic.svg", PanelMenu::Graphs, "Ctrl+G",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Live Graph..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"Graph\", which starts the live graph.")},
    {"Sampling", "Sampling Rate", "view-refresh-symbolic", PanelMenu::Tools, "Ctrl+Shift+R",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Sampling Rate..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Sets the recording interval of the PC or of the meter.")},
    {"StopRec", "Stop Rec", ":/icons/stop-recording-symbolic.svg", PanelMenu::File, "Ctrl+Shift+S",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Stop Recording"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Stops the recording.")},
    {"TimeSet", "Real Time Clock", "preferences-system-time-symbolic", PanelMenu::Meter, "Ctrl+T",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Meter &Clock..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"Setup\", which sets the meter's clock.")},
    {"Memory", "Data Logger", "media-flash-symbolic", PanelMenu::Memory, "Ctrl+M",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Read &Manual Records"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Reads the meter's manual records into the window \"Manual List\".")},
    {"SDcard", "SD Card", "media-removable-symbolic", PanelMenu::Memory, "Ctrl+D",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&SD Card Files"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Lists the SD card's files in the window \"Data Logger\".")},
    {"COMP", "Comparator", "emblem-ok-symbolic", PanelMenu::Tools, "Ctrl+Shift+P",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Comparator Limits"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar",
                       "Reads the meter's comparator limits into the window \"Comparator\".")},
    {"key", "button", "input-keyboard-symbolic", PanelMenu::Meter, "Ctrl+K",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Key Pad"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Shows or hides the meter's key pad beside the panel.")},
    {"Avg", "AverageNumber", ":/icons/average-symbolic.svg", PanelMenu::Meter, "Ctrl+Shift+A",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Average Number..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Sets how many readings the meter averages.")},
    {"Erase", "Erase Memory", ":/icons/erase-memory-symbolic.svg", PanelMenu::Memory, "Ctrl+Shift+E",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Erase Memory..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Erases the records in the meter's memory, after asking.")},
    {"DeleteSD", "Delete SD Card", "user-trash-symbolic", PanelMenu::Memory, "Ctrl+Shift+D",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Delete SD Card Files..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Shows the panel \"SD Card Delete\" beside the meter.")},
    {"Cells", "Cell Sorting", "battery-full-symbolic", PanelMenu::Cells, "Ctrl+Shift+C",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Cell &Sorting"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"Cell Sorting\".")},
    {"Packs", "Pack Builder", "view-grid-symbolic", PanelMenu::Cells, "Ctrl+Shift+B",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Pack Builder"),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"Pack Builder\".")},
    {"Strings", "String Inspection", "view-list-bullet-symbolic", PanelMenu::Cells, "Ctrl+Shift+I",
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "&Inspect String..."),
     QT_TRANSLATE_NOOP("voltaryn::PanelToolbar", "Opens the window \"String Inspection\", which walks a battery string.")},
};

// Symbolic icons are looked up in the desktop's icon theme and, where it has none or the desktop
// names no theme, in Adwaita's, found in the system's icon folders even where no desktop platform
// theme lists them.
void FindSymbolicIcons()
{
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "icons",
                                                           QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths << folder;
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName("Adwaita");
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName("Adwaita");
}

QIcon Icon(const QString& name) { return name.startsWith(':') ? QIcon(name) : QIcon::fromTheme(name); }

QColor Mix(const QColor& from, const QColor& to, double share)
{
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

// Tight buttons, each as wide as its icon and its border, so all sixteen fit across the narrow
// window; the background and the hover, press and focus shades are taken from the palette, so
// they show on light and dark desktops alike.
QString StyleSheetFor(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    return QStringLiteral("QToolBar { spacing: 1px; padding: 0px; border: none; background: %5; }"
                          "QToolButton { padding: 0px; margin: 0px; border: 1px solid transparent;"
                          " border-radius: 3px; }"
                          "QToolButton:hover { border-color: %1; background: %2; }"
                          "QToolButton:pressed { background: %3; }"
                          "QToolButton:focus { border-color: %4; }")
        .arg(Mix(window, text, 0.4).name(), Mix(window, text, 0.1).name(), Mix(window, text, 0.2).name(),
             palette.color(QPalette::Highlight).name(), window.name());
}

// The button's caption and its shortcut, then, on a line of its own, what it does or opens.
void SetToolTip(QAction& action, const QString& caption, const QString& more)
{
    const QString shortcut = action.shortcut().toString(QKeySequence::NativeText);
    action.setToolTip(caption + "  (" + shortcut + ")" + (more.isEmpty() ? QString() : "\n" + more));
}

const ToolbarButton& ButtonOf(const QAction& action)
{
    for (const ToolbarButton& button : Buttons)
        if (action.objectName() == QLatin1String(button.key))
            return button;
    Q_UNREACHABLE();
}

} // namespace

PanelToolbar::PanelToolbar(QWidget* parent) : QToolBar(parent)
{
    setObjectName("Toolbar1");
    FindSymbolicIcons();
    setMovable(false);
    setContentsMargins(0, 0, 0, 0);
    for (const ToolbarButton& button : Buttons) {
        // The narrow window has room for the buttons of the meter and the cell windows, and for
        // seven menus: String Inspection stands in the Cells menu alone.
        QAction* action = std::string_view(button.key) == "Strings"
                              ? menuOnly_.emplace_back(new QAction(tr(button.menuText), this))
                              : addAction(tr(button.menuText));
        action->setObjectName(button.key);
        action->setShortcut(QKeySequence(QString::fromLatin1(button.shortcut)));
        // The cell windows are worked side by side and open one another: their keys work from
        // every window of the program.
        if (button.menu == PanelMenu::Cells)
            action->setShortcutContext(Qt::ApplicationShortcut);
        SetToolTip(*action, button.toolTip, tr(button.opens));
        connect(action, &QAction::triggered, this, [this, key = action->objectName()] { emit commandTriggered(key); });
    }
    save_ = findChild<QAction*>("Save");
    stopRec_ = findChild<QAction*>("StopRec");
    stopRec_->setEnabled(false);
    SetToolTip(*stopRec_, ButtonOf(*stopRec_).toolTip, tr("Nothing is being recorded: Save starts a recording."));
    FollowPalette();
    connect(this, &QToolBar::iconSizeChanged, this, &PanelToolbar::FollowPalette);
    if (parent != nullptr)
        parent->installEventFilter(this);
}

bool PanelToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::PaletteChange)
        FollowPalette();
    return QToolBar::eventFilter(watched, event);
}

// A style sheet holds a widget to the palette it had when the sheet was applied, so the toolbar
// takes its colours from its parent's palette: its background, shades and icon colour.
QPalette PanelToolbar::SourcePalette() const
{
    return parentWidget() != nullptr ? parentWidget()->palette() : palette();
}

void PanelToolbar::FollowPalette()
{
    const QString sheet = StyleSheetFor(SourcePalette());
    if (styleSheet() != sheet)
        setStyleSheet(sheet);
    for (QAction* action : actions()) {
        ShowIcon(*action);
        // The style would add a few pixels of its own around the icon.
        if (QWidget* button = widgetForAction(action))
            button->setFixedSize(iconSize() + QSize(2, 2));
    }
}

QString PanelToolbar::IconName(const QAction& action) const
{
    if (&action == save_ && recordingShown_)
        return QStringLiteral("media-playback-stop-symbolic");
    return QString::fromLatin1(ButtonOf(action).icon);
}

void PanelToolbar::ShowIcon(QAction& action)
{
    const QPalette source = SourcePalette();
    action.setIcon(TintedIcon(Icon(IconName(action)), iconSize(), source.color(QPalette::WindowText),
                              source.color(QPalette::Disabled, QPalette::WindowText)));
}

void PanelToolbar::ShowRecording(bool recording)
{
    stopRec_->setEnabled(recording);
    SetToolTip(*stopRec_, ButtonOf(*stopRec_).toolTip,
               recording ? tr(ButtonOf(*stopRec_).opens)
                         : tr("Nothing is being recorded: Save starts a recording."));
    // Only a change of state touches the Save button: until the first recording it keeps its
    // first tool tip, "Save as".
    if (recording == recordingShown_)
        return;
    recordingShown_ = recording;
    ShowIcon(*save_);
    SetToolTip(*save_, recording ? "Stop Recording" : "Save As", tr(ButtonOf(*save_).opens));
}

QList<QAction*> PanelToolbar::MenuActions(PanelMenu menu) const
{
    QList<QAction*> inMenu;
    for (QAction* action : actions() + menuOnly_)
        if (ButtonOf(*action).menu == menu)
            inMenu << action;
    return inMenu;
}

} // namespace voltaryn
