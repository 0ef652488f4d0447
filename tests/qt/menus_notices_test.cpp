// Pop-up menus, message boxes and the rich-text notices.

#include <QAbstractButton>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include "platform/messages.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::RecordingTarget;
using testing::sharedDesktop;
using testing::waitUntil;

Menu productMenu() {
  Menu m;
  m.title = "Zelvor";
  MenuItem help = MenuItem::command(3001, "Ayuda...", ImageRef::fromStrip(ImageStrip::Small, 1));
  m.items.push_back(help);
  m.items.push_back(MenuItem::separator());
  MenuItem shown = MenuItem::command(3053, "Vada VU", ImageRef::fromStrip(ImageStrip::Utility, 7));
  shown.checked = true;
  MenuItem hidden = MenuItem::command(3054, "Dade Rive");
  MenuItem grayed = MenuItem::command(3055, "Zivi Duvaza");
  grayed.grayed = true;
  m.items.push_back(MenuItem::submenu("Utilidades a mostrar", {shown, hidden, grayed}));
  MenuItem config = MenuItem::command(3007, "Configurar...\tCtrl+K");
  config.isDefault = true;
  m.items.push_back(config);
  m.items.push_back(MenuItem::command(3008, "Salir"));
  return m;
}

QAction* actionWithId(QMenu& menu, int id) {
  for (QAction* a : menu.actions()) {
    if (a->menu() != nullptr) {
      if (QAction* inner = actionWithId(*a->menu(), id)) return inner;
    } else if (!a->isSeparator() && a->data().toInt() == id) {
      return a;
    }
  }
  return nullptr;
}

class Menus : public ::testing::TestWithParam<MenuStyle> {};

TEST_P(Menus, CarryIdsChecksImagesAndThePostedChoice) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget owner;
  const WindowHandle h = d.loop().addTarget(owner);
  d.menus().popup(productMenu(), Point{400, 300}, GetParam(), h);
  ASSERT_TRUE(waitUntil([&] { return d.menus().isOpen(); }));
  QMenu* menu = d.menus().openMenu();
  ASSERT_NE(menu, nullptr);
  // Aligned with its right edge at the point.
  EXPECT_NEAR(menu->geometry().right() + 1, 400, 2);

  QAction* help = actionWithId(*menu, 3001);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->text().toStdString(), "Ayuda...");
  EXPECT_FALSE(help->icon().isNull());
  QAction* shown = actionWithId(*menu, 3053);
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isChecked());
  EXPECT_FALSE(shown->icon().isNull());
  EXPECT_FALSE(actionWithId(*menu, 3054)->isChecked());
  EXPECT_FALSE(actionWithId(*menu, 3055)->isEnabled());
  QAction* config = actionWithId(*menu, 3007);
  EXPECT_EQ(menu->defaultAction(), config);
  EXPECT_TRUE(config->font().bold());
  EXPECT_EQ(config->text().toStdString(), "Configurar...\tCtrl+K");
  // The side bar styles leave it 24 pixels; submenus never have one.
  const bool bar = GetParam() == MenuStyle::ClassicSideBar || GetParam() == MenuStyle::OfficeXpSideBar;
  EXPECT_EQ(menu->contentsMargins().left(), bar ? 24 : 0);
  QMenu* sub = nullptr;
  for (QAction* a : menu->actions()) {
    if (a->menu() != nullptr) sub = a->menu();
  }
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->contentsMargins().left(), 0);

  menu->hide();  // the order a real choice has: the menu hides, then the item triggers
  config->trigger();
  ASSERT_TRUE(waitUntil([&] { return owner.messages.size() >= 2; }));
  EXPECT_EQ(owner.messages[0], (testing::Received{msg::Command, 3007, 0}));
  EXPECT_EQ(owner.messages[1], (testing::Received{msg::MenuClosed, 1, 0}));
  d.loop().removeTarget(h);
}

TEST_P(Menus, ClosingWithoutAChoicePostsOnlyTheClose) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget owner;
  const WindowHandle h = d.loop().addTarget(owner);
  d.menus().popup(productMenu(), Point{300, 200}, GetParam(), h);
  ASSERT_TRUE(waitUntil([&] { return d.menus().isOpen(); }));
  d.menus().close();
  ASSERT_TRUE(waitUntil([&] { return !owner.messages.empty(); }));
  EXPECT_EQ(owner.messages, (std::vector<testing::Received>{{msg::MenuClosed, 0, 0}}));
  EXPECT_FALSE(d.menus().isOpen());
  d.loop().removeTarget(h);
}

std::string styleName(const ::testing::TestParamInfo<MenuStyle>& param) {
  const char* const looks[] = {"ClassicSideBar", "Classic", "OfficeXpSideBar", "OfficeXp"};
  return looks[static_cast<int>(param.param)];
}

