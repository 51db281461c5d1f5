#include "ui/settings/LimitEditor.h"

#include "ui/common/QtText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace voltaryn {

LimitEditor::LimitEditor(const QString& caption, Kind kind, const Names& names, QWidget* parent)
    : QGroupBox(caption, parent), decimals_(new QButtonGroup(this))
{
    // Both limits of both quantities are captioned HIGH or LOW: each frame is read out by what it sets.
    QString spoken = tr(names.spoken);
    spoken[0] = spoken[0].toUpper();
    setAccessibleName(spoken);
    auto* grid = new QGridLayout(this);
    // Row 0: the unit; row 1: the digits in even columns; row 2: the points in the gaps between.
    if (kind == Kind::Resistance) {
        unit_ = new QComboBox(this);
        unit_->addItems({" Ohm", " mOhm"});
        unit_->setObjectName(names.unit);
        unit_->setAccessibleName(tr("Unit of the %1").arg(tr(names.spoken)));
        grid->addWidget(unit_, 0, 0, 1, 7);
    } else {
        auto* volt = new QLabel("V", this);
        volt->setObjectName(names.unit);
        grid->addWidget(volt, 1, 8);
    }
    for (int i = 0; i < 4; ++i) {
        auto* digit = new QComboBox(this);
        digit->setEditable(true);
        for (int d = 0; d <= 9; ++d)
            digit->addItem(QString::number(d));
        digit->setObjectName(Indexed(names.digits, i + 1));
        digit->setAccessibleName(tr("Digit %1 of 4 of the %2").arg(i + 1).arg(tr(names.spoken)));
        digits_.at(static_cast<std::size_t>(i)) = digit;
        grid->addWidget(digit, 1, 2 * i);
    }
    // Option 3 lies between digits 1 and 2 (X.XXX), option 1 between digits 3 and 4 (XXX.X).
    for (int index = 1; index <= 3; ++index) {
        auto* point = new QRadioButton(this);
        point->setObjectName(Indexed(names.decimals, index));
        point->setAccessibleName(tr("Decimal point after digit %1 of the %2").arg(4 - index).arg(tr(names.spoken)));
        point->setEnabled(kind == Kind::Resistance || index != 1);  // a voltage has no XXX.X
        decimals_->addButton(point, index);
        grid->addWidget(point, 2, 2 * (4 - index) - 1, Qt::AlignCenter);
    }
}

std::array<QString, 4> LimitEditor::Digits() const
{
    std::array<QString, 4> texts;
    for (std::size_t i = 0; i < 4; ++i)
        texts.at(i) = digits_.at(i)->currentText();
    return texts;
}

void LimitEditor::SetDigits(const std::array<QString, 4>& digits)
{
    for (std::size_t i = 0; i < 4; ++i)
        digits_.at(i)->setCurrentText(digits.at(i));
}

int LimitEditor::DecimalIndex() const { return std::max(decimals_->checkedId(), 0); }

void LimitEditor::SetDecimalIndex(int index)
{
    if (QAbstractButton* point = decimals_->button(index)) {
        point->setChecked(true);
        return;
    }
    decimals_->setExclusive(false);
    for (QAbstractButton* point : decimals_->buttons())
        point->setChecked(false);
    decimals_->setExclusive(true);
}

bool LimitEditor::Milliohm() const { return unit_ != nullptr && unit_->currentText() == " mOhm"; }

void LimitEditor::SetMilliohm(bool milliohm)
{
    if (unit_ != nullptr)
        unit_->setCurrentText(milliohm ? " mOhm" : " Ohm");
}

} // namespace voltaryn
