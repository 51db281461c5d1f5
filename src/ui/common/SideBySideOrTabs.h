#pragma once

#include <QWidget>

class QHBoxLayout;
class QTabWidget;

namespace voltaryn {

// Pages side by side where each has room for its minimum size, else one at a time under tabs;
// the widget's own minimum size is that of the tabs, so a narrow window still shows every page.
class SideBySideOrTabs : public QWidget {
    Q_OBJECT
public:
    explicit SideBySideOrTabs(QWidget* parent = nullptr);

    void AddPage(QWidget* page, const QString& title);
    bool SideBySide() const { return sideBySide_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The width the pages take side by side.
    int RowWidth() const;
    void Arrange(bool sideBySide);

    QWidget* row_;
    QHBoxLayout* rowLayout_;
    QTabWidget* tabs_;
    QList<QWidget*> pages_;
    QStringList titles_;
    bool sideBySide_ = true;
};

} // namespace voltaryn
