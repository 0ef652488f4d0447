// Requests from other processes reach the main window as text: whatever
// arrives must give an answer and never a crash.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "tests/support/sandbox.h"

namespace {

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
  zelvor::BuiltInComponents components;
  zelvor::CZelvorApp app;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string reply = world.app.mainWindow()->HandleControlRequest(line);
  if (reply.rfind("ok\n", 0) != 0 && reply.rfind("error ", 0) != 0) __builtin_trap();
  world.desk.loop.deliverPosted();
  return 0;
}
