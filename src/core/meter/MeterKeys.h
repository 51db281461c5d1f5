#pragma once

#include "protocol/StatusBit.h"

namespace voltaryn {

// The buttons of the virtual key pad, in the order they sit on it.
enum class KeyButton {
    BtnM, BtnAM, BtnDM, BtnLeft,
    BtnBeeper, BtnCF, BtnDown,
    BtnADJ, BtnDecimalPoint, BtnUp,
    BtnRead, BtnRight,
    BtnRealTime, BtnInterval,
    BtnCompOnOff, BtnComp,
    BtnHoldOnOff, BtnHold,
};

// One key-press command: the meter's key 1..7 and the press variant.
struct KeyPress {
    int key = 0;
    int variant = 0;
    bool operator==(const KeyPress&) const = default;
};

// The key press a button sends. Some buttons act as a plain press of their key while the display
// shows their mode (TIME, INTV, COMP, AUTO-HOLD), which the meter takes as "leave the mode";
// shown is the set of indicators of the last decoded display.
KeyPress KeyPressFor(KeyButton button, const StatusBits& shown);

} // namespace voltaryn
