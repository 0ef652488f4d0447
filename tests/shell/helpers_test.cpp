// Sounds, the zoom of modeless windows, pop-up panels, opacity and help.

#include <fstream>

#include "exit/countdown_window.h"
#include "exit/scheduler.h"
#include "shell/modeless_window.h"
#include "shell/warning_sound.h"
#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {

class HelpersTest : public ShellTest {
 protected:
  // Sound paths may name environment variables; these tests see only one.
  void SetUp() override {
    options.environment = [this](std::string_view name) -> std::optional<std::string> {
      if (name == "ZELVOR_TEST_SOUNDS") return sandbox.substr(0, sandbox.size() - 1);
      return std::nullopt;
    };
    ASSERT_TRUE(start().running);
  }
  std::string makeFile(const std::string& name) {
    const std::string path = sandbox + name;
    std::ofstream(path) << "RIFF";
    return path;
  }
  void setEvent(const std::string& event, const std::string& file) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, SoundEventKey(event)), RegStatus::Ok);
    k.SetString("", file);
  }
  ShellHelpers& helpers() { return app->helpers(); }
};

TEST_F(HelpersTest, EventSoundsResolveThroughTheirKeysAndOnlyExistingFilesPlay) {
  const std::string ding = makeFile("ding.wav");
  setEvent("MenuPopup", ding);
  setEvent("Minimize", sandbox + "missing.wav");
  setEvent("RestoreUp", "%ZELVOR_TEST_SOUNDS%/ding.wav");
  setEvent("RestoreDown", "%UNSET_FOLDER%/ding.wav");
  helpers().PlayEventSound("MenuPopup");
  helpers().PlayEventSound("Minimize");
  helpers().PlayEventSound("NoSuchEvent");
  helpers().PlayEventSound("RestoreUp");
  helpers().PlayEventSound("RestoreDown");
  helpers().PlayEventSound(ding, true);
  helpers().PlayEventSound("");
  ASSERT_EQ(desk.sound.plays.size(), 3u);
  EXPECT_EQ(desk.sound.plays[0].file, ding);
  EXPECT_FALSE(desk.sound.plays[0].loop);
  EXPECT_EQ(desk.sound.plays[1].file, ding) << "the variable expands to the sounds' folder";
  EXPECT_TRUE(desk.sound.plays[2].loop);
  EXPECT_EQ(desk.sound.stops, 1);
  desk.sound.present = false;
  helpers().PlayEventSound(ding);
  helpers().PlayEventSound("");
  EXPECT_EQ(desk.sound.plays.size(), 3u);
  EXPECT_EQ(desk.sound.stops, 1);
}

TEST_F(HelpersTest, TheTriggersWarningSoundsTheSchemesExclamationBeforeItOpens) {
  const std::string ding = makeFile("exclamation.wav");
  setEvent("SystemExclamation", ding);
  ShellEventSoundPlayer sound(helpers());
  CountdownWindowPresenter countdown(desk.dialogs, desk.loop);
  CScheduler trigger({sim.registry, sim.clock, &countdown, &sound}, scheduler_setup::AutomaticConnect());
  std::size_t playsWhenShown = 0;
  desk.dialogs.onModal = [&](WindowModel&) {
    playsWhenShown = desk.sound.plays.size();
    desk.loop.advanceMs(1000);  // a warning of 0 seconds runs out on the first tick
    return kCountdownAccepted;
  };

  EXPECT_TRUE(trigger.ConfirmWithWarning("Se va a conectar.", "Conectar automáticamente", 5));
  EXPECT_TRUE(desk.sound.plays.empty()) << "no warning, no sound";

  trigger.SetShowWarning(true);
  trigger.SetSeconds(0);
  EXPECT_TRUE(trigger.ConfirmWithWarning("Se va a conectar.", "Conectar automáticamente", 5));
  EXPECT_EQ(playsWhenShown, 1u);
  ASSERT_EQ(desk.sound.plays.size(), 1u);
  EXPECT_EQ(desk.sound.plays[0].file, ding);
  EXPECT_FALSE(desk.sound.plays[0].loop);
}

TEST(EnvironmentTest, ExpandsKnownNamesAndKeepsTheRest) {
  const EnvironmentLookup env = [](std::string_view n) -> std::optional<std::string> {
    if (n == "HOME") return "/home/ana";
    return std::nullopt;
  };
  EXPECT_EQ(ExpandEnvironment("%HOME%/a.wav", env), "/home/ana/a.wav");
  EXPECT_EQ(ExpandEnvironment("100% %HOME%", env), "100% /home/ana");
  EXPECT_EQ(ExpandEnvironment("%NOPE%/x", env), "%NOPE%/x");
  EXPECT_EQ(ExpandEnvironment("%HOME", env), "%HOME");
  EXPECT_EQ(ExpandEnvironment("%%", env), "%%");
}

// A modeless window as the later ones are written.
class AboutBox : public ModelessWindow {
 public:
  AboutBox(CZelvorApp& app, Log& log) : ModelessWindow(app, msg::AboutClosed), log_(log) {}
  ~AboutBox() override { log_.push_back("delete About"); }
  void Build() override {
    className = "CAboutDlg";
    title = "Acerca de Zelvor";
    geometry = {100, 100, 400, 300};
    root.add(Control::make(ControlKind::Button, 1, "Aceptar"));
  }
  void onEvent(const ControlEvent& e) override {
    if (e.controlId == 1) Close();
  }
  void SaveEdits() override { log_.push_back("save About"); }

 private:
  Log& log_;
};

