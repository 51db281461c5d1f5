#include "ui/panel/HelpWindows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace voltaryn {
namespace {

// A dialog's content above a Close button.
QVBoxLayout* WithCloseButton(QDialog& dialog)
{
    auto* layout = new QVBoxLayout(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return layout;
}

} // namespace

ShortcutsDialog::ShortcutsDialog(const QMenuBar& menus, const QWidget* from, QWidget* parent) : QDialog(parent)
{
    setObjectName("KeyboardShortcuts");
    setWindowTitle(tr("Keyboard Shortcuts"));
    auto* table = new QTableWidget(0, 3, this);
    table->setObjectName("Shortcuts");
    table->setHorizontalHeaderLabels({tr("Menu"), tr("Command"), tr("Shortcut")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    const auto addRow = [table](const QString& where, const QString& command, const QKeySequence& shortcut) {
        const int row = table->rowCount();
        table->insertRow(row);
        const QStringList cells{QString(where).remove('&'), QString(command).remove('&'),
                                shortcut.toString(QKeySequence::NativeText)};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    };
    if (from != nullptr && from != menus.window()) {
        for (const QAbstractButton* button : from->findChildren<QAbstractButton*>())
            if (!button->shortcut().isEmpty())
                addRow(from->windowTitle(), button->text(), button->shortcut());
        for (const QAction* action : from->findChildren<QAction*>())
            if (!action->shortcut().isEmpty())
                addRow(from->windowTitle(), action->text(), action->shortcut());
    }
    for (const QAction* menuAction : menus.actions())
        for (const QAction* action : menuAction->menu()->actions())
            if (!action->isSeparator() && !action->shortcut().isEmpty())
                addRow(menuAction->text(), action->text(), action->shortcut());
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    WithCloseButton(*this)->insertWidget(0, table);
    resize(520, 520);
}

UserGuideWindow::UserGuideWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("UserGuide");
    setWindowTitle(tr("User Guide"));
    auto* text = new QTextBrowser(this);
    text->setObjectName("Guide");
    text->setOpenExternalLinks(true);
    QFile readme(":/guide/README.md");
    if (readme.open(QIODevice::ReadOnly))
        text->setMarkdown(QString::fromUtf8(readme.readAll()));
    WithCloseButton(*this)->insertWidget(0, text);
    resize(760, 640);
}

QString AboutText()
{
    return QApplication::translate("voltaryn::AboutText",
                                   "<h3>Voltaryn %1</h3>"
                                   "<p>The desktop companion of a handheld battery analyser meter: the live "
                                   "display and keys, recording, the meter's memory and SD card, graphs, "
                                   "settings and cell sorting.</p>"
                                   "<p>Licence: proprietary; all rights reserved.</p>")
        .arg(QApplication::applicationVersion());
}

} // namespace voltaryn
