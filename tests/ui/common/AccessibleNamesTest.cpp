#include "support/PanelHarness.h"

#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QGroupBox>
#include <QHeaderView>

#include <qcustomplot.h>

#include <fstream>

namespace voltaryn::testing {
namespace {

bool IsInput(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) != nullptr || qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr || qobject_cast<const QComboBox*>(widget) != nullptr ||
           (qobject_cast<const QAbstractItemView*>(widget) != nullptr && qobject_cast<const QHeaderView*>(widget) == nullptr);
}

// Parts Qt builds inside another input (a spin box's editor, a table's corner button, a tool
// bar's overflow button) are read out as part of it.
bool IsPartOfAnother(const QWidget* widget)
{
    if (widget->objectName().startsWith("qt_"))
        return true;
    for (const QObject* up = widget->parent(); up != nullptr; up = up->parent())
        if (qobject_cast<const QAbstractSpinBox*>(up) != nullptr || qobject_cast<const QComboBox*>(up) != nullptr ||
            qobject_cast<const QAbstractItemView*>(up) != nullptr)
            return true;
    return false;
}

// The name a screen reader gives a widget: its own, or the one Qt derives (a button's text).
// A combo box's derived name is only its current choice, so it needs one of its own.
QString SpokenName(QWidget* widget)
{
    if (!widget->accessibleName().isEmpty() || qobject_cast<QComboBox*>(widget) != nullptr)
        return widget->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face == nullptr ? QString() : face->text(QAccessible::Name).trimmed();
}

// A titled frame is read out as a landmark, so it must be told apart from the others.
bool IsTitledFrame(const QWidget* widget)
{
    const auto* frame = qobject_cast<const QGroupBox*>(widget);
    return frame != nullptr && !frame->title().isEmpty();
}

// Every input or titled frame of the window without a name, or with a name another one has too.
QStringList NameFaults(QWidget& window)
{
    QMultiHash<QString, QString> byName;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if ((IsInput(widget) || IsTitledFrame(widget)) && !IsPartOfAnother(widget))
            byName.insert(SpokenName(widget), widget->metaObject()->className() + (" " + widget->objectName()));
    }
    QStringList faults;
    for (const QString& name : byName.uniqueKeys()) {
        const QStringList holders = byName.values(name);
        if (name.isEmpty() || holders.size() > 1)
            faults << QStringLiteral("\"%1\": %2").arg(name, holders.join(", "));
    }
    return faults;
}

class AccessibleNamesTest : public PanelHarness {
protected:
    AccessibleNamesTest() { Rotation(); }

    void Check(QWidget* window, const char* what)
    {
        ASSERT_NE(window, nullptr) << what;
        EXPECT_EQ(NameFaults(*window), QStringList()) << what;
    }
    template <typename T = QWidget>
    T* Window(const char* name) const { return panel.findChild<T*>(name); }
    void CheckModal(const char* key)
    {
        bool opened = false;
        dialogs.modal = [&](QDialog& dialog) {
            opened = true;
            Check(&dialog, key);
        };
        Click(key);
        EXPECT_TRUE(opened) << key;
        dialogs.modal = nullptr;
    }
};

TEST_F(AccessibleNamesTest, EveryInputOfEveryWindowHasANameOfItsOwn)
{
    Click("key");
    Click("DeleteSD");
    Check(&panel, "main window with key pad and delete panel");

    for (const char* key : {"TimeSet", "Sampling"})
        CheckModal(key);
    for (const auto& [key, window] : {std::pair{"COMP", "Comparator"}, {"Memory", "ManualList"}, {"SDcard", "Memory"}}) {
        Click(key);
        Check(Window(window), window);
    }

    QTemporaryDir folder;
    dialogs.openFileName = folder.filePath("run.txt");
    std::ofstream(dialogs.openFileName.toStdString(), std::ios::binary)
        << "No.s\tTime\tV\t40 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n"
           "1\t10:00:01\t12.50\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n";
    Click("Open");
    auto* fileList = Window<RecordListWindow>("FileList");
    Check(fileList, "file list");
    ClickCell(fileList->Grid(), 0, 2);
    Check(Window("Plot"), "plot");

    recorder.SetSampleTime(1);
    Click("List");
    Check(Window("RealTimeList"), "live list");

    Click("Graph");
    auto* settings = Window<GraphSettingsDialog>("AllGraph");
    Check(settings, "graph settings");
    settings->findChild<QCheckBox*>("CkV")->setChecked(true);
    settings->findChild<QPushButton*>("CmdOK")->click();
    DeleteClosed();
    auto* live = Window<LiveGraphWindow>("RealTimeAll");
    Check(live, "live graph");
    app.Graphs().Sample();
    QTest::mouseClick(&live->Plot(), Qt::LeftButton);
    auto* detailSettings = Window<GraphSettingsDialog>("GraphDetail");
    Check(detailSettings, "detail graph settings");
    detailSettings->findChild<QPushButton*>("CmdOK")->click();
    Check(Window("RealTimeGraph"), "detail graph");
}

} // namespace
} // namespace voltaryn::testing
