#include "ui/panel/PanelMenuBar.h"

#include "ui/panel/PanelToolbar.h"

namespace voltaryn {

PanelMenuBar::PanelMenuBar(const PanelToolbar& toolbar, QWidget* parent) : QMenuBar(parent)
{
    setObjectName("MenuBar");
    // Narrow items, so all seven menus fit across the narrow window, Help included.
    setStyleSheet("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 3px; margin: 0px; }");
    const std::pair<PanelMenu, QString> menus[] = {
        {PanelMenu::File, tr("&File")},     {PanelMenu::Meter, tr("&Meter")}, {PanelMenu::Memory, tr("Memor&y")},
        {PanelMenu::Graphs, tr("&Graphs")}, {PanelMenu::Cells, tr("&Cells")}, {PanelMenu::Tools, tr("&Tools")},
    };
    for (const auto& [which, title] : menus) {
        QMenu* menu = addMenu(title);
        menu->addActions(toolbar.MenuActions(which));
        if (which == PanelMenu::File) {
            menu->addSeparator();
            QAction* quit = AddHelpAction(*menu, "Quit", tr("&Quit"), QKeySequence(tr("Ctrl+Q")));
            connect(quit, &QAction::triggered, this, &PanelMenuBar::quitChosen);
        }
    }
    QMenu* help = addMenu(tr("&Help"));
    connect(AddHelpAction(*help, "UserGuide", tr("&User Guide"), QKeySequence::HelpContents), &QAction::triggered,
            this, &PanelMenuBar::userGuideChosen);
    QAction* shortcuts = AddHelpAction(*help, "KeyboardShortcuts", tr("&Keyboard Shortcuts"), QKeySequence(tr("Ctrl+/")));
    // Asked from any window, the list shows that window's own keys too.
    shortcuts->setShortcutContext(Qt::ApplicationShortcut);
    connect(shortcuts, &QAction::triggered, this, &PanelMenuBar::shortcutsChosen);
    help->addSeparator();
    connect(AddHelpAction(*help, "About", tr("&About Voltaryn"), {}), &QAction::triggered, this,
            &PanelMenuBar::aboutChosen);
}

QAction* PanelMenuBar::AddHelpAction(QMenu& menu, const QString& name, const QString& text,
                                     const QKeySequence& shortcut)
{
    QAction* action = menu.addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // The shortcut works from anywhere in the main window, the menu closed.
    parentWidget()->addAction(action);
    return action;
}

} // namespace voltaryn
