#pragma once

#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"
#include "ui/settings/ComparatorWindow.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The toolbar's COMP: reads the meter's 99 comparator entries into the Comparator window, loads
// a picked entry into its editors and writes the edited entry back with "Update".
class ComparatorController : public QObject {
    Q_OBJECT
public:
    explicit ComparatorController(const FeatureContext& context) : context_(context) {}

    void Register(ToolbarCommands& toolbar);

private:
    void Open();
    void Pick(int number);
    void Update();

    FeatureContext context_;
    QPointer<ComparatorWindow> window_;
};

} // namespace voltaryn
