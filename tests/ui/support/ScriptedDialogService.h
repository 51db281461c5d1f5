#pragma once

#include "ui/common/DialogService.h"

#include <QDialog>
#include <QPrinter>
#include <QStringList>

#include <functional>

namespace voltaryn::testing {

// Answers the program's dialogs from a script and keeps what they showed. An input box with no
// scripted answer is cancelled, as is a confirmation; a modal dialog with no script is closed.
class ScriptedDialogService : public DialogService {
public:
    QStringList answers;                 // input boxes, in order
    QList<bool> confirmations;           // OK / Cancel, in order
    QString saveFileName;
    QString openFileName;
    std::function<void(QDialog&)> modal;
    std::function<void()> onInput;       // runs while an input box is open
    std::function<void()> onConfirm;     // runs while a confirmation is open
    QString printToPdf;                  // the printer dialog prints to this PDF file; Cancel when empty
    std::function<bool(QPrinter&)> onPrinter;  // the user's further choices there; false for Cancel

    QStringList messages;                // every message box's text
    QStringList prompts;                 // every input box's prompt
    QStringList defaults;                // every input box's default text

    void ShowMessage(QWidget*, MessageIcon, const QString& text) override { messages << text; }
    bool Confirm(QWidget*, const QString& text) override
    {
        messages << text;
        if (onConfirm)
            onConfirm();
        return !confirmations.isEmpty() && confirmations.takeFirst();
    }
    QList<DestructiveQuestion> destructiveQuestions;  // every destructive question, answered as confirmations
    bool ConfirmDestructive(QWidget* parent, const DestructiveQuestion& question) override
    {
        destructiveQuestions << question;
        return Confirm(parent, question.text);
    }
    QString AskText(QWidget*, const QString&, const QString& prompt, const QString& defaultText) override
    {
        prompts << prompt;
        defaults << defaultText;
        if (onInput)
            onInput();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString AskSaveFileName(QWidget*, const QString&) override { return saveFileName; }
    QString AskOpenFileName(QWidget*, const QString&) override { return openFileName; }
    void RunModal(QDialog& dialog) override
    {
        if (modal)
            modal(dialog);
    }

    bool ChoosePrinter(QWidget*, QPrinter& printer) override
    {
        if (printToPdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
        return !onPrinter || onPrinter(printer);
    }
};

} // namespace voltaryn::testing
