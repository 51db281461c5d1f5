#pragma once

#include <QToolBar>

namespace voltaryn {

// The main window's toolbar: fifteen picture buttons, each named by its key ("Save", "Open",
// ..., "DeleteSD", "Cells"). Clicks arrive through QToolBar::actionTriggered; the key is the action's
// object name.
class PanelToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit PanelToolbar(QWidget* parent = nullptr);

    // The Save button shows the stop picture while a file is recorded.
    void ShowRecording(bool recording);

private:
    QAction* save_;
    bool recordingShown_ = false;
};

} // namespace voltaryn
