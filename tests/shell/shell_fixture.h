#pragma once
// A whole suite on the simulated desktop: a sandbox folder, the simulated
// platform and desktop, and test doubles for the utilities and windows
// that record what the shell asks of them.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

using Log = std::vector<std::string>;

[[nodiscard]] inline std::string nameOf(UtilityKind k) { return std::string(info(k).key); }
[[nodiscard]] inline std::string nameOf(WindowKind k) {
  static const char* names[] = {"Config", "About", "Tip", "Diary", "AutoClose",
                                "Update", "AutoDialer", "TrafficAlerts", "RemoteShutdown", "UsageGraph"};
  return names[indexOf(k)];
}

// A utility that records every call and answers with the facts a test set.
class FakeUtility : public Utility {
 public:
  FakeUtility(UtilityKind kind, Log& log) : kind_(kind), log_(log) {}
  ~FakeUtility() override { log_.push_back("delete " + nameOf(kind_)); }
  void start() override { log_.push_back("start " + nameOf(kind_)); }
  void command(int code, std::string_view text) override {
    log_.push_back("command " + nameOf(kind_) + " " + std::to_string(code) +
                   (text.empty() ? "" : " " + std::string(text)));
  }
  void runEntry(int list, int item) override {
    log_.push_back("run " + nameOf(kind_) + " " + std::to_string(list) + " " + std::to_string(item));
  }
  void save() override {
    log_.push_back("save " + nameOf(kind_));
    if (onSave) onSave();
  }
  void applySettings() override { log_.push_back("apply " + nameOf(kind_)); }
  void createWindow() override { log_.push_back("window " + nameOf(kind_)); }
  bool panelVisible() const override { return panel; }
  bool shutdownBlocked() const override { return blocked; }
  std::string iconText() const override { return hoverText; }
  DialUpFacts dialUp() const override { return dial; }
  std::vector<NoteItem> notes() const override { return noteItems; }
  std::vector<std::vector<std::string>> statusRecords() const override { return status; }

  std::function<void()> onSave;  // what a test looks at while the shell saves
  bool panel = false, blocked = false;
  std::string hoverText;
  DialUpFacts dial;
  std::vector<NoteItem> noteItems;
  std::vector<std::vector<std::string>> status;

 private:
  UtilityKind kind_;
  Log& log_;
};

class FakeWindow : public ShellWindow {
 public:
  FakeWindow(WindowKind kind, Log& log) : kind_(kind), log_(log) {}
  ~FakeWindow() override { log_.push_back("delete " + nameOf(kind_)); }
  void open() override { log_.push_back("open " + nameOf(kind_)); }
  bool armed() const override { return isArmed; }
  std::string remainingText() const override { return "5 minutos"; }
  void runUnattended() override { log_.push_back("unattended " + nameOf(kind_)); }
  void checkSilently() override { log_.push_back("check " + nameOf(kind_)); }
  bool isArmed = false;

 private:
  WindowKind kind_;
  Log& log_;
};

class FakeFactory : public UtilityFactory {
 public:
  explicit FakeFactory(Log& log) : log_(log) {}
  std::unique_ptr<Utility> createUtility(UtilityKind kind, CZelvorApp&) override {
    if (!utilities.contains(kind)) return nullptr;
    log_.push_back("create " + nameOf(kind));
    auto u = std::make_unique<FakeUtility>(kind, log_);
    if (prepare) prepare(kind, *u);
    return u;
  }
  std::unique_ptr<ShellWindow> createWindow(WindowKind kind, CZelvorApp& app) override {
    if (makeWindow) {
      if (auto w = makeWindow(kind, app)) return w;
    }
    if (!windows.contains(kind)) return nullptr;
    log_.push_back("create " + nameOf(kind));
    return std::make_unique<FakeWindow>(kind, log_);
  }
  void all() {
    for (const auto& u : kUtilities) utilities.insert(u.kind);
    for (std::size_t i = 0; i < kWindowCount; ++i) windows.insert(static_cast<WindowKind>(i));
  }
  std::set<UtilityKind> utilities;
  std::set<WindowKind> windows;
  std::function<void(UtilityKind, FakeUtility&)> prepare;
  std::function<std::unique_ptr<ShellWindow>(WindowKind, CZelvorApp&)> makeWindow;

 private:
  Log& log_;
};

[[nodiscard]] inline std::string textOf(const std::optional<RegValue>& v) {
  std::string s;
  if (!v || !v->readText(s)) return "<none>";
  return s;
}

class ShellTest : public ::testing::Test {
 protected:
  // The program folder of the simulated platform is the sandbox's "bin/".
  ShellTest()
      : sandbox((void(folder.path("bin/")), folder.root())),
        sim(sandbox),
        desk(sim.clock),
        instance(world, 4242),
        factory(log) {}
  ~ShellTest() override { app.reset(); }

  CZelvorApp::StartResult start(std::vector<std::string> args = {}) {
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, factory, options);
    const auto r = app->InitInstance(args);
    desk.loop.deliverPosted();
    return r;
  }
  // Installs the defaults now, so that a test can change them before start.
  void preinstall() {
    ConfigStore s(sim.registry, sim.folders, sim.files);
    ASSERT_TRUE(InstallDefaults(s, {}).installed);
  }
  CPrincipalDlg& main() { return *app->mainWindow(); }
  ConfigStore& store() { return app->store(); }
  void mouse(int iconId, std::uint32_t m) {
    desk.loop.post(main().handle(), msg::TrayIcon, iconId, static_cast<std::intptr_t>(m));
    desk.loop.deliverPosted();
  }
  void choose(int id) {
    ASSERT_TRUE(desk.menus.choose(id)) << "no item " << id << " in the open menu";
    desk.loop.deliverPosted();
  }
  // The entries of the log that mention text.
  [[nodiscard]] Log mentioning(const std::string& text) const {
    Log out;
    for (const auto& l : log) {
      if (l.find(text) != std::string::npos) out.push_back(l);
    }
    return out;
  }
  // The entries of the log that start with prefix.
  [[nodiscard]] Log logged(const std::string& prefix) const {
    Log out;
    for (const auto& l : log) {
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
  }
  [[nodiscard]] FakeUtility* fake(UtilityKind k) { return dynamic_cast<FakeUtility*>(app->utility(k)); }
  void setString(std::string_view sub, std::string_view name, std::string_view value) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath(sub)), RegStatus::Ok);
    k.SetString(name, value);
  }
  void setDword(std::string_view sub, std::string_view name, std::uint32_t value) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath(sub)), RegStatus::Ok);
    k.SetDword(name, value);
  }

  Sandbox folder;
  std::string sandbox;
  SimPlatform sim;
  SimDesktop desk;
  SimInstanceWorld world;
  SimSingleInstance instance;
  Log log;
  FakeFactory factory;
  AppOptions options;
  std::unique_ptr<CZelvorApp> app;
};

}  // namespace zelvor::testing
