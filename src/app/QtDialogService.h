#pragma once

#include "ui/common/DialogService.h"

class QSettings;

namespace voltaryn {

// The dialog service of the running program: Qt's own message boxes, input boxes and file
// dialogs. The file dialogs start in the folder of the file last chosen in either of them, in
// this run or an earlier one, unless it is gone or one the kernel makes up (/proc, /sys).
class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QSettings& settings) : settings_(settings) {}

    void ShowMessage(QWidget* parent, MessageIcon icon, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    bool ConfirmDestructive(QWidget* parent, const DestructiveQuestion& question) override;
    QString AskText(QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText) override;
    QString AskSaveFileName(QWidget* parent, const QString& filter) override;
    QString AskOpenFileName(QWidget* parent, const QString& filter) override;
    void RunModal(QDialog& dialog) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;

private:
    QString RememberFolderOf(const QString& file);

    QString Folder() const;

    QSettings& settings_;
};

} // namespace voltaryn
