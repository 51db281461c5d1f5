#include "sim/ComparatorJudge.h"

namespace voltaryn::sim {

Verdict Judge(const ComparatorLimits& limits, double ohms, double volts)
{
    if (volts < limits.lowVolts || volts > limits.highVolts || ohms > limits.highOhms)
        return Verdict::Fail;
    return ohms <= limits.lowOhms ? Verdict::Pass : Verdict::Warning;
}

} // namespace voltaryn::sim
