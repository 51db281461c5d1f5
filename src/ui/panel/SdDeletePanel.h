#pragma once

#include <QFrame>

class QComboBox;
class QLabel;

namespace voltaryn {

// "SD Card Delete" on the main window: a list of what to delete ("Exit", "ALL", then the card's
// file numbers), its OK button and a progress message.
class SdDeletePanel : public QFrame {
    Q_OBJECT
public:
    explicit SdDeletePanel(QWidget* parent);

    // Empties the list down to "Exit" and "ALL"; file numbers follow one by one.
    void StartFill();
    void AddFile(int number);
    // Selects "Exit", so that OK deletes nothing unless the user picks something.
    void EndFill();
    void ShowMessage(const QString& text);

signals:
    void okClicked(const QString& choice);

private:
    QComboBox* choices_;
    QLabel* message_;
};

} // namespace voltaryn
