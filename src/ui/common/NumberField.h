#pragma once

#include <QAbstractSpinBox>

#include <string>

class QLabel;

namespace voltaryn {

// A limit field: holds a float, shows it through a display pattern (see FormatNumber) and keeps
// the value the user typed, not its rounded display. Typing applies on Enter or when the field
// loses focus; a text that is no number, or a number outside the field's bounds, is refused with a
// word shown under the field, and the value stays as it was. The arrows and keys step by Step.
class NumberField : public QAbstractSpinBox {
    Q_OBJECT
    // What Qt's accessibility bridge reads of a spin box.
    Q_PROPERTY(double value READ AccessibleValue WRITE SetAccessibleValue NOTIFY valueChanged)
    Q_PROPERTY(double minimum READ AccessibleMinimum)
    Q_PROPERTY(double maximum READ AccessibleMaximum)
public:
    NumberField(const QString& name, std::string pattern, QWidget* parent);

    float Value() const { return value_; }
    // Shows `value` (held within the bounds); valueChanged follows when it differs.
    void SetValue(float value);
    void SetPattern(std::string pattern);
    void SetStep(double step) { step_ = step; }
    void SetBounds(float minimum, float maximum);
    // The word shown for the last refused text; empty while the text was taken.
    QString Refusal() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(float value);

protected:
    StepEnabled stepEnabled() const override;
    void hideEvent(QHideEvent* event) override;

private:
    double AccessibleValue() const { return value_; }
    void SetAccessibleValue(double value) { SetValue(static_cast<float>(value)); }
    double AccessibleMinimum() const { return minimum_; }
    double AccessibleMaximum() const { return maximum_; }
    void TakeTypedText();
    void Refuse(const QString& word);
    void ShowValue();

    std::string pattern_;
    float value_ = 0;
    double step_ = 1;
    float minimum_;
    float maximum_;
    QLabel* refusal_;
};

} // namespace voltaryn
