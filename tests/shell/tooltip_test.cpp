// Tooltip styles and the timers of the extended tooltip.

#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {

class TooltipTest : public ShellTest {
 protected:
  bool tipVisible() { return main().tooltip().visible(); }
  void startWithStyle(const char* style) {
    preinstall();
    setString("", "EstiloTooltips", style);
    ASSERT_TRUE(start().running);
  }
  const std::string duvuHtml =
      "<table><tr><td><ilst index=1></td><td><b>Duvu Zevad</b></td></tr></table>";
};

TEST_F(TooltipTest, StyleZeroShowsTheExtendedTooltipAfterTheDelay) {
  startWithStyle("0");
  EXPECT_EQ(desk.tray.icon(9)->tip, "");
  mouse(9, msg::MouseMove);
  ASSERT_TRUE(desk.loop.hasTimer(main().handle(), 1000));
  EXPECT_EQ(desk.loop.timerInterval(main().handle(), 1000), 1000u);
  desk.loop.advanceMs(999);
  EXPECT_FALSE(tipVisible());
  desk.loop.advanceMs(1);
  ASSERT_TRUE(tipVisible());
  EXPECT_EQ(main().tooltip().html(), duvuHtml);
  EXPECT_TRUE(desk.loop.hasTimer(main().handle(), 1001));
  // It stays while the pointer stays near, and goes once it has left.
  desk.screen.pointer.x += 5;
  desk.loop.advanceMs(2000);
  EXPECT_TRUE(tipVisible());
  desk.screen.pointer.x += 20;
  desk.loop.advanceMs(500);
  EXPECT_FALSE(tipVisible());
  EXPECT_FALSE(desk.loop.hasTimer(main().handle(), 1001));
  EXPECT_EQ(main().tooltip().html(), "");
}

TEST_F(TooltipTest, TheTooltipWaitsForThePointerToRestAndForMenusToClose) {
  startWithStyle("0");
  mouse(9, msg::MouseMove);
  desk.screen.pointer.x -= 40;  // moved on before the delay ran out
  desk.loop.advanceMs(1000);
  EXPECT_FALSE(tipVisible());

  desk.loop.advanceMs(500);  // the throttle reopens
  mouse(1, msg::LeftUp);     // the product menu opens
  mouse(9, msg::MouseMove);
  desk.loop.advanceMs(2000);
  EXPECT_FALSE(tipVisible());
}

TEST_F(TooltipTest, MovesAreThrottledByTimerTwo) {
  startWithStyle("0");
  mouse(9, msg::MouseMove);
  EXPECT_TRUE(desk.loop.hasTimer(main().handle(), 2));
  desk.loop.advanceMs(100);
  mouse(8, msg::MouseMove);  // ignored: the throttle is closed
  desk.loop.advanceMs(900);
  ASSERT_TRUE(tipVisible());
  EXPECT_EQ(main().tooltip().html(), duvuHtml);
  EXPECT_FALSE(desk.loop.hasTimer(main().handle(), 2));  // one shot
}

TEST_F(TooltipTest, ANewIconWhileTheTipShowsWaitsTheFullDelayButTheSameIconOneMillisecond) {
  startWithStyle("0");
  mouse(9, msg::MouseMove);
  desk.loop.advanceMs(1000);
  ASSERT_TRUE(tipVisible());
  main().icon(9)->SetText("3 notas");
  desk.loop.advanceMs(500);
  mouse(9, msg::MouseMove);
  EXPECT_EQ(desk.loop.timerInterval(main().handle(), 1000), 1u);
  desk.loop.advanceMs(1);
  EXPECT_EQ(main().tooltip().html(),
            "<table><tr><td><ilst index=1></td><td><b>Duvu Zevad</b><br><hr color=blue><br>3 "
            "notas</td></tr></table>");
  desk.loop.advanceMs(500);
  mouse(8, msg::MouseMove);
  EXPECT_EQ(desk.loop.timerInterval(main().handle(), 1000), 1000u);
}

