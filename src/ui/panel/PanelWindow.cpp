#include "ui/panel/PanelWindow.h"

#include "ui/common/AlertColour.h"
#include "ui/common/ClickableLabel.h"
#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"
#include "ui/common/WindowPlacement.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/FrontPanelView.h"
#include "ui/panel/KeyPadView.h"
#include "ui/panel/PanelMenuBar.h"
#include "ui/panel/PanelStatusBar.h"
#include "ui/panel/PanelToolbar.h"
#include "ui/panel/SdDeletePanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace voltaryn {
namespace {

// Client area, in twips: the meter picture alone, or with the key pad beside it.
constexpr int NarrowClientWidth = 4785;
constexpr int WideClientWidth = 7110;
constexpr int ClientHeight = 9330;
constexpr int ToolbarHeight = 480;
// The smallest the panel picture shrinks to, against its size at 96 dpi.
constexpr double SmallestFactor = 0.5;


} // namespace

PanelWindow::PanelWindow(MeterSession& session, const Recorder& recorder, QWidget* parent)
    : QWidget(parent), session_(session), recorder_(recorder), twips_(Twips::For(*this))
{
    setObjectName("Panel");
    setWindowTitle(Caption);
    client_ = new QWidget(this);
    client_->setObjectName("PanelClient");

    frontPanel_ = new FrontPanelView(client_);
    frontPanel_->move(twips_.Point(layout::View.left, layout::View.top));
    connect(frontPanel_, &FrontPanelView::keyClicked, this, &PanelWindow::PressKey);
    keyPad_ = new KeyPadView(client_);
    keyPad_->move(twips_.Point(NarrowClientWidth, ToolbarHeight));
    keyPad_->hide();
    connect(keyPad_, &KeyPadView::keyClicked, this, &PanelWindow::PressKey);

    toolbar_ = new PanelToolbar(client_);
    toolbar_->setIconSize(twips_.Size(240, 240));
    connect(toolbar_, &PanelToolbar::commandTriggered, this, &PanelWindow::toolbarKeyClicked);
    BuildFrame();

    connectionLabel_ = new ClickableLabel("No COM", client_);
    frontPanel_->ShowConnection(connectionLabel_->text());
    connectionLabel_->setObjectName("LblCOM");
    connectionLabel_->setGeometry(twips_.Rect(3240, 8520, 1440, 240));
    connect(connectionLabel_, &ClickableLabel::clicked, this, &PanelWindow::ToggleCaption);

    BuildValueLabels();
    BuildRecorderLabels();
    BuildSdDeletePanel();
    for (QWidget* child : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != toolbar_ && !child->isWindow())
            scaler_.Capture(*child, QPoint(0, twips_.ToPixels(ToolbarHeight)));
    FitClientWidth();
}

