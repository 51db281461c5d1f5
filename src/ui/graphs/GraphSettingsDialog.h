#pragma once

#include "graphs/GraphChannels.h"
#include "graphs/GraphSettings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;

namespace voltaryn {

class NumberField;

// "Graph" (`AllGraph`) and "Graph Detail" (`GraphDetail`): a frame per channel with its check box
// and the maximum and minimum of its vertical axis; a channel's fields show only while its box
// is checked. "OK" is handed on as okClicked(); the dialog closes itself on it.
class GraphSettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { AllGraph, GraphDetail };

    GraphSettingsDialog(Kind kind, QWidget* parent);

    ChannelSwitches Switches() const;
    void SetSwitches(const ChannelSwitches& switches);
    AxisLimits Limits() const;
    // Shows the limits; with `asBounds` each field's allowed range becomes its channel's min..max.
    void SetLimits(const AxisLimits& limits, bool asBounds);
    void SetResistanceFormat(const FieldFormat& format);
    // Makes a channel's frame unavailable (the detail graph offers only what the live graph charted).
    void SetChannelAvailable(AxisChannel channel, bool available);

signals:
    void okClicked();
    void limitChanged(AxisChannel channel, AxisRange range);

private:
    struct Frame {
        QGroupBox* box;
        QCheckBox* check;
        NumberField* max;
        NumberField* min;
    };
    Frame& FrameOf(AxisChannel channel) { return frames_.at(static_cast<std::size_t>(channel)); }
    const Frame& FrameOf(AxisChannel channel) const { return frames_.at(static_cast<std::size_t>(channel)); }

    std::array<Frame, AxisChannelCount> frames_{};
};

} // namespace voltaryn
