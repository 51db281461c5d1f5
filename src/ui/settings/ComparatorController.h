#pragma once

#include "meter/MeterSession.h"
#include "settings/ComparatorTable.h"
#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"
#include "ui/settings/ComparatorWindow.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The toolbar's COMP: reads the meter's 99 comparator entries into the Comparator window, loads
// a picked entry into its editors and writes the edited entry back with "Update". It keeps the
// table as last read or written and the entry picked.
class ComparatorController : public QObject {
    Q_OBJECT
public:
    ComparatorController(const FeatureContext& context, MeterSession& meter) : context_(context), meter_(meter) {}

    void Register(ToolbarCommands& toolbar);
    int SelectedComparatorNo() const { return selectedNo_; }

private:
    void Open();
    void Pick(int number);
    void Update();

    FeatureContext context_;
    MeterSession& meter_;
    ComparatorTable table_;
    int selectedNo_ = 1;
    bool loading_ = false;
    QPointer<ComparatorWindow> window_;  // while the window is open
};

} // namespace voltaryn
