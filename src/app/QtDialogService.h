#pragma once

#include "ui/common/DialogService.h"

namespace voltaryn {

// The dialog service of the running program: Qt's own message boxes, input boxes and file
// dialogs. The file dialogs start in the folder of the file last chosen in either of them.
class QtDialogService : public DialogService {
public:
    void ShowMessage(QWidget* parent, MessageIcon icon, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    QString AskText(QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText) override;
    QString AskSaveFileName(QWidget* parent, const QString& filter) override;
    QString AskOpenFileName(QWidget* parent, const QString& filter) override;
    void RunModal(QDialog& dialog) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;

private:
    QString RememberFolderOf(const QString& file);

    QString folder_;
};

} // namespace voltaryn
