#include "ui/panel/PanelStatusBar.h"

#include "ui/common/AlertColour.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

namespace voltaryn {
namespace {

constexpr std::uint64_t LowDiskSpace = std::uint64_t{1} << 30;

} // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName("StatusBar");
    setSizeGripEnabled(false);
    connection_ = new QLabel(this);
    connection_->setObjectName("StatusConnection");
    recording_ = new QLabel(this);
    recording_->setObjectName("StatusRecording");
    UseAlertColour(*recording_);
    recording_->hide();
    transfer_ = new QLabel(this);
    transfer_->setObjectName("StatusTransfer");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("StatusProgress");
    progress_->setMaximumWidth(90);
    progress_->setTextVisible(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("StatusCancel");
    cancel_->setToolTip(tr("Stops the transfer; what has arrived stays in its list."));
    connect(cancel_, &QPushButton::clicked, this, &PanelStatusBar::cancelClicked);
    for (QLabel* label : {connection_, recording_, transfer_})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(connection_, 1);
    addWidget(recording_, 2);
    addWidget(transfer_, 2);
    addPermanentWidget(progress_);
    addPermanentWidget(cancel_);
    EndTransfer();
}

void PanelStatusBar::ShowConnection(const QString& state, const QString& identification)
{
    connection_->setText(identification.isEmpty() ? state : state + " · " + identification);
    connection_->setToolTip(connection_->text());
}

void PanelStatusBar::ShowRecording(const std::optional<RecordingStatus>& status)
{
    recording_->setVisible(status.has_value() && transfer_->isHidden());
    if (!status)
        return;
    recording_->setText(RecordingText(*status));
    recording_->setToolTip(recording_->text());
}

QString PanelStatusBar::RecordingText(const RecordingStatus& status)
{
    // Hours go on counting past a day: a recording may run for weeks.
    const int seconds = status.elapsedSeconds;
    const QString elapsed = QStringLiteral("%1:%2:%3")
                                .arg(seconds / 3600)
                                .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    QString text = tr("Rec %1 · %n record(s) · %2", nullptr, status.records).arg(status.fileName, elapsed);
    if (status.freeBytes && *status.freeBytes < LowDiskSpace)
        text += tr(" · %1 free").arg(QLocale().formattedDataSize(static_cast<qint64>(*status.freeBytes)));
    return text;
}

void PanelStatusBar::BeginTransfer(const QString& what)
{
    transfer_->setText(what);
    transfer_->setToolTip(what);
    progress_->setRange(0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{transfer_, progress_, cancel_})
        widget->show();
    recording_->hide();
}

void PanelStatusBar::StepTransfer(int done, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void PanelStatusBar::EndTransfer()
{
    for (QWidget* widget : std::initializer_list<QWidget*>{transfer_, progress_, cancel_})
        widget->hide();
}

} // namespace voltaryn
