#include "monkey/Monkey.h"

#include <QAbstractButton>

namespace voltaryn::monkey {

QString MonkeyDialogs::AskText(QWidget*, const QString&, const QString&, const QString& defaultText)
{
    static const char* const Answers[] = {"", "1", "2", "5", "0", "-3", "255", "256", "86400", "86401",
                                          "OFF", "4", "8", "16", "abc", " 7 ", "1e3"};
    if (Pick(4) == 0)
        return defaultText;
    return QString::fromLatin1(Answers[Pick(static_cast<int>(std::size(Answers)))]);
}

QString MonkeyDialogs::AskSaveFileName(QWidget*, const QString&)
{
    if (Pick(8) == 0)
        return {};
    return QString::fromStdString((folder_ / ("run" + std::to_string(++names_) + ".txt")).string());
}

QString MonkeyDialogs::AskOpenFileName(QWidget*, const QString&)
{
    const int choice = Pick(static_cast<int>(openable.size()) + 2);
    if (choice == 0)
        return {};
    if (choice == 1)
        return QString::fromStdString((folder_ / "missing.txt").string());
    return QString::fromStdString(openable[static_cast<std::size_t>(choice - 2)].string());
}

// A few of the dialog's check boxes, radio buttons or push buttons clicked, then OK or Cancel.
void MonkeyDialogs::RunModal(QDialog& dialog)
{
    for (int click = Pick(4); click > 0; --click) {
        const QList<QAbstractButton*> buttons = dialog.findChildren<QAbstractButton*>();
        if (buttons.isEmpty())
            break;
        QAbstractButton* button = buttons[Pick(static_cast<int>(buttons.size()))];
        if (button->isEnabled())
            button->click();
    }
    if (Pick(2) == 0)
        dialog.accept();
    else
        dialog.reject();
}

} // namespace voltaryn::monkey
