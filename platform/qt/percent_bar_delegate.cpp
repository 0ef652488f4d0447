#include "platform/qt/percent_bar_delegate.h"

#include <QPainter>

#include <algorithm>

namespace zelvor {

void PercentBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const QVariant percent = index.data(kBarPercentRole);
  if (!percent.isValid()) return;
  const QRect frame = option.rect.adjusted(3, 3, -4, -4);
  if (frame.width() < 4 || frame.height() < 3) return;
  painter->save();
  painter->setPen(option.palette.color(QPalette::Mid));
  painter->setBrush(option.palette.color(QPalette::Base));
  painter->drawRect(frame);
  const int filled = (frame.width() - 1) * std::clamp(percent.toInt(), 0, 100) / 100;
  painter->fillRect(QRect(frame.left() + 1, frame.top() + 1, filled, frame.height() - 1),
                    index.data(kBarColourRole).value<QColor>());
  painter->setPen(option.palette.color(QPalette::Text));
  painter->drawText(frame, Qt::AlignCenter, QStringLiteral("%1%").arg(percent.toInt()));
  painter->restore();
}

}  // namespace zelvor
