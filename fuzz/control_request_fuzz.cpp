// Requests from other processes reach the main window as text: whatever
// arrives must give an answer and never a crash. The bytes go the way a
// peer's do: in pieces (their size chosen by the first byte) through the
// socket's line reader, and a complete line to the main window.
//
// Lines past kMaxControlRequest are refused by the reader, so inputs must be
// able to exceed it: run with -max_len=16384 (a seed above the limit makes
// libFuzzer's own guess large enough too). Longer inputs add nothing.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/assembly/suite_components.h"
#include "platform/control_line.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "tests/support/sandbox.h"

namespace {

constexpr std::size_t kMaxInput = 4 * zelvor::kMaxControlRequest;

// The application is a member built in place with options of its own: a
// make_unique of it with the defaulted options argument led GCC 12 at -O2 to
// a false -Wmaybe-uninitialized on that temporary.
struct World {
  World()
      : sim(sandbox.root()),
        desk(sim.clock),
        instance(instances, 1),
        app(sim.platform(), desk.desktop(), instance, components, options()) {
    (void)app.InitInstance({});
  }
  // Requests never depend on the environment of the fuzzing process.
  static zelvor::AppOptions options() {
    zelvor::AppOptions o;
    o.environment = [](std::string_view) -> std::optional<std::string> { return std::nullopt; };
    return o;
  }
  zelvor::testing::Sandbox sandbox;
  zelvor::SimPlatform sim;
  zelvor::SimDesktop desk;
  zelvor::SimInstanceWorld instances;
  zelvor::SimSingleInstance instance;
  zelvor::SuiteComponents components{"fuzz"};
  zelvor::CZelvorApp app;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  if (size == 0 || size > kMaxInput) return 0;
  const std::size_t piece = 1 + data[0] % 200;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  zelvor::ControlLineReader reader(zelvor::kMaxControlRequest);
  while (!rest.empty()) {
    (void)reader.feed(rest.substr(0, piece));
    rest.remove_prefix(std::min(piece, rest.size()));
  }
  if (reader.finish() != zelvor::ControlLineReader::State::Complete) return 0;
  const std::string& line = reader.line();
  if (line.size() >= zelvor::kMaxControlRequest || line.find('\n') != std::string::npos) __builtin_trap();
  const std::string reply = world.app.mainWindow()->HandleControlRequest(line);
  if (reply.rfind("ok\n", 0) != 0 && reply.rfind("error ", 0) != 0) __builtin_trap();
  world.desk.loop.deliverPosted();
  return 0;
}
