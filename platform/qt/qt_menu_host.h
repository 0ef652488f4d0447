#pragma once
// Pop-up menus drawn by Qt in the suite's four looks.

#include <QObject>
#include <QPointer>

#include <memory>

#include "platform/menu_host.h"
#include "platform/qt/image_pixmaps.h"
#include "platform/qt/menu_look.h"
#include "platform/qt/qt_event_loop.h"

namespace zelvor {

class QtMenuHost final : public QObject, public MenuHost {
 public:
  QtMenuHost(QtEventLoop& loop, const ImagePixmaps& images);
  ~QtMenuHost() override;

  void popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) override;
  void close() override;
  [[nodiscard]] bool isOpen() override;

  // The menu on the screen, for tests; null when none is open.
  [[nodiscard]] QMenu* openMenu() const { return open_.data(); }

 private:
  void fill(StyledMenu& target, const std::vector<MenuItem>& items, bool officeXp);
  QtEventLoop& loop_;
  const ImagePixmaps& images_;
  OfficeXpMenuStyle officeXp_;
  QPointer<StyledMenu> open_;
  WindowHandle owner_ = kNoWindow;
  bool chosen_ = false;
};

}  // namespace zelvor
