#include "settings/ComparatorEditors.h"

#include <algorithm>

namespace voltaryn {
namespace {

constexpr int SixtyVoltsCount = 6000;  // 60.00 at XX.XX

OhmEditor OhmEditorFor(const OhmLimit& limit)
{
    return {SplitDigits(limit.Count), limit.Decimals(), std::string(limit.Milli ? MilliOhmUnitText : OhmUnitText)};
}

VoltEditor VoltEditorFor(const VoltLimit& limit) { return {SplitDigits(limit.Count), limit.Decimals()}; }

OhmLimit OhmLimitOf(const OhmEditor& editor)
{
    return {JoinDigits(editor.digits), editor.unit == MilliOhmUnitText, editor.option == 3, editor.option == 2,
            editor.option == 1};
}

VoltLimit VoltLimitOf(const VoltEditor& editor)
{
    return {JoinDigits(editor.digits), editor.option == 3, editor.option == 2};
}

} // namespace

DigitTexts SplitDigits(int count)
{
    DigitTexts digits;
    count = std::clamp(count, 0, MaxComparatorCount);
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, count /= 10)
        *digit = std::string(1, static_cast<char>('0' + count % 10));
    return digits;
}

int JoinDigits(const DigitTexts& digits)
{
    int value = 0;
    for (const std::string& text : digits) {
        for (const char c : text) {
            if (c < '0' || c > '9')
                return value;
            value = std::min(value * 10 + (c - '0'), MaxComparatorCount);
        }
    }
    return value;
}

bool ClampToSixtyVolts(VoltEditor& editor)
{
    if (editor.option != 2 || JoinDigits(editor.digits) <= SixtyVoltsCount)
        return false;
    editor.digits = SplitDigits(SixtyVoltsCount);
    return true;
}

ComparatorEditors EditorsFor(const ComparatorEntry& entry)
{
    return {OhmEditorFor(entry.HighOhm), OhmEditorFor(entry.LowOhm), VoltEditorFor(entry.HighVolt),
            VoltEditorFor(entry.LowVolt)};
}

ComparatorEntry BuildEntry(ComparatorEditors& editors)
{
    ClampToSixtyVolts(editors.highVolt);
    ClampToSixtyVolts(editors.lowVolt);
    return {OhmLimitOf(editors.highOhm), OhmLimitOf(editors.lowOhm), VoltLimitOf(editors.highVolt),
            VoltLimitOf(editors.lowVolt)};
}

} // namespace voltaryn
