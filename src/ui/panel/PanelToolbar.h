#pragma once

#include <QList>
#include <QToolBar>

namespace voltaryn {

// The menus of the main window's menu bar that hold toolbar commands; Help has none.
enum class PanelMenu { File, Meter, Memory, Graphs, Cells, Tools };

// The main window's toolbar: fifteen picture buttons, each named by its key ("Save", "Open",
// ..., "DeleteSD", "Cells"). Each button's action also stands in one menu of the menu bar, with
// its shortcut (String Inspection has no button); its tool tip gives its old caption, the shortcut and the window it opens. Clicks,
// from the toolbar, a menu or a shortcut, arrive as commandTriggered(key). The symbolic icons take
// the palette's text colour, and take it again whenever the parent's palette changes.
class PanelToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit PanelToolbar(QWidget* parent = nullptr);

    // The Save button shows the stop picture while a file is recorded; Stop Rec can be pressed
    // only then.
    void ShowRecording(bool recording);
    // The toolbar's actions that stand in `menu`, in toolbar order.
    QList<QAction*> MenuActions(PanelMenu menu) const;

signals:
    void commandTriggered(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPalette SourcePalette() const;
    void FollowPalette();
    QString IconName(const QAction& action) const;
    void ShowIcon(QAction& action);

    QAction* save_;
    QAction* stopRec_;
    bool recordingShown_ = false;
    QList<QAction*> menuOnly_;  // actions with no button
};

} // namespace voltaryn
