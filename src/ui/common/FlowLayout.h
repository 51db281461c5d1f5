#pragma once

#include <QLayout>
#include <QList>

namespace voltaryn {

// Lays its items out in rows, left to right, each at its size hint, and starts a new row where
// the next item does not fit: a row of buttons that a narrow window wraps rather than widens. Its
// minimum width is its widest item's. It is not a height-for-width layout (Qt gives a window of
// one no minimum size at all): it asks for the height its rows took at the width it last had.
class FlowLayout : public QLayout {
public:
    FlowLayout() = default;
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Puts the items in rows within `rect`; gives the height the rows take.
    int Arrange(const QRect& rect);
    int HorizontalGap() const;
    int VerticalGap() const;
    // The height of the rows when every item is in one.
    int OneRowHeight() const;

    QList<QLayoutItem*> items_;
    int rowsHeight_ = 0;  // at the width last given
};

} // namespace voltaryn
