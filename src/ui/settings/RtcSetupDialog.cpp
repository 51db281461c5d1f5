#include "ui/settings/RtcSetupDialog.h"

#include "outcomes/Outcome.h"
#include "settings/ClockTexts.h"
#include "ui/common/ClickableLabel.h"
#include "ui/common/QtText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace voltaryn {

RtcSetupDialog::RtcSetupDialog(MeterCommands& commands, PcClock pcClock, QWidget* mainWindow)
    : QDialog(mainWindow), commands_(commands), pcClock_(std::move(pcClock)),
      meterTime_(new ClickableLabel("Meter Time", this)), pcTime_(new ClickableLabel("PC System Time", this)),
      timer_(new QTimer(this))
{
    setObjectName("RTCSetup");
    setWindowTitle("Setup");

    auto* frame = new QGroupBox("Time", this);
    frame->setObjectName("FrameTime");
    meterTime_->setObjectName("LblMeterTime");
    pcTime_->setObjectName("LblPCTime");
    for (ClickableLabel* label : {meterTime_, pcTime_}) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setToolTip(tr("Click to show the time live, or to stop"));
    }
    auto* times = new QHBoxLayout(frame);
    times->addWidget(meterTime_);
    times->addWidget(pcTime_);
    connect(meterTime_, &ClickableLabel::clicked, this, [this] { showMeterTime_ = !showMeterTime_; });
    connect(pcTime_, &ClickableLabel::clicked, this, [this] { showPcTime_ = !showPcTime_; });

    auto* setTime = new QPushButton("Set Meter Time To System Time", this);
    setTime->setObjectName("CmdSetTime");
    connect(setTime, &QPushButton::clicked, this, &RtcSetupDialog::SetMeterTime);
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("CmdExit");
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setTime);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    timer_->setObjectName("Timer1");
    connect(timer_, &QTimer::timeout, this, &RtcSetupDialog::Tick);
    timer_->start(350);
}

void RtcSetupDialog::Tick()
{
    QString meterText = "Meter Time";
    if (showMeterTime_) {
        const Answer<MeterClockBytes> clock = commands_.ReadMeterClock();
        meterText = ToQString(clock.Fresh() ? MeterTimeText(*clock.value) : GuiText({Outcome::ClockNoReply}));
    }
    meterTime_->setText(meterText);
    pcTime_->setText(showPcTime_ ? ToQString(PcTimeText(pcClock_())) : QStringLiteral("PC System Time"));
}

void RtcSetupDialog::SetMeterTime()
{
    timer_->stop();
    commands_.SetMeterClock(MeterClockFor(pcClock_()));
    timer_->start();
}

} // namespace voltaryn
