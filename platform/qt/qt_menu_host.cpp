#include "platform/qt/qt_menu_host.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/messages.h"

namespace zelvor {

QtMenuHost::QtMenuHost(QtEventLoop& loop, const ImagePixmaps& images) : loop_(loop), images_(images) {}

QtMenuHost::~QtMenuHost() { delete open_.data(); }

void QtMenuHost::fill(StyledMenu& target, const std::vector<MenuItem>& items, bool officeXp) {
  for (const MenuItem& item : items) {
    const QString text = QString::fromStdString(item.text);
    switch (item.kind) {
      case MenuItem::Kind::Separator:
        target.addSeparator();
        break;
      case MenuItem::Kind::Submenu: {
        // Submenus never carry the side bar.
        auto* sub = new StyledMenu(text, false, officeXp, &target);
        if (officeXp) sub->setStyle(&officeXp_);
        sub->setTitle(text);
        if (!item.image.empty()) sub->setIcon(images_.icon(item.image, 16));
        sub->setEnabled(!item.grayed);
        fill(*sub, item.children, officeXp);
        target.addMenu(sub);
        break;
      }
      case MenuItem::Kind::Command: {
        QAction* action = target.addAction(text);
        action->setData(item.id);
        if (!item.image.empty()) action->setIcon(images_.icon(item.image, 16));
        action->setIconVisibleInMenu(true);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        action->setEnabled(!item.grayed);
        if (item.isDefault) {
          target.setDefaultAction(action);
          QFont bold = action->font();
          bold.setBold(true);
          action->setFont(bold);
        }
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, this, [this, id] {
          chosen_ = true;
          loop_.post(owner_, msg::Command, id, 0);
        });
        break;
      }
    }
  }
}

void QtMenuHost::popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) {
  close();
  owner_ = owner;
  chosen_ = false;
  const bool officeXp = isOfficeXp(style);
  auto* top = new StyledMenu(QString::fromStdString(menu.title), hasSideBar(style), officeXp);
  if (officeXp) top->setStyle(&officeXp_);
  top->setAttribute(Qt::WA_DeleteOnClose);
  fill(*top, menu.items, officeXp);
  // A chosen item's triggered() comes after aboutToHide(), so the closing
  // news is queued behind the command.
  QObject::connect(top, &QMenu::aboutToHide, this, [this, owner] {
    QMetaObject::invokeMethod(
        this, [this, owner] { loop_.post(owner, msg::MenuClosed, chosen_ ? 1 : 0, 0); }, Qt::QueuedConnection);
  });
  open_ = top;
  // The menu's right edge sits at the point; Qt keeps it on the screen.
  const QSize size = top->sizeHint();
  top->popup(QPoint(at.x - size.width(), at.y));
}

void QtMenuHost::close() {
  if (open_) open_->close();
  open_.clear();
}

bool QtMenuHost::isOpen() { return open_ && open_->isVisible(); }

}  // namespace zelvor
