#pragma once
// Draws a percentage bar in list cells that carry one (the capacity view's
// last column), the rest of the cell as usual.

#include <QStyledItemDelegate>

namespace zelvor {

// Item data roles of a cell with a bar: the percentage (int) and the
// colour as a QColor.
inline constexpr int kBarPercentRole = Qt::UserRole + 40;
inline constexpr int kBarColourRole = Qt::UserRole + 41;

class PercentBarDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace zelvor
