#pragma once
// The looks of the suite's pop-up menus: the desktop's own menu drawing
// ("classic") or the flat Office XP manner (white items beside a grey image
// column, a framed highlight), each with or without the 24-pixel side bar
// that carries the menu's title upwards along the left edge.

#include <QMenu>
#include <QProxyStyle>

#include "platform/menu_host.h"

namespace zelvor {

inline constexpr int kMenuSideBarWidth = 24;

class OfficeXpMenuStyle final : public QProxyStyle {
 public:
  OfficeXpMenuStyle();
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
};

// A menu that may carry the side bar with its title.
class StyledMenu final : public QMenu {
 public:
  StyledMenu(const QString& sideBarTitle, bool sideBar, bool officeXp, QWidget* parent = nullptr);
  [[nodiscard]] bool hasSideBar() const { return sideBar_; }
  [[nodiscard]] QString sideBarTitle() const { return title_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
  bool sideBar_;
  bool officeXp_;
};

[[nodiscard]] inline bool hasSideBar(MenuStyle s) {
  return s == MenuStyle::ClassicSideBar || s == MenuStyle::OfficeXpSideBar;
}
[[nodiscard]] inline bool isOfficeXp(MenuStyle s) {
  return s == MenuStyle::OfficeXp || s == MenuStyle::OfficeXpSideBar;
}

}  // namespace zelvor