void PanelWindow::BuildFrame()
{
    menuBar_ = new PanelMenuBar(*toolbar_, this);
    connect(menuBar_, &PanelMenuBar::quitChosen, this, &QWidget::close);
    statusBar_ = new PanelStatusBar(this);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(menuBar_);
    frame->addWidget(client_, 1);  // the client takes what the window grows by: the panel scales
    frame->addWidget(statusBar_);
    statusBar_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void PanelWindow::ShowPoll(const PollTickResult& tick)
{
    if (tick.displayDecoded) {
        frontPanel_->ShowDisplay(session_.pollLoop.Display(), session_.reading);
        ShowReadingTexts();
    }
    if (tick.rangeChanged)
        frontPanel_->ShowRange(session_.reading.RangeCode);
    const QString connection = ToQString(session_.pollLoop.ConnectionText());
    connectionLabel_->setText(connection);
    frontPanel_->ShowConnection(connection);
    statusBar_->ShowConnection(connection, session_.reading.MeterConnected ? ToQString(session_.reading.IdentString)
                                                                           : QString());
}

void PanelWindow::ShowRecorderState()
{
    const RecorderLabels& labels = recorder_.Labels();
    fileNameLabel_->setText(ToQString(labels.fileName));
    countLabel_->setText(ToQString(labels.count));
    recLabel_->setText(ToQString(labels.rec));
    recLabel_->setVisible(labels.recVisible);
    toolbar_->ShowRecording(recorder_.Recording());
    writeFailedLabel_->setText(tr("Recording failed: %1").arg(ToQString(recorder_.LastError())));
    writeFailedLabel_->setVisible(recorder_.WriteFailed());
    noticeLabel_->setVisible(!recorder_.WriteFailed() && !noticeLabel_->text().isEmpty());
    ShowRecordingStatus();
}

void PanelWindow::ShowRecordingStatus()
{
    if (!recorder_.Recording()) {
        recordingSeconds_ = 0;
        statusBar_->ShowRecording(std::nullopt);
        return;
    }
    const QStorageInfo disk(ToQString(recorder_.RecFileName().parent_path().string()));
    statusBar_->ShowRecording(RecordingStatus{
        .fileName = ToQString(recorder_.RecFileName().filename().string()),
        .records = recorder_.RecCount(),
        .elapsedSeconds = recordingSeconds_,
        .freeBytes = disk.isValid() ? std::optional<std::uint64_t>(disk.bytesAvailable()) : std::nullopt});
}

void PanelWindow::CountRecordingSecond()
{
    if (!recorder_.Recording())
        return;
    ++recordingSeconds_;
    ShowRecordingStatus();
}

void PanelWindow::ShowRecorderNotice(const QString& text)
{
    noticeLabel_->setText(text);
    noticeLabel_->setVisible(!recorder_.WriteFailed() && !text.isEmpty());
}

void PanelWindow::Dock(QWidget* window, DockPlace place)
{
    docked_.push_back({window, place, std::nullopt});
    PlaceDockedWindows();
}

void PanelWindow::PlaceDockedWindows()
{
    const QRect frame = frameGeometry();
    for (auto& [window, place, placedAt] : docked_) {
        // A window that is not where the panel last put it was moved by the user: it stays put.
        if (window == nullptr || (placedAt && window->pos() != *placedAt))
            continue;
        window->move(place == DockPlace::RightEdge ? QPoint(frame.right() + 1, frame.top())
                                                    : QPoint(frame.left(), frame.bottom() + 1));
        KeepOnScreen(*window, *this);
        placedAt = window->pos();
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
    auto* label = new QLabel(text, client_);
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
    UseAlertColour(*recLabel_);
    QFont bold = recLabel_->font();
    bold.setBold(true);
    recLabel_->setFont(bold);
    recLabel_->hide();
    countLabel_ = AddLabel("LblCount", "", 2460, 8520, 720);
    // Shown, without interrupting anyone, while records cannot be written, and otherwise how the
    // last recording or live list ended; both may take two lines.
    writeFailedLabel_ = AddLabel("LblWriteFailed", "", 120, 8790, 4560);
    UseAlertColour(*writeFailedLabel_);
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
    sdDelete_ = new SdDeletePanel(client_);
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

QSize PanelWindow::ReferenceClient() const
{
    // The key pad and the SD delete panel stand beside the meter, in the wide window.
    const int twips = keyPad_->isHidden() && sdDelete_->isHidden() ? NarrowClientWidth : WideClientWidth;
    return twips_.Size(twips, ClientHeight);
}

QSize PanelWindow::ReferencePicture() const
{
    return ReferenceClient() - QSize(0, twips_.ToPixels(ToolbarHeight));
}

int PanelWindow::UnscaledHeight() const
{
    return menuBar_->sizeHint().height() + twips_.ToPixels(ToolbarHeight) + statusBar_->sizeHint().height();
}

QSize PanelWindow::SizeFor(double factor) const
{
    const QSize picture = ReferencePicture() * factor;
    return {std::max(picture.width(), menuBar_->sizeHint().width()), picture.height() + UnscaledHeight()};
}

void PanelWindow::FitClientWidth()
{
    setMinimumSize(ReferencePicture() * SmallestFactor + QSize(0, UnscaledHeight()));
    resize(SizeFor(scaler_.Factor()));
}

void PanelWindow::resizeEvent(QResizeEvent* event)
{
    // The frame's layout has sized the client area by now.
    QWidget::resizeEvent(event);
    const int toolbarHeight = twips_.ToPixels(ToolbarHeight);
    toolbar_->setGeometry(0, 0, client_->width(), toolbarHeight);
    scaler_.Apply(FitFactor(ReferencePicture(), client_->size() - QSize(0, toolbarHeight)));
}

void PanelWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (fittedToScreen_ || screen() == nullptr)
        return;
    // The first time it shows, the window opens no taller than the screen's free height, title
    // bar included (before the window manager has framed it, as tall as the style draws one);
    // a size remembered from an earlier run is kept.
    fittedToScreen_ = true;
    if (WindowPlacement::Restored(*this))
        return;
    int decorations = frameGeometry().height() - height();
    if (decorations <= 0)
        decorations = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int room = screen()->availableGeometry().height() - decorations - UnscaledHeight();
    const double factor = std::clamp(static_cast<double>(room) / ReferencePicture().height(), SmallestFactor, 1.0);
    resize(SizeFor(factor));
}

} // namespace voltaryn
