#pragma once

#include "link/MeterCommands.h"
#include "meter/MeterKeys.h"
#include "meter/PollLoop.h"
#include "ui/common/Twips.h"

#include <QWidget>

class QAction;
class QLabel;
class QTimer;
class QToolBar;

namespace voltaryn {

class ClickableLabel;
class FrontPanelView;
class KeyPadView;

// The main window: the meter's front panel mirrored live, its key pad, the connection label and
// the toolbar. Timer1 drives the poll loop; the window only shows what the loop decoded and
// turns clicks into meter commands.
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Caption = "Panel   V10.14";
    static constexpr const char* LongCaption = "Panel   V10.14   2018.03.29.2";

    PanelWindow(MeterCommands& commands, MeterReading& reading, PollLoop& pollLoop, QWidget* parent = nullptr);

    // One tick of Timer1: one request to the meter, and the panel updated from its outcome.
    void PollTick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTimer* StartTimer(const char* name, int intervalMs);
    void BuildToolbar();
    void BuildConnectionLabel();
    void BuildValueLabels();
    void BuildSdDeletePanel();
    void OnToolbarAction(QAction* action);
    void ToggleKeyPad();
    void PressKey(KeyButton button);
    void ToggleCaption();
    void ShowReadingTexts();
    void FitClientWidth(int twips);

    MeterCommands& commands_;
    MeterReading& reading_;
    PollLoop& pollLoop_;
    Twips twips_;
    QToolBar* toolbar_ = nullptr;
    FrontPanelView* frontPanel_ = nullptr;
    KeyPadView* keyPad_ = nullptr;
    ClickableLabel* connectionLabel_ = nullptr;
    QLabel* voltageLabel_ = nullptr;
    QLabel* resistanceLabel_ = nullptr;
    QLabel* currentLabel_ = nullptr;
    QLabel* temperatureLabel_ = nullptr;
};

} // namespace voltaryn
