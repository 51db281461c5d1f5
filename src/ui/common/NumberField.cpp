#include "ui/common/NumberField.h"

#include "graphs/NumberText.h"
#include "ui/common/QtText.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <utility>

namespace voltaryn {
namespace {

QString Shown(float value) { return ToQString(FormatNumber(value, "")); }

} // namespace

NumberField::NumberField(const QString& name, std::string pattern, QWidget* parent)
    : QAbstractSpinBox(parent), pattern_(std::move(pattern)), minimum_(-std::numeric_limits<float>::max()),
      maximum_(std::numeric_limits<float>::max()), refusal_(new QLabel(this, Qt::ToolTip))
{
    setObjectName(name);
    setKeyboardTracking(false);
    refusal_->setObjectName("Refusal");
    refusal_->setForegroundRole(QPalette::ToolTipText);
    refusal_->setBackgroundRole(QPalette::ToolTipBase);
    refusal_->setAutoFillBackground(true);
    refusal_->setMargin(2);
    connect(this, &QAbstractSpinBox::editingFinished, this, &NumberField::TakeTypedText);
    ShowValue();
}

void NumberField::SetValue(float value)
{
    const float held = std::clamp(value, minimum_, maximum_);
    const bool changed = held != value_;
    value_ = held;
    Refuse({});
    ShowValue();
    if (changed)
        emit valueChanged(value_);
}

void NumberField::SetPattern(std::string pattern)
{
    pattern_ = std::move(pattern);
    ShowValue();
}

void NumberField::SetBounds(float minimum, float maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetValue(value_);
}

QString NumberField::Refusal() const { return refusal_->text(); }

void NumberField::stepBy(int steps)
{
    TakeTypedText();
    SetValue(static_cast<float>(value_ + steps * step_));
    selectAll();
}

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    enabled.setFlag(StepUpEnabled, value_ < maximum_);
    enabled.setFlag(StepDownEnabled, value_ > minimum_);
    return enabled;
}

// Every text may be typed; whether it is a number is told when it is taken, never by dropping keys.
QValidator::State NumberField::validate(QString&, int&) const { return QValidator::Acceptable; }

QSize NumberField::sizeHint() const
{
    QSize hint = QAbstractSpinBox::sizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().horizontalAdvance("-00000.000") + 32));
    return hint;
}

QSize NumberField::minimumSizeHint() const { return sizeHint(); }

void NumberField::hideEvent(QHideEvent* event)
{
    refusal_->hide();
    QAbstractSpinBox::hideEvent(event);
}

void NumberField::TakeTypedText()
{
    const QString typed = lineEdit()->text();
    if (typed == ToQString(FormatNumber(value_, pattern_)))
        return;  // the value as shown: nothing typed
    const ParsedNumber parsed = ParseNumber(typed.toStdString());
    if (parsed.Refusal == NumberRefusal::NotANumber)
        Refuse(QStringLiteral("\"%1\" is not a number").arg(typed.trimmed()));
    else if (parsed.Refusal == NumberRefusal::TooLarge)
        Refuse(QStringLiteral("%1 is too large").arg(typed.trimmed()));
    else if (parsed.Value < minimum_ || parsed.Value > maximum_)
        Refuse(tr("Enter a number from %1 to %2").arg(Shown(minimum_), Shown(maximum_)));
    else
        SetValue(parsed.Value);
}

// An empty word takes the refusal away.
void NumberField::Refuse(const QString& word)
{
    refusal_->setText(word);
    setAccessibleDescription(word);
    if (word.isEmpty()) {
        refusal_->hide();
        return;
    }
    refusal_->adjustSize();
    refusal_->move(mapToGlobal(rect().bottomLeft()));
    if (isVisible())
        refusal_->show();
}

void NumberField::ShowValue()
{
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(ToQString(FormatNumber(value_, pattern_)));
}

} // namespace voltaryn
