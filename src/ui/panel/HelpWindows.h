#pragma once

#include <QDialog>
#include <QList>

class QMenuBar;

namespace voltaryn {

// Help > Keyboard Shortcuts: every command of the menu bar with its menu and its shortcut; asked
// from another window (`from`), that window's own keys first, under its title.
class ShortcutsDialog : public QDialog {
    Q_OBJECT
public:
    ShortcutsDialog(const QMenuBar& menus, const QWidget* from, QWidget* parent);
};

// Help > User Guide: the README that ships with the program.
class UserGuideWindow : public QDialog {
    Q_OBJECT
public:
    explicit UserGuideWindow(QWidget* parent);
};

// Help > About: the program's name, version, licence and what it is for.
QString AboutText();

} // namespace voltaryn
