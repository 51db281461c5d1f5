#include "ui/lists/DataListWindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace voltaryn {
namespace {

QLabel* NewPanel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

DataListWindow::DataListWindow(const std::string& range, const std::string& tempUnit, ListServices services,
                               QWidget* parent)
    : RecordListWindow(DataListLayout(range, tempUnit), services, parent),
      startTime_(NewPanel(this, "SSPStartTimeVal", "")), interval_(NewPanel(this, "SSPIntervalTimeVal", "")),
      message_(NewPanel(this, "LblMessage", ""))
{
    auto* panels = new QHBoxLayout;
    panels->addWidget(NewPanel(this, "SSPStartTime", "RTC Time"));
    panels->addWidget(startTime_, 2);
    panels->addWidget(NewPanel(this, "SSPInterval", "Interval Time"));
    panels->addWidget(interval_, 1);
    panels->addWidget(message_, 2);
    Layout().insertLayout(Layout().count() - 1, panels);
}

} // namespace voltaryn
