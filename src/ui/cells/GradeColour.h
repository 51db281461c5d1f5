#pragma once

#include "report/TextContrast.h"

namespace voltaryn {

using report::TextColourOn;

} // namespace voltaryn
