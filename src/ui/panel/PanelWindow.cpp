#include "ui/panel/PanelWindow.h"

#include "ui/common/ClickableLabel.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/FrontPanelView.h"
#include "ui/panel/KeyPadView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace voltaryn {
namespace {

// Client area, in twips: the meter picture alone, or with the key pad beside it.
constexpr int NarrowClientWidth = 4785;
constexpr int WideClientWidth = 7110;
constexpr int ClientHeight = 9060;
constexpr int ToolbarHeight = 480;

QString Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

PanelWindow::PanelWindow(MeterCommands& commands, MeterReading& reading, PollLoop& pollLoop, QWidget* parent)
    : QWidget(parent), commands_(commands), reading_(reading), pollLoop_(pollLoop), twips_(Twips::For(*this))
{
    setObjectName("Panel");
    setWindowTitle(Caption);

    frontPanel_ = new FrontPanelView(this);
    frontPanel_->move(twips_.Point(layout::View.left, layout::View.top));
    keyPad_ = new KeyPadView(this);
    keyPad_->move(twips_.Point(NarrowClientWidth, ToolbarHeight));
    keyPad_->hide();
    connect(keyPad_, &KeyPadView::keyClicked, this, &PanelWindow::PressKey);

    BuildToolbar();
    BuildConnectionLabel();
    BuildValueLabels();
    BuildSdDeletePanel();
    FitClientWidth(NarrowClientWidth);

    // Timer1 polls the meter; Timer2 is the recorder's one-second tick; Timer3 has no duty.
    connect(StartTimer("Timer1", 100), &QTimer::timeout, this, &PanelWindow::PollTick);
    StartTimer("Timer2", 1000);
    StartTimer("Timer3", 10000);
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
    const PollTickResult tick = pollLoop_.Tick();
    if (tick.displayDecoded) {
        frontPanel_->ShowDisplay(pollLoop_.Display(), reading_);
        ShowReadingTexts();
    }
    if (tick.rangeChanged)
        frontPanel_->ShowRange(reading_.RangeCode);
    connectionLabel_->setText(Text(pollLoop_.ConnectionText()));
}

void PanelWindow::closeEvent(QCloseEvent* event)
{
    // Closing the panel ends the program at once, whatever other windows are open.
    event->accept();
    QApplication::quit();
}

void PanelWindow::BuildToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setGeometry(twips_.Rect(0, 0, WideClientWidth, ToolbarHeight));
    toolbar_->setIconSize(twips_.Size(330, 330));

    QAction* key = toolbar_->addAction(QIcon::fromTheme("input-keyboard-symbolic"), "key");
    key->setObjectName("key");
    key->setToolTip("button");
    connect(toolbar_, &QToolBar::actionTriggered, this, &PanelWindow::OnToolbarAction);
}

void PanelWindow::BuildConnectionLabel()
{
    connectionLabel_ = new ClickableLabel("No COM", this);
    connectionLabel_->setObjectName("LblCOM");
    connectionLabel_->setGeometry(twips_.Rect(3240, 8520, 1440, 240));
    connect(connectionLabel_, &ClickableLabel::clicked, this, &PanelWindow::ToggleCaption);
}

void PanelWindow::BuildValueLabels()
{
    // The composed value texts, placed beyond the client area's right edge: other windows read
    // them, the user sees the digit indicators instead.
    const auto valueLabel = [this](const char* name, int left, int top) {
        auto* label = new QLabel("-999.9", this);
        label->setObjectName(name);
        label->setGeometry(twips_.Rect(left, top, 1200, 240));
        return label;
    };
    voltageLabel_ = valueLabel("LblV", 8280, 1080);
    resistanceLabel_ = valueLabel("LblOhm", 9960, 1080);
    currentLabel_ = valueLabel("LblA", 8280, 1920);
    temperatureLabel_ = valueLabel("LblTemp", 9960, 1920);
}

void PanelWindow::BuildSdDeletePanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("SSPSDClear");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(twips_.Rect(NarrowClientWidth + 120, 7320, 2040, 1080));

    auto* caption = new QLabel("SD Card Delete", panel);
    caption->setGeometry(twips_.Rect(60, 30, 1920, 240));
    auto* files = new QComboBox(panel);
    files->setObjectName("CbxSDClear");
    files->setGeometry(twips_.Rect(60, 300, 1200, 300));
    auto* ok = new QPushButton("OK", panel);
    ok->setObjectName("BtnSDClearOK");
    ok->setGeometry(twips_.Rect(1320, 300, 660, 300));
    auto* message = new QLabel(panel);
    message->setObjectName("LblMessage");
    message->setGeometry(twips_.Rect(60, 660, 1920, 240));
    panel->hide();
}

void PanelWindow::OnToolbarAction(QAction* action)
{
    if (action->objectName() == "key")
        ToggleKeyPad();
}

void PanelWindow::ToggleKeyPad()
{
    const bool show = keyPad_->isHidden();
    keyPad_->setVisible(show);
    FitClientWidth(show ? WideClientWidth : NarrowClientWidth);
}

void PanelWindow::PressKey(KeyButton button)
{
    const KeyPress press = KeyPressFor(button, pollLoop_.Display().lit);
    commands_.PressKey(press.key, press.variant);
}

void PanelWindow::ToggleCaption()
{
    setWindowTitle(windowTitle() == Caption ? LongCaption : Caption);
}

void PanelWindow::ShowReadingTexts()
{
    voltageLabel_->setText(Text(reading_.VoltageText));
    resistanceLabel_->setText(Text(reading_.ResistanceText));
    currentLabel_->setText(Text(reading_.CurrentText));
    temperatureLabel_->setText(Text(reading_.TemperatureText));
}

void PanelWindow::FitClientWidth(int twips)
{
    setFixedSize(twips_.Size(twips, ClientHeight));
}

} // namespace voltaryn
