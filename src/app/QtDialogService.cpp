#include "QtDialogService.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>

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

QString QtDialogService::AskText(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogService::AskSaveFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, {}, {}, filter);
}

QString QtDialogService::AskOpenFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, {}, {}, filter);
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
