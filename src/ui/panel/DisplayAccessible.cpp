#include "ui/panel/DisplayAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace voltaryn {
namespace {

constexpr const char* ReadAsOneProperty = "voltarynReadAsOne";
constexpr const char* ControlProperty = "voltarynControl";

class DisplayAccessible : public QAccessibleWidget {
public:
    explicit DisplayAccessible(QWidget* panel) : QAccessibleWidget(panel, QAccessible::StaticText) {}

    int childCount() const override { return static_cast<int>(Controls().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> controls = Controls();
        return index >= 0 && index < controls.size() ? QAccessible::queryAccessibleInterface(controls.at(index))
                                                     : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child == nullptr ? -1 : static_cast<int>(Controls().indexOf(child->object()));
    }

private:
    // The visible children marked as controls.
    QList<QWidget*> Controls() const
    {
        QList<QWidget*> controls;
        for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && child->property(ControlProperty).toBool())
                controls << child;
        return controls;
    }
};

QAccessibleInterface* DisplayFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(ReadAsOneProperty).toBool())
        return nullptr;
    return new DisplayAccessible(widget);
}

} // namespace

void ReadAsOneDisplay(QWidget& panel)
{
    static const bool installed = [] {
        QAccessible::installFactory(DisplayFactory);
        return true;
    }();
    (void)installed;
    panel.setProperty(ReadAsOneProperty, true);
}

void ReadAsControl(QWidget& control) { control.setProperty(ControlProperty, true); }

} // namespace voltaryn
