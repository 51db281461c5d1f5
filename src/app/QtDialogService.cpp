#include "QtDialogService.h"

#include "files/FileTypeName.h"
#include "ui/common/QtText.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSettings>
#include <QStorageInfo>

namespace voltaryn {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString ReplaceQuestion(const QString& file)
{
    return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(file).fileName());
}

} // namespace

void QtDialogService::ShowMessage(QWidget* parent, MessageIcon icon, const QString& text)
{
    QMessageBox box(QtIcon(icon), QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogService::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

bool QtDialogService::ConfirmDestructive(QWidget* parent, const DestructiveQuestion& question)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question.text, QMessageBox::NoButton,
                    parent);
    QPushButton* action = box.addButton(question.actionButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == action;
}

QString QtDialogService::AskText(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogService::AskSaveFileName(QWidget* parent, const QString& filter)
{
    QString start = Folder();
    for (;;) {
        QString fileType;
        const QString typed = QFileDialog::getSaveFileName(parent, {}, start, filter, &fileType);
        if (typed.isEmpty())
            return {};
        const QString file = ToQString(WithFileTypeExtension(typed.toStdString(), fileType.toStdString()));
        // The dialog asked before replacing the file as typed, not the one with the extension added.
        if (file == typed || !QFileInfo::exists(file) || Confirm(parent, ReplaceQuestion(file)))
            return RememberFolderOf(file);
        start = file;  // back to the dialog, to choose another name
    }
}

QString QtDialogService::AskOpenFileName(QWidget* parent, const QString& filter)
{
    const QString file = QFileDialog::getOpenFileName(parent, {}, Folder(), filter);
    return file.isEmpty() ? file : RememberFolderOf(file);
}

const QString FolderKey = QStringLiteral("dialogs/lastFolder");

// A folder of a file system that holds files, not one the kernel makes up as it is read (/proc,
// /sys), whose listing can keep a file dialog busy for good.
bool HoldsFiles(const QString& folder)
{
    static const QList<QByteArray> MadeUp{"proc",   "sysfs",  "devtmpfs", "devpts", "cgroup",   "cgroup2",
                                          "debugfs", "tracefs", "securityfs", "pstore", "configfs", "bpf"};
    return !folder.isEmpty() && QFileInfo(folder).isDir() && !MadeUp.contains(QStorageInfo(folder).fileSystemType());
}

QString QtDialogService::Folder() const
{
    const QString folder = settings_.value(FolderKey).toString();
    return HoldsFiles(folder) ? folder : QString();
}

QString QtDialogService::RememberFolderOf(const QString& file)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (HoldsFiles(folder))
        settings_.setValue(FolderKey, folder);
    return file;
}

void QtDialogService::RunModal(QDialog& dialog) { dialog.exec(); }

} // namespace voltaryn

namespace voltaryn {

bool QtDialogService::ChoosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace voltaryn