TEST_F(TooltipTest, AClickHidesTheTooltip) {
  startWithStyle("0");
  mouse(9, msg::MouseMove);
  desk.loop.advanceMs(1000);
  ASSERT_TRUE(tipVisible());
  mouse(9, msg::LeftDown);
  EXPECT_FALSE(tipVisible());
}

TEST_F(TooltipTest, StyleOneGivesTheDesktopTheTipTextOnly) {
  startWithStyle("1");
  EXPECT_EQ(desk.tray.icon(9)->tip, "Duvu Zevad");
  main().icon(9)->SetText("2 notas");
  EXPECT_EQ(desk.tray.icon(9)->tip, "Duvu Zevad - 2 notas");
  mouse(9, msg::MouseMove);
  desk.loop.advanceMs(3000);
  EXPECT_FALSE(tipVisible());
}

TEST_F(TooltipTest, StyleTwoShowsNoTooltipAnywhere) {
  startWithStyle("2");
  for (const auto& [id, icon] : desk.tray.icons()) EXPECT_EQ(icon.tip, "") << id;
  mouse(9, msg::MouseMove);
  desk.loop.advanceMs(3000);
  EXPECT_FALSE(tipVisible());
}

TEST_F(TooltipTest, HoverTextsOfDadeRiveAndDedoVuv) {
  factory.all();
  factory.prepare = [](UtilityKind k, FakeUtility& u) {
    if (k == UtilityKind::DadeRive) u.blocked = true;
    if (k == UtilityKind::DedoVuv) {
      u.dial.entries = {"A"};
      u.dial.connected = true;
      u.dial.recordStart = 1'700'000'000 - (26 * 3600 + 5 * 60 + 7);
      u.dial.traffic = std::pair{std::string("1 KB"), std::string("2 KB")};
    }
  };
  startWithStyle("0");
  auto autoClose = std::make_unique<FakeWindow>(WindowKind::AutoClose, log);
  autoClose->isArmed = true;
  factory.makeWindow = [&](WindowKind k, CZelvorApp&) -> std::unique_ptr<ShellWindow> {
    if (k == WindowKind::AutoClose && autoClose) return std::move(autoClose);
    return nullptr;
  };
  (void)app->EnsureWindow(WindowKind::AutoClose);
  mouse(4, msg::MouseMove);
  EXPECT_EQ(main().icon(4)->text(), "Bloqueado el apagado del sistema\nApagado automático en 5 minutos");
  desk.loop.advanceMs(500);
  mouse(6, msg::MouseMove);
  // A connection of more than a day counts its hours whole.
  EXPECT_EQ(main().icon(6)->text(),
            "Conectado: 26h. 05m. 07s.\nTráfico de bajada: 1 KB\nTráfico de subida: 2 KB");
  fake(UtilityKind::DedoVuv)->dial.connected = false;
  desk.loop.advanceMs(500);
  mouse(6, msg::MouseMove);
  EXPECT_EQ(main().icon(6)->text(), "Desconectado\nTráfico de bajada: 1 KB\nTráfico de subida: 2 KB");
}

TEST(TipTextTest, TipIsCutAtACharacterBoundary) {
  EXPECT_EQ(TipText("Duvu Zevad", ""), "Duvu Zevad");
  EXPECT_EQ(TipText("Duvu Zevad", "x"), "Duvu Zevad - x");
  const std::string text(200, 'a');
  EXPECT_EQ(TipText("T", text).size(), 127u);
  std::string accents;
  for (int i = 0; i < 100; ++i) accents += "ñ";
  const std::string tip = TipText("T", accents);  // "T - " + 2-byte characters
  EXPECT_LE(tip.size(), 127u);
  EXPECT_EQ((tip.size() - 4) % 2, 0u);
}

}  // namespace
}  // namespace zelvor::testing
