#pragma once

#include <QStatusBar>

#include <cstdint>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace voltaryn {

// What the status bar says of a recording under way.
struct RecordingStatus {
    QString fileName;
    int records = 0;
    int elapsedSeconds = 0;
    std::optional<std::uint64_t> freeBytes;  // the disk's free space, when it is known
};

// The main window's status bar: the meter's connection and identification, the recording under
// way, and the progress of a long transfer with its Cancel button. Refusals that open no message
// box show here for a while (showMessage).
class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent);

    void ShowConnection(const QString& state, const QString& identification);
    // Nothing when no recording runs.
    void ShowRecording(const std::optional<RecordingStatus>& status);

    void BeginTransfer(const QString& what);
    void StepTransfer(int done, int total);
    void EndTransfer();

    // The recording's line: the file, the records written, the time since it started, and the
    // free disk space once less than 1 GiB is left.
    static QString RecordingText(const RecordingStatus& status);

signals:
    void cancelClicked();

private:
    QLabel* connection_;
    QLabel* recording_;
    QLabel* transfer_;
    QProgressBar* progress_;
    QPushButton* cancel_;
};

} // namespace voltaryn
