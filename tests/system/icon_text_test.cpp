// The icon's hover text, the service texts and the usage graph's small
// rules, each on its own.

#include <gtest/gtest.h>

#include "platform/service_manager.h"
#include "platform/sim/sim_system_probe.h"
#include "shell/graph_grid.h"
#include "system/icon_text.h"
#include "system/service_texts.h"
#include "system/window/usage_graph.h"

namespace zelvor {
namespace {

constexpr std::uint64_t kMiB = 1ull << 20;

class IconTextTest : public ::testing::Test {
 protected:
  IconTextTest() : memory(probe) {
    probe.memoryBytes = MemoryBytes{8192 * kMiB, 3000 * kMiB, 2048 * kMiB, 1500 * kMiB};
    sources.cpuUsage = [this] {
      ++cpuCalls;
      return 37;
    };
    sources.memory = [this]() -> const CMemoryInfo& {
      ++memoryRefreshes;
      memory.Refresh();
      return memory;
    };
    sources.format.thousandsSeparator = ".";
  }
  SimSystemProbe probe;
  CMemoryInfo memory;
  IconTextSources sources;
  int cpuCalls = 0;
  int memoryRefreshes = 0;
};

TEST_F(IconTextTest, ExpandsTemplates) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      // The default template: three lines.
      {"Memoria física libre: $MFL$|Archivo de swap usado: $AIU$|Uso de CPU: $CPU$",
       "Memoria física libre: 3.000 MB\nArchivo de swap usado: 548 MB\nUso de CPU: 37%"},
      {"$MFT$ $MFU$ $AIT$ $AIL$", "8.192 MB 5.192 MB 2.048 MB 1.500 MB"},
      {"$MVT$/$MVL$/$MVU$", "10.240 MB/4.500 MB/5.740 MB"},
      // Not a macro: its first "$" and name stay, and its closing "$" opens the next token.
      {"a $XYZ$CPU$ b", "a $XYZ37% b"},
      {"$cpu$", "$cpu$"},
      // A lone "$" and an unclosed one are copied.
      {"50$ y más", "50$ y más"},
      {"precio $CPU", "precio $CPU"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandIconText(c.text, sources), c.expected) << c.text;
}

TEST_F(IconTextTest, MemoryIsReadOncePerExpansion) {
  (void)ExpandIconText("$MFL$ $MFT$ $AIU$ $MVU$", sources);
  EXPECT_EQ(memoryRefreshes, 1);
  (void)ExpandIconText("Uso de CPU: $CPU$", sources);
  EXPECT_EQ(memoryRefreshes, 1);
}

TEST_F(IconTextTest, TextIsCutAfterTheTokenThatReaches64Characters) {
  // Each macro adds "37%"; the cut comes after the token that reaches 64
  // characters, counting characters, not bytes.
  const std::string text = std::string(58, 'x') + "ñ$CPU$$CPU$$CPU$ resto";
  const std::string out = ExpandIconText(text, sources);
  EXPECT_EQ(out, std::string(58, 'x') + "ñ37%37%");
  EXPECT_EQ(cpuCalls, 2);
}

TEST_F(IconTextTest, RebuildsAtMostEveryThreeSeconds) {
  IconTextBuilder builder;
  EXPECT_EQ(builder.Build(100, "$CPU$", sources), "37%");
  EXPECT_EQ(builder.Build(102, "otro texto", sources), "37%");
  EXPECT_EQ(cpuCalls, 1);
  EXPECT_EQ(builder.Build(103, "otro texto", sources), "otro texto");
  // A clock set back builds again instead of waiting.
  EXPECT_EQ(builder.Build(50, "$CPU$", sources), "37%");
}

TEST(ServiceTexts, StatesStartTypesAndAllowedCommands) {
  const std::pair<int, const char*> states[] = {{0, "Desconocido"}, {1, ""},           {2, "Iniciando"},
                                                {3, "Deteniendo"},  {4, "Iniciado"},   {5, "Continuando"},
                                                {6, "Pausando"},    {7, "Pausado"},    {99, "Desconocido"}};
  for (const auto& [state, text] : states) EXPECT_EQ(ServiceStateText(state), text) << state;
  const std::pair<int, const char*> types[] = {
      {0, "Automático"}, {1, "Automático"}, {2, "Automático"}, {3, "Manual"}, {4, "Deshabilitado"}};
  for (const auto& [type, text] : types) EXPECT_EQ(StartTypeText(type), text) << type;

  using enum ServiceCommand;
  struct Case {
    int state;
    bool start, stop, pause, resume, restart;
  };
  const Case cases[] = {
      {service_state::Stopped, true, false, false, false, false},
      {service_state::Running, false, true, true, false, true},
      // A paused service can be stopped, resumed and restarted, not paused again.
      {service_state::Paused, false, true, false, true, true},
      {service_state::Starting, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ServiceCommandAllowed(Start, c.state), c.start) << c.state;
    EXPECT_EQ(ServiceCommandAllowed(Stop, c.state), c.stop) << c.state;
    EXPECT_EQ(ServiceCommandAllowed(Pause, c.state), c.pause) << c.state;
    EXPECT_EQ(ServiceCommandAllowed(Resume, c.state), c.resume) << c.state;
    EXPECT_EQ(ServiceCommandAllowed(Restart, c.state), c.restart) << c.state;
    EXPECT_TRUE(ServiceCommandAllowed(Automatic, c.state));
    EXPECT_TRUE(ServiceCommandAllowed(Uninstall, c.state));
  }
}

TEST(UsageGraphRules, IconBarsOpacityAndGrid) {
  const std::pair<int, int> heights[] = {{0, 0}, {3, 0}, {4, 0}, {5, 1}, {50, 6}, {96, 11}, {97, 12}, {100, 12}, {250, 12}, {-5, 0}};
  for (const auto& [percent, height] : heights) EXPECT_EQ(IconBarHeight(percent), height) << percent;
  const std::pair<int, int> opacity[] = {{0, 100}, {1, 10}, {3, 30}, {9, 90}, {10, 100}, {-1, 100}};
  for (const auto& [setting, percent] : opacity) EXPECT_EQ(OpacityOf(setting), percent) << setting;
  const std::pair<int, int> lines[] = {{0, 0}, {1, 11}, {2, 5}, {3, 3}, {4, 1}, {5, 0}};
  for (const auto& [setting, count] : lines) EXPECT_EQ(VerticalGridLineCount(setting), count) << setting;
}

TEST(UsageGraphRules, MiniatureBarsRiseFromRow13) {
  const Bitmap b = IconMiniature(6, 12);
  ASSERT_EQ(b.width, 16);
  ASSERT_EQ(b.pixels.size(), 256u);
  const auto at = [&](int x, int y) { return b.pixels[static_cast<std::size_t>(y * 16 + x)]; };
  // Memory: rows 8..13 at column 4; nothing above.
  EXPECT_EQ(at(4, 13), at(4, 8));
  EXPECT_NE(at(4, 8), at(4, 7));
  // CPU at full height: rows 2..13 at column 11, another colour.
  EXPECT_EQ(at(11, 2), at(11, 13));
  EXPECT_NE(at(11, 13), at(4, 13));
  EXPECT_NE(IconMiniature(6, 12), IconMiniature(7, 12));
}

}  // namespace
}  // namespace zelvor
