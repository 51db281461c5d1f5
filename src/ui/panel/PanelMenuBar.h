#pragma once

#include <QMenuBar>

namespace voltaryn {

class PanelToolbar;

// The main window's menu bar: File, Meter, Memory, Graphs, Cells, Tools and Help. The menus hold
// the toolbar's own actions, so a command, its shortcut and its enabled state are the same
// wherever it is chosen; File adds Quit and Help its three windows.
class PanelMenuBar : public QMenuBar {
    Q_OBJECT
public:
    PanelMenuBar(const PanelToolbar& toolbar, QWidget* parent);

signals:
    void quitChosen();
    void shortcutsChosen();
    void userGuideChosen();
    void aboutChosen();

private:
    QAction* AddHelpAction(QMenu& menu, const QString& name, const QString& text, const QKeySequence& shortcut);
};

} // namespace voltaryn
