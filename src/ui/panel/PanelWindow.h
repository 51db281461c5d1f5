#pragma once

#include "meter/MeterKeys.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "ui/common/Twips.h"
#include "ui/common/WidgetScaler.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;

namespace voltaryn {

class ClickableLabel;
class FrontPanelView;
class KeyPadView;
class PanelMenuBar;
class PanelStatusBar;
class PanelToolbar;
class SdDeletePanel;

// The main window: the menu bar, the meter's front panel mirrored live, its key pad, the
// connection and recording labels, the toolbar and the status bar. The window shows what each poll
// did, turns key clicks into meter commands and hands toolbar clicks on as toolbarKeyClicked().
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Caption = "Panel   V10.14";
    static constexpr const char* LongCaption = "Panel   V10.14   2018.03.29.2";

    PanelWindow(MeterSession& session, const Recorder& recorder, QWidget* parent = nullptr);

    // Shows what a poll of the meter did.
    void ShowPoll(const PollTickResult& tick);
    // Counts a recorder second into the status bar's elapsed time of the recording under way.
    void CountRecordingSecond();
    void ToggleKeyPad();
    // Shows or hides the SD delete panel; the window widens while it shows.
    void ShowSdDeletePanel(bool shown);
    SdDeletePanel& SdDelete() { return *sdDelete_; }
    // Shows the recorder's labels, the Save button's look and any failed write.
    void ShowRecorderState();
    // Shows how the last recording or live list ended, under the meter; empty hides it.
    void ShowRecorderNotice(const QString& text);

    // Where a window docked to the panel sits: against its right edge, top-aligned (the memory
    // window), or under it, left-aligned (the downloaded-data list).
    enum class DockPlace { RightEdge, Below };
    // Keeps an open window against the panel whenever the panel moves or is activated, until the
    // user moves the window away themselves: from then on it stays where they put it.
    void Dock(QWidget* window, DockPlace place);

    PanelMenuBar& Menus() { return *menuBar_; }
    PanelStatusBar& Status() { return *statusBar_; }

signals:
    // A toolbar button was clicked; key is the button's key ("Save", "Open", ...).
    void toolbarKeyClicked(const QString& key);
    // The window is closing, and the program ends with it.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildFrame();
    void ShowRecordingStatus();
    QLabel* AddLabel(const char* name, const QString& text, int left, int top, int width);
    void BuildValueLabels();
    void BuildRecorderLabels();
    void BuildSdDeletePanel();
    void PressKey(KeyButton button);
    void ToggleCaption();
    void ShowReadingTexts();
    void FitClientWidth();
    // The client area at factor 1, and the part of it that scales: all but the toolbar.
    QSize ReferenceClient() const;
    QSize ReferencePicture() const;
    // The menu bar, toolbar and status bar, which keep their height whatever the window's size.
    int UnscaledHeight() const;
    // The window's size with the picture at `factor`: wide enough for the whole menu bar too.
    QSize SizeFor(double factor) const;
    void PlaceDockedWindows();

    MeterSession& session_;
    const Recorder& recorder_;
    Twips twips_;
    QWidget* client_ = nullptr;  // the panel itself, between the menu bar and the status bar
    PanelMenuBar* menuBar_ = nullptr;
    PanelStatusBar* statusBar_ = nullptr;
    int recordingSeconds_ = 0;   // recorder seconds since the recording under way started
    PanelToolbar* toolbar_ = nullptr;
    FrontPanelView* frontPanel_ = nullptr;
    KeyPadView* keyPad_ = nullptr;
    SdDeletePanel* sdDelete_ = nullptr;
    ClickableLabel* connectionLabel_ = nullptr;
    QLabel* voltageLabel_ = nullptr;
    QLabel* resistanceLabel_ = nullptr;
    QLabel* currentLabel_ = nullptr;
    QLabel* temperatureLabel_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    QLabel* recLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* writeFailedLabel_ = nullptr;
    QLabel* noticeLabel_ = nullptr;
    struct DockedWindow {
        QPointer<QWidget> window;
        DockPlace place;
        std::optional<QPoint> placedAt;  // where the panel last put it
    };
    std::vector<DockedWindow> docked_;
    // The panel below the toolbar is one picture that grows and shrinks with the window.
    WidgetScaler scaler_;
    bool fittedToScreen_ = false;
};

} // namespace voltaryn
