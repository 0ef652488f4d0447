#include "platform/qt/menu_look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPaintEvent>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace zelvor {
namespace {

constexpr int kImageColumn = 24;  // the grey column behind the 16x16 images
const QColor kXpMenuBack(0xFC, 0xFC, 0xF9);
const QColor kXpImageColumn(0xE9, 0xE7, 0xE0);
const QColor kXpHighlight(0xC1, 0xD2, 0xEE);
const QColor kXpHighlightFrame(0x31, 0x6A, 0xC5);
const QColor kXpSeparator(0xC5, 0xC2, 0xB8);
const QColor kXpFrame(0x8A, 0x86, 0x7A);

}  // namespace

OfficeXpMenuStyle::OfficeXpMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int OfficeXpMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_MenuPanelWidth: return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin: return 1;
    case PM_SmallIconSize: return 16;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

QSize OfficeXpMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                          const QWidget* widget) const {
  QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type == CT_MenuItem) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item != nullptr && item->menuItemType == QStyleOptionMenuItem::Separator) return {s.width(), 5};
    s.setHeight(std::max(s.height(), 22));
    s.setWidth(s.width() + 12);
  }
  return s;
}

void OfficeXpMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
  if (element == PE_FrameMenu || element == PE_PanelMenu) {
    painter->save();
    painter->fillRect(option->rect, kXpMenuBack);
    painter->setPen(kXpFrame);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void OfficeXpMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
  if (element == CE_MenuEmptyArea) {
    painter->fillRect(option->rect, kXpMenuBack);
    return;
  }
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || item == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  painter->save();
  const QRect r = item->rect;
  const QRect column(r.left(), r.top(), kImageColumn, r.height());
  painter->fillRect(r, kXpMenuBack);
  painter->fillRect(column, kXpImageColumn);

  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    painter->setPen(kXpSeparator);
    const int y = r.center().y();
    painter->drawLine(column.right() + 6, y, r.right(), y);
    painter->restore();
    return;
  }

  const bool enabled = (item->state & State_Enabled) != 0;
  const bool selected = (item->state & State_Selected) != 0 && enabled;
  if (selected) {
    painter->setPen(kXpHighlightFrame);
    painter->setBrush(kXpHighlight);
    painter->drawRect(r.adjusted(1, 0, -2, -1));
  }

  // The image, or a check mark in its place.
  const QRect imageBox(column.left() + (kImageColumn - 16) / 2, r.top() + (r.height() - 16) / 2, 16, 16);
  if (item->checked) {
    painter->setPen(kXpHighlightFrame);
    painter->setBrush(selected ? QColor(0x98, 0xB5, 0xE2) : kXpHighlight);
    painter->drawRect(imageBox.adjusted(-2, -2, 1, 1));
  }
  if (!item->icon.isNull()) {
    const QPixmap pm = item->icon.pixmap(QSize(16, 16), painter->device()->devicePixelRatioF(),
                                         enabled ? QIcon::Normal : QIcon::Disabled);
    painter->drawPixmap(imageBox, pm);
  } else if (item->checked) {
    QPen pen(enabled ? QColor(0x20, 0x20, 0x20) : QColor(0xA0, 0xA0, 0xA0), 1.6);
    painter->setPen(pen);
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(imageBox).center();
    const QPointF tick[] = {c + QPointF(-4, 0), c + QPointF(-1.5, 3), c + QPointF(4, -3.5)};
    painter->drawPolyline(tick, 3);
    painter->setRenderHint(QPainter::Antialiasing, false);
  }

  // The text, and the right-aligned second column after a tab.
  QFont font = item->font;
  if (item->menuItemType == QStyleOptionMenuItem::DefaultItem) font.setBold(true);
  painter->setFont(font);
  painter->setPen(enabled ? QColor(0x10, 0x10, 0x10) : QColor(0xA0, 0xA0, 0xA0));
  QString text = item->text;
  QString second;
  if (const auto tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
    second = text.mid(tab + 1);
    text = text.left(tab);
  }
  const QRect textRect = r.adjusted(kImageColumn + 8, 0, -(item->reservedShortcutWidth + 18), 0);
  painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic | Qt::TextSingleLine, text);
  if (!second.isEmpty()) {
    painter->drawText(r.adjusted(0, 0, -18, 0), Qt::AlignVCenter | Qt::AlignRight | Qt::TextSingleLine, second);
  }

  if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(enabled ? QColor(0x10, 0x10, 0x10) : QColor(0xA0, 0xA0, 0xA0));
    const int x = r.right() - 10;
    const int y = r.center().y();
    const QPointF arrow[] = {QPointF(x, y - 4), QPointF(x + 4, y), QPointF(x, y + 4)};
    painter->drawPolygon(arrow, 3);
  }
  painter->restore();
}

StyledMenu::StyledMenu(const QString& sideBarTitle, bool sideBar, bool officeXp, QWidget* parent)
    : QMenu(parent), title_(sideBarTitle), sideBar_(sideBar), officeXp_(officeXp) {
  setSeparatorsCollapsible(false);
  setToolTipsVisible(true);
  if (sideBar_) setContentsMargins(kMenuSideBarWidth, 0, 0, 0);
}

void StyledMenu::paintEvent(QPaintEvent* event) {
  QMenu::paintEvent(event);
  if (!sideBar_) return;
  QPainter painter(this);
  const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
  const QRect bar(frame, frame, kMenuSideBarWidth, height() - 2 * frame);
  QLinearGradient shade(bar.bottomLeft(), bar.topLeft());
  if (officeXp_) {
    shade.setColorAt(0, QColor(0x4B, 0x6E, 0xA8));
    shade.setColorAt(1, QColor(0xA9, 0xC2, 0xE8));
  } else {
    shade.setColorAt(0, QColor(0x0A, 0x24, 0x6A));
    shade.setColorAt(1, QColor(0xA6, 0xCA, 0xF0));
  }
  painter.fillRect(bar, shade);
  // The title reads from the bottom upwards, as on a book's spine.
  QFont font = this->font();
  font.setBold(true);
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.translate(bar.left(), bar.bottom());
  painter.rotate(-90);
  painter.drawText(QRect(6, 0, bar.height() - 12, bar.width()), Qt::AlignLeft | Qt::AlignVCenter, title_);
}

}  // namespace zelvor