TEST_F(HelpersTest, ModelessWindowsZoomFromTheNotificationAreaAndReportTheirClose) {
  const std::string ding = makeFile("restore.wav");
  setEvent("RestoreUp", ding);
  setEvent("Minimize", ding);
  factory.makeWindow = [&](WindowKind k, CZelvorApp& a) -> std::unique_ptr<ShellWindow> {
    if (k == WindowKind::About) return std::make_unique<AboutBox>(a, log);
    return nullptr;
  };
  mouse(1, msg::LeftUp);
  choose(3004);
  const WindowHandle w = desk.dialogs.findByClass("CAboutDlg");
  ASSERT_NE(w, kNoWindow);
  EXPECT_TRUE(desk.dialogs.isVisible(w));
  // From a one-pixel strip at the middle of the notification area.
  ASSERT_EQ(desk.dialogs.zooms.size(), 1u);
  EXPECT_EQ(desk.dialogs.zooms[0].from, (Rect{1800, 1040, 1801, 1080}));
  EXPECT_EQ(desk.dialogs.zooms[0].to, (Rect{100, 100, 400, 300}));
  EXPECT_EQ(desk.sound.plays.size(), 1u);
  // Opening again: no zoom and no sound for a window already shown.
  main().OnMenuCommand(3004);
  EXPECT_EQ(desk.dialogs.zooms.size(), 1u);
  EXPECT_EQ(desk.sound.plays.size(), 1u);

  ASSERT_TRUE(desk.dialogs.pressButton(w, "Aceptar"));
  EXPECT_EQ(desk.dialogs.zooms.size(), 2u);
  EXPECT_EQ(desk.dialogs.zooms[1].to, (Rect{1800, 1040, 1801, 1080}));
  EXPECT_EQ(desk.sound.plays.size(), 2u);
  EXPECT_EQ(desk.dialogs.findByClass("CAboutDlg"), kNoWindow);
  desk.loop.deliverPosted();
  EXPECT_EQ(log, (Log{"save About", "delete About"}));
  EXPECT_EQ(app->window(WindowKind::About), nullptr);
}

TEST_F(HelpersTest, PanelsOpenAtThePointerWithTheirAnimation) {
  struct Panel : WindowModel {};
  Panel panel;
  panel.className = "Panel";
  panel.geometry = {0, 0, 200, 100};
  const WindowHandle w = app->dialogs().create(panel);
  struct Row {
    Point pointer;
    const char* animation;
    Rect expected;
    DialogHost::Animation kind;
    bool fromLeft, fromTop;
  };
  for (const Row& r : {Row{{1800, 1060}, "0", {1600, 960, 1800, 1060}, DialogHost::Animation::None, false, false},
                       Row{{150, 50}, "1", {150, 50, 350, 150}, DialogHost::Animation::Roll, true, true},
                       Row{{1800, 50}, "2", {1600, 50, 1800, 150}, DialogHost::Animation::Fade, false, true}}) {
    setString("", "AnimacionMenus", r.animation);
    desk.screen.pointer = r.pointer;
    desk.dialogs.animations.clear();
    app->helpers().ShowPanelAtCursor(w, -1, -1);
    EXPECT_EQ(panel.geometry, r.expected) << r.animation;
    EXPECT_TRUE(panel.style.topmost);
    EXPECT_TRUE(desk.dialogs.isVisible(w));
    if (r.kind == DialogHost::Animation::None) {
      EXPECT_TRUE(desk.dialogs.animations.empty());
    } else {
      ASSERT_EQ(desk.dialogs.animations.size(), 1u);
      EXPECT_EQ(desk.dialogs.animations[0].animation, r.kind);
      EXPECT_EQ(desk.dialogs.animations[0].left, r.fromLeft);
      EXPECT_EQ(desk.dialogs.animations[0].top, r.fromTop);
    }
    app->helpers().HidePanel(w);
    EXPECT_FALSE(desk.dialogs.isVisible(w));
  }
  // Fading needs a system of generation 6 or later; older ones roll.
  app.reset();
  instance.release();
  options.osGeneration = 5;
  ASSERT_TRUE(start().running);
  const WindowHandle w2 = app->dialogs().create(panel);
  setString("", "AnimacionMenus", "2");
  desk.dialogs.animations.clear();
  app->helpers().ShowPanelAtCursor(w2, 50, 50);
  ASSERT_EQ(desk.dialogs.animations.size(), 1u);
  EXPECT_EQ(desk.dialogs.animations[0].animation, DialogHost::Animation::Roll);
  app->dialogs().destroy(w2);
}

TEST_F(HelpersTest, OpacityIsAppliedOnlyWhereTheDesktopHasIt) {
  WindowModel model;
  const WindowHandle w = app->dialogs().create(model);
  helpers().SetWindowOpacity(w, 60);
  EXPECT_EQ(model.style.opacity, 60);
  helpers().SetWindowOpacity(w, 100);
  EXPECT_EQ(model.style.opacity, 100);
  app->dialogs().destroy(w);
}

TEST_F(HelpersTest, HelpContextsAndTheHelpFile) {
  WindowModel notes;
  notes.helpContext = help_context::DuvuZevad;
  EXPECT_EQ(ShellHelpers::HelpContextOf(&notes), 1090);
  EXPECT_EQ(ShellHelpers::HelpContextOf(nullptr), 1000);
  main().OnMenuCommand(3001);
  EXPECT_TRUE(sim.launcher.launched.empty());  // no help file installed
  std::ofstream(sandbox + "bin/Zelvor.chm") << "x";
  main().OnMenuCommand(3001);
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(sim.launcher.launched[0].argv, (std::vector<std::string>{"xdg-open", sandbox + "bin/Zelvor.chm"}));
}

}  // namespace
}  // namespace zelvor::testing
