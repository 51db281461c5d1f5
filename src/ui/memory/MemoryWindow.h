#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QStandardItemModel;
class QTableView;

namespace voltaryn {

// The SD card's recording files ("Data Logger"): the file table `GridSet` (number, date and
// time, records), the card's size and free space, and a progress message. Clicking a file row
// asks for that file's download.
class MemoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit MemoryWindow(QWidget* mainWindow);

    // The card's total and free size, in kilobytes.
    void ShowCardSizes(std::uint32_t sizeK, std::uint32_t freeK);
    void AddFile(int number, const QString& dateTime, int records);
    void ShowMessage(const QString& text);
    QTableView& Files() { return *files_; }

signals:
    void fileClicked(int number, int records);
    // "Clear Manual", and a click on the free space: each asks before it clears a memory.
    void clearManualClicked();
    void clearAutomaticClicked();

private:
    void AddButtons();
    void AddSizePanels();

    QStandardItemModel* model_;
    QTableView* files_;
    QLabel* size_ = nullptr;
    QLabel* remain_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace voltaryn
