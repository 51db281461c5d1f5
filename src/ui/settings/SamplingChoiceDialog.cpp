#include "ui/settings/SamplingChoiceDialog.h"

#include "ui/common/Twips.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace voltaryn {

SamplingChoiceDialog::SamplingChoiceDialog(QWidget* mainWindow)
    : QDialog(mainWindow), optPc_(new QRadioButton("PC Sampling Rate", this)),
      optMeter_(new QRadioButton("Meter Sampling Rate", this))
{
    setObjectName("SamplingChoice");
    setWindowTitle("Sampling Rate");
    optPc_->setObjectName("OptPC");
    optMeter_->setObjectName("OptMeter");
    optMeter_->setChecked(true);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("CmdOK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optPc_);
    layout->addWidget(optMeter_);
    layout->addWidget(ok);
    adjustSize();

    const QRect main = mainWindow->frameGeometry();
    move(main.left() + (main.width() - frameGeometry().width()) / 2,
         main.top() + Twips::For(*mainWindow).ToPixels(1800));
}

bool SamplingChoiceDialog::PcSamplingChosen() const { return optPc_->isChecked(); }

} // namespace voltaryn
