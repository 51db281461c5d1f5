#include "meter/MeterKeys.h"

namespace voltaryn {

KeyPress KeyPressFor(KeyButton button, const StatusBits& shown)
{
    // A mode button: variant 1 while its mode is shown, its own variant otherwise.
    const auto modeKey = [&](int key, StatusBit mode, int variant) {
        return KeyPress{key, shown[mode] ? 1 : variant};
    };
    switch (button) {
    case KeyButton::BtnM:
    case KeyButton::BtnLeft: return {1, 1};
    case KeyButton::BtnAM: return {1, 2};
    case KeyButton::BtnDM: return {1, 3};
    case KeyButton::BtnBeeper:
    case KeyButton::BtnDown: return {2, 1};
    case KeyButton::BtnCF: return {2, 2};
    case KeyButton::BtnADJ:
    case KeyButton::BtnUp: return {3, 1};
    case KeyButton::BtnDecimalPoint: return {3, 2};
    case KeyButton::BtnRead:
    case KeyButton::BtnRight: return {4, 0};
    case KeyButton::BtnRealTime: return modeKey(5, StatusBit::LcdTime, 2);
    case KeyButton::BtnInterval: return modeKey(5, StatusBit::LcdIntv, 3);
    case KeyButton::BtnCompOnOff: return {6, 1};
    case KeyButton::BtnComp: return modeKey(6, StatusBit::LcdCompUp, 2);
    case KeyButton::BtnHoldOnOff: return {7, 1};
    case KeyButton::BtnHold: return modeKey(7, StatusBit::LcdAUTOHOLD, 2);
    }
    return {};
}

} // namespace voltaryn
