#pragma once

#include "ui/lists/RecordListWindow.h"

#include <QLabel>

namespace voltaryn {

// The list of a recording file downloaded from the meter's SD card: the records, with the
// recording's start time and interval and a progress message above them.
class DataListWindow : public RecordListWindow {
    Q_OBJECT
public:
    DataListWindow(const std::string& range, const std::string& tempUnit, ListServices services,
                   QWidget* parent = nullptr);

    void ShowStartTime(const QString& text) { startTime_->setText(text); }
    void ShowInterval(const QString& text) { interval_->setText(text); }
    void ShowMessage(const QString& text) { message_->setText(text); }

private:
    QLabel* startTime_;
    QLabel* interval_;
    QLabel* message_;
};

} // namespace voltaryn
