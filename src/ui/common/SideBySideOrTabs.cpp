#include "ui/common/SideBySideOrTabs.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QTabWidget>

#include <algorithm>

namespace voltaryn {

SideBySideOrTabs::SideBySideOrTabs(QWidget* parent)
    : QWidget(parent), row_(new QWidget(this)), rowLayout_(new QHBoxLayout(row_)), tabs_(new QTabWidget(this))
{
    rowLayout_->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(row_);
    layout->addWidget(tabs_);
    tabs_->hide();
}

void SideBySideOrTabs::AddPage(QWidget* page, const QString& title)
{
    pages_.append(page);
    titles_.append(title);
    if (sideBySide_)
        rowLayout_->addWidget(page);
    else
        tabs_->addTab(page, title);
    updateGeometry();
}

int SideBySideOrTabs::RowWidth() const
{
    int width = rowLayout_->spacing() * std::max<int>(0, static_cast<int>(pages_.size()) - 1);
    for (const QWidget* page : pages_)
        width += page->minimumSize().expandedTo(page->minimumSizeHint()).width();
    return width;
}

QSize SideBySideOrTabs::minimumSizeHint() const
{
    QSize page;
    for (const QWidget* each : pages_)
        page = page.expandedTo(each->minimumSize().expandedTo(each->minimumSizeHint()));
    const int tabBar = tabs_->tabBar()->sizeHint().height();
    const int frame = 2 * tabs_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tabs_);
    return {std::max(page.width(), tabs_->tabBar()->minimumSizeHint().width()) + frame, page.height() + tabBar + frame};
}

QSize SideBySideOrTabs::sizeHint() const { return {RowWidth(), minimumSizeHint().height()}; }

void SideBySideOrTabs::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Arrange(event->size().width() >= RowWidth());
}

void SideBySideOrTabs::Arrange(bool sideBySide)
{
    if (sideBySide == sideBySide_)
        return;
    sideBySide_ = sideBySide;
    for (int page = 0; page < pages_.size(); ++page) {
        if (sideBySide) {
            rowLayout_->addWidget(pages_[page]);
            pages_[page]->show();  // the tabs hid all but their current page
        } else {
            tabs_->addTab(pages_[page], titles_[page]);
        }
    }
    row_->setVisible(sideBySide);
    tabs_->setVisible(!sideBySide);
}

} // namespace voltaryn
