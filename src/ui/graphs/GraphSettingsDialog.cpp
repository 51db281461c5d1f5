#include "ui/graphs/GraphSettingsDialog.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <limits>

namespace voltaryn {
namespace {

struct FramePlace {
    const char* caption;
    const char* check;
    const char* suffix;  // of the field and label names: AxisMaxV, LblMinV, ...
    int decimals;
    AxisChannel channel;
};

// The frames as the dialog shows them, top to bottom.
constexpr FramePlace Frames[] = {
    {"Voltage", "CkV", "V", 3, AxisChannel::Voltage},
    {"Ampere", "CkA", "A", 3, AxisChannel::Current},
    {"Temperature", "CkTemp", "T", 1, AxisChannel::Temperature},
    {"Resistance", "CkOhm", "O", 1, AxisChannel::Resistance},
    {"Capacity", "CkCap", "C", 3, AxisChannel::Capacity},
};

QDoubleSpinBox* Field(const QString& name, int decimals, QWidget* parent)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setDecimals(decimals);
    field->setRange(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max());
    return field;
}

} // namespace

GraphSettingsDialog::GraphSettingsDialog(Kind kind, QWidget* parent) : QDialog(parent)
{
    const bool all = kind == Kind::AllGraph;
    setObjectName(all ? "AllGraph" : "GraphDetail");
    setWindowTitle(all ? "Graph" : "Graph Detail");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const FramePlace& place : Frames) {
        Frame& frame = FrameOf(place.channel);
        frame.box = new QGroupBox(place.caption, this);
        frame.check = new QCheckBox(frame.box);
        frame.check->setObjectName(place.check);
        frame.check->setAccessibleName(QStringLiteral("Show %1").arg(place.caption));
        frame.max = Field(QStringLiteral("AxisMax%1").arg(place.suffix), place.decimals, frame.box);
        frame.min = Field(QStringLiteral("AxisMin%1").arg(place.suffix), place.decimals, frame.box);
        auto* maxLabel = new QLabel("Max", frame.box);
        maxLabel->setObjectName(QStringLiteral("LblMax%1").arg(place.suffix));
        auto* minLabel = new QLabel("Min", frame.box);
        minLabel->setObjectName(QStringLiteral("LblMin%1").arg(place.suffix));
        auto* inside = new QGridLayout(frame.box);
        inside->addWidget(frame.check, 0, 0, 2, 1);
        inside->addWidget(maxLabel, 0, 1);
        inside->addWidget(frame.max, 0, 2);
        inside->addWidget(minLabel, 1, 1);
        inside->addWidget(frame.min, 1, 2);
        for (QWidget* shown : {static_cast<QWidget*>(maxLabel), static_cast<QWidget*>(minLabel),
                               static_cast<QWidget*>(frame.max), static_cast<QWidget*>(frame.min)}) {
            // The frame keeps its size while the fields are hidden, so checking a box moves nothing.
            QSizePolicy keepsRoom = shown->sizePolicy();
            keepsRoom.setRetainSizeWhenHidden(true);
            shown->setSizePolicy(keepsRoom);
            shown->setVisible(false);
            connect(frame.check, &QCheckBox::toggled, shown, &QWidget::setVisible);
        }
        if (all) {
            const AxisChannel channel = place.channel;
            for (QDoubleSpinBox* field : {frame.max, frame.min})
                connect(field, &QDoubleSpinBox::valueChanged, this,
                        [this, channel] { emit limitChanged(channel, Limits()[channel]); });
        }
        layout->addWidget(frame.box, row / 2, row % 2);
        ++row;
    }
    auto* message = new QLabel("Check the box and set up the maximum / mininum of YAxis for the Graphic Display.", this);
    message->setObjectName("LblMessage");
    message->setFont(QFont("Times New Roman"));
    message->setWordWrap(true);
    layout->addWidget(message, 3, 0, 1, 2);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("CmdOK");
    connect(ok, &QPushButton::clicked, this, [this] {
        emit okClicked();
        close();
    });
    layout->addWidget(ok, 4, 1, Qt::AlignRight);
}

ChannelSwitches GraphSettingsDialog::Switches() const
{
    ChannelSwitches switches;
    for (const FramePlace& place : Frames)
        switches[SwitchOf(place.channel)] = FrameOf(place.channel).check->isChecked();
    return switches;
}

void GraphSettingsDialog::SetSwitches(const ChannelSwitches& switches)
{
    for (const FramePlace& place : Frames)
        FrameOf(place.channel).check->setChecked(switches[SwitchOf(place.channel)]);
}

AxisLimits GraphSettingsDialog::Limits() const
{
    AxisLimits limits;
    for (const FramePlace& place : Frames)
        limits[place.channel] = {static_cast<float>(FrameOf(place.channel).max->value()),
                                 static_cast<float>(FrameOf(place.channel).min->value())};
    return limits;
}

void GraphSettingsDialog::SetLimits(const AxisLimits& limits, bool asBounds)
{
    for (const FramePlace& place : Frames) {
        const AxisRange range = limits[place.channel];
        for (QDoubleSpinBox* field : {FrameOf(place.channel).max, FrameOf(place.channel).min}) {
            const QSignalBlocker quiet(field);
            if (asBounds)
                field->setRange(range.Min, range.Max);
        }
        FrameOf(place.channel).max->setValue(range.Max);
        FrameOf(place.channel).min->setValue(range.Min);
    }
}

void GraphSettingsDialog::SetResistanceFormat(const FieldFormat& format)
{
    for (QDoubleSpinBox* field : {FrameOf(AxisChannel::Resistance).max, FrameOf(AxisChannel::Resistance).min}) {
        field->setDecimals(format.Decimals);
        field->setSingleStep(format.Step);
    }
}

void GraphSettingsDialog::SetChannelAvailable(AxisChannel channel, bool available)
{
    FrameOf(channel).box->setEnabled(available);
    if (!available)
        FrameOf(channel).check->setChecked(false);
}

} // namespace voltaryn
