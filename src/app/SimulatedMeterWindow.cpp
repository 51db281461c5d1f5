#include "SimulatedMeterWindow.h"

#include "ui/common/ScreenFit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QHBoxLayout>

namespace voltaryn {

void SimulatedMeterWindow::ShowBeside(const QWidget& mainWindow)
{
    move(mainWindow.frameGeometry().topRight() + QPoint(24, 0));
    show();
    KeepOnScreen(*this, mainWindow);
    raise();
    activateWindow();
}

SimulatedMeterWindow::SimulatedMeterWindow(sim::SimulatedMeter& meter, sim::SimulatedHidBackend& backend,
                                           QWidget& mainWindow)
{
    setObjectName("SimulatedMeter");
    setWindowTitle(tr("Simulated meter"));

    auto* show = new QAction(tr("Show the simulated meter"), &mainWindow);
    show->setShortcut(Qt::Key_F12);
    connect(show, &QAction::triggered, this, [this, &mainWindow] { ShowBeside(mainWindow); });
    mainWindow.addAction(show);
    mainWindow.setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* range = new QComboBox(this);
    range->setObjectName("SimRange");
    range->addItems({"OFF", QString::fromUtf8("4 mΩ"), QString::fromUtf8("40 mΩ"), QString::fromUtf8("400 mΩ"),
                     QString::fromUtf8("4 Ω"), QString::fromUtf8("40 Ω"), QString::fromUtf8("400 Ω")});
    range->setCurrentIndex(meter.RangeCode());
    connect(range, &QComboBox::currentIndexChanged, this, [&meter](int code) { meter.SetRangeCode(code); });

    auto* celsius = new QRadioButton(QString::fromUtf8("°C"), this);
    auto* fahrenheit = new QRadioButton(QString::fromUtf8("°F"), this);
    fahrenheit->setObjectName("SimFahrenheit");
    (meter.Fahrenheit() ? fahrenheit : celsius)->setChecked(true);
    connect(fahrenheit, &QRadioButton::toggled, this, [&meter](bool on) { meter.SetFahrenheit(on); });
    auto* unit = new QHBoxLayout;
    unit->addWidget(celsius);
    unit->addWidget(fahrenheit);

    auto* plugged = new QCheckBox(tr("USB cable plugged in"), this);
    plugged->setObjectName("SimPlugged");
    plugged->setChecked(true);
    connect(plugged, &QCheckBox::toggled, this, [&backend](bool on) { on ? backend.Plug() : backend.Unplug(); });

    auto* form = new QFormLayout(this);
    form->addRow(tr("Range switch"), range);
    form->addRow(tr("Temperature"), unit);
    form->addRow(plugged);
}

} // namespace voltaryn
