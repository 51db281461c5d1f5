#pragma once

#include <QDialog>

class QRadioButton;

namespace voltaryn {

// Asks whether the sampling interval to set is the PC's (for recording) or the meter's own.
class SamplingChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // Placed centred over the main window, 1800 twips below its top edge.
    explicit SamplingChoiceDialog(QWidget* mainWindow);

    // Whether the PC's sampling rate is chosen; meaningful once OK has closed the dialog.
    bool PcSamplingChosen() const;

private:
    QRadioButton* optPc_;
    QRadioButton* optMeter_;
};

} // namespace voltaryn
