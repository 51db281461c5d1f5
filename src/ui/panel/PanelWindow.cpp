#include "ui/panel/PanelWindow.h"

#include "ui/common/ClickableLabel.h"
#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"
#include "ui/memory/SdDeletePanel.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/FrontPanelView.h"
#include "ui/panel/KeyPadView.h"
#include "ui/panel/PanelToolbar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

namespace voltaryn {
namespace {

// Client area, in twips: the meter picture alone, or with the key pad beside it.
constexpr int NarrowClientWidth = 4785;
constexpr int WideClientWidth = 7110;
constexpr int ClientHeight = 9330;
constexpr int ToolbarHeight = 480;


} // namespace

PanelWindow::PanelWindow(MeterSession& session, const Recorder& recorder, QWidget* parent)
    : QWidget(parent), session_(session), recorder_(recorder), twips_(Twips::For(*this))
{
    setObjectName("Panel");
    setWindowTitle(Caption);

    frontPanel_ = new FrontPanelView(this);
    frontPanel_->move(twips_.Point(layout::View.left, layout::View.top));
    keyPad_ = new KeyPadView(this);
    keyPad_->move(twips_.Point(NarrowClientWidth, ToolbarHeight));
    keyPad_->hide();
    connect(keyPad_, &KeyPadView::keyClicked, this, &PanelWindow::PressKey);

    toolbar_ = new PanelToolbar(this);
    toolbar_->setIconSize(twips_.Size(240, 240));
    connect(toolbar_, &QToolBar::actionTriggered, this,
            [this](QAction* action) { emit toolbarKeyClicked(action->objectName()); });

    auto* quit = new QAction("Quit", this);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    connectionLabel_ = new ClickableLabel("No COM", this);
    frontPanel_->ShowConnection(connectionLabel_->text());
    connectionLabel_->setObjectName("LblCOM");
    connectionLabel_->setGeometry(twips_.Rect(3240, 8520, 1440, 240));
    connect(connectionLabel_, &ClickableLabel::clicked, this, &PanelWindow::ToggleCaption);

    BuildValueLabels();
    BuildRecorderLabels();
    BuildSdDeletePanel();
    FitClientWidth();

    // Timer1 polls the meter; Timer2 is the recorder's second; Timer3 has no duty of its own but
    // pauses with polling.
    pollTimer_ = StartTimer("Timer1", 100);
    connect(pollTimer_, &QTimer::timeout, this, &PanelWindow::PollTick);
    connect(StartTimer("Timer2", 1000), &QTimer::timeout, this, &PanelWindow::recorderSecond);
    idleTimer_ = StartTimer("Timer3", 10000);
}

QTimer* PanelWindow::StartTimer(const char* name, int intervalMs)
{
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->start(intervalMs);
    return timer;
}

void PanelWindow::PollTick()
{
    const PollTickResult tick = session_.pollLoop.Tick();
    if (tick.displayDecoded) {
        frontPanel_->ShowDisplay(session_.pollLoop.Display(), session_.reading);
        ShowReadingTexts();
    }
    if (tick.rangeChanged)
        frontPanel_->ShowRange(session_.reading.RangeCode);
    const QString connection = ToQString(session_.pollLoop.ConnectionText());
    connectionLabel_->setText(connection);
    frontPanel_->ShowConnection(connection);
}

void PanelWindow::SetPolling(bool enabled)
{
    for (QTimer* timer : {pollTimer_, idleTimer_}) {
        if (enabled)
            timer->start();
        else
            timer->stop();
    }
}

void PanelWindow::ShowRecorderState()
{
    const RecorderLabels& labels = recorder_.Labels();
    fileNameLabel_->setText(ToQString(labels.fileName));
    countLabel_->setText(ToQString(labels.count));
    recLabel_->setText(ToQString(labels.rec));
    recLabel_->setVisible(labels.recVisible);
    toolbar_->ShowRecording(recorder_.Recording());
    writeFailedLabel_->setText("Recording failed: " + ToQString(recorder_.LastError()));
    writeFailedLabel_->setVisible(recorder_.WriteFailed());
    noticeLabel_->setVisible(!recorder_.WriteFailed() && !noticeLabel_->text().isEmpty());
}

void PanelWindow::ShowRecorderNotice(const QString& text)
{
    noticeLabel_->setText(text);
    noticeLabel_->setVisible(!recorder_.WriteFailed() && !text.isEmpty());
}

void PanelWindow::Dock(QWidget* window, DockPlace place)
{
    docked_.emplace_back(window, place);
    PlaceDockedWindows();
}

void PanelWindow::PlaceDockedWindows()
{
    const QRect frame = frameGeometry();
    for (const auto& [window, place] : docked_) {
        if (window == nullptr)
            continue;
        window->move(place == DockPlace::RightEdge ? QPoint(frame.right() + 1, frame.top())
                                                    : QPoint(frame.left(), frame.bottom() + 1));
        KeepOnScreen(*window, *this);
    }
}

void PanelWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    PlaceDockedWindows();
}

void PanelWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        PlaceDockedWindows();
}

void PanelWindow::closeEvent(QCloseEvent* event)
{
    // Closing the panel ends the program at once, whatever other windows are open.
    emit closing();
    event->accept();
    QApplication::quit();
}

QLabel* PanelWindow::AddLabel(const char* name, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(twips_.Rect(left, top, width, 240));
    return label;
}

void PanelWindow::BuildValueLabels()
{
    // The composed value texts, placed beyond the client area's right edge: they mirror the
    // reading for anyone who reads the window; the user sees the digit indicators instead.
    voltageLabel_ = AddLabel("LblV", "-999.9", 8280, 1080, 1200);
    resistanceLabel_ = AddLabel("LblOhm", "-999.9", 9960, 1080, 1200);
    currentLabel_ = AddLabel("LblA", "-999.9", 8280, 1920, 1200);
    temperatureLabel_ = AddLabel("LblTemp", "-999.9", 9960, 1920, 1200);
}

void PanelWindow::BuildRecorderLabels()
{
    fileNameLabel_ = AddLabel("LblFileName", "", 120, 8520, 1800);
    recLabel_ = AddLabel("LblRec", "Rec.", 1980, 8520, 480);
    recLabel_->setStyleSheet("color: #c01c28; font-weight: bold;");
    recLabel_->hide();
    countLabel_ = AddLabel("LblCount", "", 2460, 8520, 720);
    // Shown, without interrupting anyone, while records cannot be written, and otherwise how the
    // last recording or live list ended; both may take two lines.
    writeFailedLabel_ = AddLabel("LblWriteFailed", "", 120, 8790, 4560);
    writeFailedLabel_->setStyleSheet("color: #c01c28;");
    noticeLabel_ = AddLabel("LblRecorderNotice", "", 120, 8790, 4560);
    for (QLabel* label : {writeFailedLabel_, noticeLabel_}) {
        label->setWordWrap(true);
        label->resize(label->width(), twips_.Size(0, 480).height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->hide();
    }
}

void PanelWindow::BuildSdDeletePanel()
{
    sdDelete_ = new SdDeletePanel(this);
    sdDelete_->move(twips_.Point(NarrowClientWidth + 120, 7320));
    sdDelete_->hide();
}

void PanelWindow::ShowSdDeletePanel(bool shown)
{
    sdDelete_->setVisible(shown);
    FitClientWidth();
}

void PanelWindow::ToggleKeyPad()
{
    keyPad_->setVisible(keyPad_->isHidden());
    FitClientWidth();
}

void PanelWindow::PressKey(KeyButton button)
{
    const KeyPress press = KeyPressFor(button, session_.pollLoop.Display().lit);
    session_.commands.PressKey(press.key, press.variant);
}

void PanelWindow::ToggleCaption()
{
    setWindowTitle(windowTitle() == Caption ? LongCaption : Caption);
}

void PanelWindow::ShowReadingTexts()
{
    voltageLabel_->setText(ToQString(session_.reading.VoltageText));
    resistanceLabel_->setText(ToQString(session_.reading.ResistanceText));
    currentLabel_->setText(ToQString(session_.reading.CurrentText));
    temperatureLabel_->setText(ToQString(session_.reading.TemperatureText));
}

void PanelWindow::FitClientWidth()
{
    // The key pad and the SD delete panel stand beside the meter, in the wide window.
    const int twips = keyPad_->isHidden() && sdDelete_->isHidden() ? NarrowClientWidth : WideClientWidth;
    setFixedSize(twips_.Size(twips, ClientHeight));
    toolbar_->setGeometry(twips_.Rect(0, 0, twips, ToolbarHeight));
}

} // namespace voltaryn
