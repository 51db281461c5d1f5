#include "ui/graphs/GraphSettingsDialog.h"

#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace voltaryn {
namespace {

struct FramePlace {
    const char* caption;
    const char* check;
    const char* suffix;  // of the field and label names: AxisMaxV, LblMinV, ...
    const char* pattern;
    AxisChannel channel;
};

// The frames as the dialog shows them, top to bottom.
constexpr FramePlace Frames[] = {
    {"Voltage", "CkV", "V", ".00#", AxisChannel::Voltage},
    {"Ampere", "CkA", "A", ".0##", AxisChannel::Current},
    {"Temperature", "CkTemp", "T", "0.0", AxisChannel::Temperature},
    {"Resistance", "CkOhm", "O", "0.0", AxisChannel::Resistance},
    {"Capacity", "CkCap", "C", ".###", AxisChannel::Capacity},
};

// A channel's maximum or minimum field, named for a screen reader as "Voltage maximum".
NumberField* Field(bool maximum, const FramePlace& place, QWidget* parent)
{
    auto* field = new NumberField(QStringLiteral("Axis%1%2").arg(maximum ? "Max" : "Min", place.suffix),
                                  place.pattern, parent);
    field->setAccessibleName(QStringLiteral("%1 %2").arg(place.caption, maximum ? "maximum" : "minimum"));
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
        frame.max = Field(true, place, frame.box);
        frame.min = Field(false, place, frame.box);
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
            for (NumberField* field : {frame.max, frame.min})
                connect(field, &NumberField::valueChanged, this,
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
        limits[place.channel] = {FrameOf(place.channel).max->Value(), FrameOf(place.channel).min->Value()};
    return limits;
}

void GraphSettingsDialog::SetLimits(const AxisLimits& limits, bool asBounds)
{
    for (const FramePlace& place : Frames) {
        const AxisRange range = limits[place.channel];
        for (NumberField* field : {FrameOf(place.channel).max, FrameOf(place.channel).min}) {
            const QSignalBlocker quiet(field);
            if (asBounds)
                field->SetBounds(range.Min, range.Max);
        }
        FrameOf(place.channel).max->SetValue(range.Max);
        FrameOf(place.channel).min->SetValue(range.Min);
    }
}

void GraphSettingsDialog::SetResistanceFormat(const FieldFormat& format)
{
    for (NumberField* field : {FrameOf(AxisChannel::Resistance).max, FrameOf(AxisChannel::Resistance).min}) {
        field->SetPattern(std::string(format.Pattern));
        field->SetStep(format.Step);
    }
}

void GraphSettingsDialog::SetChannelAvailable(AxisChannel channel, bool available)
{
    FrameOf(channel).box->setEnabled(available);
    if (!available)
        FrameOf(channel).check->setChecked(false);
}

} // namespace voltaryn
