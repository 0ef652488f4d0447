#pragma once
// The whole shell on the simulated desktop with the real tip and about
// windows in its directory, and a canvas that keeps what a window paints.

#include <string>
#include <vector>

#include "shell/dialogs/shell_windows.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/sim_user.h"

namespace zelvor::testing {

class RecordingCanvas final : public Canvas {
 public:
  struct Text {
    std::string text;
    Font font;
  };
  void fillRect(const Rect& r, Colour c) override { fills.push_back({r, c}); }
  void frameRect(const Rect&, Colour) override {}
  void line(Point, Point, Colour) override {}
  void text(const Rect&, const std::string& t, Colour, const Font& font, Align, bool) override {
    texts.push_back({t, font});
  }
  void image(Point, const ImageRef&) override {}
  Size textSize(const std::string& t, const Font&) override { return {static_cast<int>(t.size()) * 7, 14}; }

  struct Fill {
    Rect rect;
    Colour colour;
  };
  std::vector<Fill> fills;
  std::vector<Text> texts;
};

class ShellDialogsTest : public ShellTest {
 protected:
  static constexpr const char* kVersion = "3.14.15";

  ShellDialogsTest() {
    factory.makeWindow = [](WindowKind kind, CZelvorApp& a) -> std::unique_ptr<ShellWindow> {
      if (kind == WindowKind::Tip) return MakeTipWindow(a);
      if (kind == WindowKind::About) return MakeAboutWindow(a, kVersion);
      return nullptr;
    };
  }

  // The live window of a class (its model), or nullptr.
  WindowModel* shown(std::string_view className) {
    const WindowHandle h = desk.dialogs.findByClass(className);
    return h == kNoWindow ? nullptr : desk.dialogs.model(h);
  }
  // Sets the milliseconds of the current second on the virtual clock.
  void setMilliseconds(int ms) {
    const std::int64_t now = sim.clock.nowMs();
    const std::int64_t into = ((now % 1000) + 1000) % 1000;
    sim.clock.advanceMs((ms - into + 1000) % 1000);
  }
};

}  // namespace zelvor::testing