INSTANTIATE_TEST_SUITE_P(AllLooks, Menus,
                         ::testing::Values(MenuStyle::ClassicSideBar, MenuStyle::Classic, MenuStyle::OfficeXpSideBar,
                                           MenuStyle::OfficeXp),
                         styleName);

struct BoxCase {
  MsgButtons buttons;
  std::vector<std::string> texts;
  std::string press;
  MsgAnswer answer;
};

TEST(MessageBoxes, SpanishButtonsGiveTheirAnswers) {
  const std::vector<BoxCase> cases = {
      {MsgButtons::Ok, {"Aceptar"}, "Aceptar", MsgAnswer::Ok},
      {MsgButtons::OkCancel, {"Aceptar", "Cancelar"}, "Cancelar", MsgAnswer::Cancel},
      {MsgButtons::YesNo, {"Sí", "No"}, "Sí", MsgAnswer::Yes},
      {MsgButtons::YesNoCancel, {"Sí", "No", "Cancelar"}, "No", MsgAnswer::No},
  };
  QtDesktop& d = sharedDesktop();
  for (const BoxCase& c : cases) {
    std::vector<std::string> seen;
    std::string caption;
    QTimer::singleShot(20, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      caption = box->windowTitle().toStdString();
      QAbstractButton* press = nullptr;
      for (QAbstractButton* b : box->buttons()) {
        seen.push_back(b->text().toStdString());
        if (b->text().toStdString() == c.press) press = b;
      }
      if (press != nullptr) press->click();
    });
    MessageBoxRequest r;
    r.text = "¿Desea crear una nueva?";
    r.caption = "Dedo Vuv";
    r.buttons = c.buttons;
    r.icon = MsgIcon::Question;
    EXPECT_EQ(d.desktop().messageBoxes.show(r), c.answer) << c.press;
    std::sort(seen.begin(), seen.end());
    auto expected = c.texts;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(caption, "Dedo Vuv");
  }
}

const char* kNoticeHtml =
    "<table><tr><td><ilst index=4></td><td><b>Ravi Varudide - Notas de hoy</b><br><hr color=blue><br>"
    "Cumpleaños de Ana</td></tr></table>";

TEST(Notices, RenderTheHtmlWithStripImagesAtTheCorner) {
  QtNotices& n = sharedDesktop().qtNotices();
  n.showNotice(kNoticeHtml, Point{1000, 700});
  ASSERT_TRUE(n.noticeVisible());
  const QTextDocument& doc = n.noticeWindow().document();
  const std::string text = doc.toPlainText().toStdString();
  EXPECT_NE(text.find("Ravi Varudide - Notas de hoy"), std::string::npos);
  EXPECT_NE(text.find("Cumpleaños de Ana"), std::string::npos);
  EXPECT_FALSE(qvariant_cast<QImage>(doc.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("ilst:4")))).isNull());
  // Its bottom-right corner is the given point.
  const QRect g = n.noticeWindow().geometry();
  EXPECT_EQ(g.right() + 1, 1000);
  EXPECT_EQ(g.bottom() + 1, 700);
  // The rendered picture shows the strip image, not a broken-image box.
  const QImage shot = n.noticeWindow().grab().toImage();
  EXPECT_FALSE(shot.isNull());
  n.hideNotice();
  EXPECT_FALSE(n.noticeVisible());
}

TEST(Notices, ANoticeWaitsWhileAnotherIsVisible) {
  QtNotices& n = sharedDesktop().qtNotices();
  n.showNotice("<b>Primero</b>", Point{800, 600});
  n.showNotice("<b>Segundo</b>", Point{800, 600});
  EXPECT_EQ(n.noticeWindow().document().toPlainText().toStdString(), "Primero");
  EXPECT_EQ(n.waitingNotices(), 1u);
  n.hideNotice();
  EXPECT_TRUE(n.noticeVisible());
  EXPECT_EQ(n.noticeWindow().document().toPlainText().toStdString(), "Segundo");
  n.hideNotice();
  EXPECT_FALSE(n.noticeVisible());
}

TEST(Notices, TooltipFollowsThePointerAndHides) {
  QtNotices& n = sharedDesktop().qtNotices();
  n.showTooltip("<table><tr><td><ilst index=1></td><td><b>Duvu Zevad</b></td></tr></table>", Point{100, 100});
  EXPECT_TRUE(n.tooltipVisible());
  EXPECT_NE(n.tooltipWindow().document().toPlainText().toStdString().find("Duvu Zevad"), std::string::npos);
  EXPECT_GE(n.tooltipWindow().geometry().top(), 100);
  n.hideTooltip();
  EXPECT_FALSE(n.tooltipVisible());
}

}  // namespace
}  // namespace zelvor
