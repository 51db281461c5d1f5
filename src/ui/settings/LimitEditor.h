#pragma once

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QComboBox;

namespace voltaryn {

// One comparator limit as the user edits it: four digit selectors, the decimal point in one of
// the three gaps between them, and for resistance the unit. Controls are named after the limit:
// `HighO(1)`..`HighO(4)`, `HODec(1)`..`HODec(3)`, `HOhmUnit` (or `HVUnit` for a voltage).
class LimitEditor : public QGroupBox {
    Q_OBJECT
public:
    struct Names {
        const char* digits;    // "HighO"
        const char* decimals;  // "HODec"
        const char* unit;      // "HOhmUnit"
        const char* spoken;    // "high resistance limit", for screen readers
    };
    enum class Kind { Resistance, Voltage };

    LimitEditor(const QString& caption, Kind kind, const Names& names, QWidget* parent);

    std::array<QString, 4> Digits() const;
    void SetDigits(const std::array<QString, 4>& digits);
    // The chosen decimal point: 3 = X.XXX, 2 = XX.XX, 1 = XXX.X, 0 = none chosen.
    int DecimalIndex() const;
    // Chooses a decimal point; 0 clears the choice.
    void SetDecimalIndex(int index);
    bool Milliohm() const;
    void SetMilliohm(bool milliohm);

private:
    std::array<QComboBox*, 4> digits_{};
    QButtonGroup* decimals_;
    QComboBox* unit_ = nullptr;  // resistance only
};

} // namespace voltaryn
