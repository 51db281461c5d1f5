#pragma once

#include <QString>

class QDialog;
class QPrinter;
class QWidget;

namespace voltaryn {

enum class MessageIcon { None, Critical, Exclamation };

// A question before something that cannot be undone: the exclamation icon, the text, a button
// that names the action ("Delete all files") and Cancel, which Enter presses.
struct DestructiveQuestion {
    QString text;
    QString actionButton;
};

// Every modal box and file dialog the windows show goes through here, so that the program shows
// Qt's dialogs and the tests answer them from a script.
class DialogService {
public:
    virtual ~DialogService() = default;

    // A message with an OK button.
    virtual void ShowMessage(QWidget* parent, MessageIcon icon, const QString& text) = 0;
    // A confirmation with the exclamation icon and OK and Cancel; true on OK.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // The question before a destructive action; true only when its named button was pressed.
    // Answered as Confirm() where a dialog service knows no named buttons.
    virtual bool ConfirmDestructive(QWidget* parent, const DestructiveQuestion& question)
    {
        return Confirm(parent, question.text);
    }
    // An input box; the empty text on Cancel.
    virtual QString AskText(QWidget* parent, const QString& title, const QString& prompt,
                            const QString& defaultText) = 0;
    // The save dialog, asking before an existing file is replaced; the empty text on Cancel.
    virtual QString AskSaveFileName(QWidget* parent, const QString& filter) = 0;
    // The open dialog; the empty text on Cancel.
    virtual QString AskOpenFileName(QWidget* parent, const QString& filter) = 0;
    // Runs one of the program's own modal dialogs until it closes.
    virtual void RunModal(QDialog& dialog) = 0;
    // The printer dialog, which sets up `printer` (a printer, or a PDF file); false on Cancel.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The file type of every data file the program reads and writes.
inline const QString DataFileFilter = QStringLiteral("Data Files (*.txt);;All Files (*.*)");
// The lists save and open data files, and also CSV for spreadsheets.
inline const QString ListFileFilter = QStringLiteral("Data Files (*.txt);;CSV (*.csv);;All Files (*.*)");

} // namespace voltaryn
