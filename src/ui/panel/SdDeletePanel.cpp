#include "ui/panel/SdDeletePanel.h"

#include "ui/common/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace voltaryn {

SdDeletePanel::SdDeletePanel(QWidget* parent)
    : QFrame(parent), choices_(new QComboBox(this)), message_(new QLabel(this))
{
    setObjectName("SSPSDClear");
    setFrameShape(QFrame::StyledPanel);
    const Twips twips = Twips::For(*this);
    setFixedSize(twips.Size(2040, 1080));

    auto* caption = new QLabel("SD Card Delete", this);
    caption->setGeometry(twips.Rect(60, 30, 1920, 240));
    choices_->setObjectName("CbxSDClear");
    choices_->setAccessibleName("Files to delete from the SD card");
    choices_->setGeometry(twips.Rect(60, 300, 1200, 300));
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BtnSDClearOK");
    ok->setGeometry(twips.Rect(1320, 300, 660, 300));
    connect(ok, &QPushButton::clicked, this, [this] { emit okClicked(choices_->currentText()); });
    message_->setObjectName("LblMessage");
    message_->setGeometry(twips.Rect(60, 660, 1920, 240));
}

void SdDeletePanel::StartFill()
{
    choices_->clear();
    choices_->addItems({"Exit", "ALL"});
    message_->clear();
}

void SdDeletePanel::AddFile(int number) { choices_->addItem(QString::number(number)); }

void SdDeletePanel::EndFill() { choices_->setCurrentIndex(0); }

void SdDeletePanel::ShowMessage(const QString& text) { message_->setText(text); }

} // namespace voltaryn
