#pragma once

#include "cells/GradeValidation.h"
#include "cells/NameRule.h"
#include "cells/PackFault.h"
#include "strings/StringModel.h"

#include <QCoreApplication>
#include <QString>

namespace voltaryn {

// The core's faults in the window's language, each as one line starting in lower case, as the
// core's own English does: "the cell ID holds the control character U+001B".
class CoreFaults {
    Q_DECLARE_TR_FUNCTIONS(CoreFaults)
public:
    static QString Worded(const cells::NameFault& fault);
    // A grade editor's finding on a grade of `table`.
    static QString Worded(const cells::GradeFinding& finding, const cells::GradeTable& table);
    static QString Worded(const cells::PackFault& fault);
    static QString Worded(strings::LayoutFault fault);
};

} // namespace voltaryn
