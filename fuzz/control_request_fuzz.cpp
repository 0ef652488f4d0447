// Requests from other processes reach the main window as text: whatever
// arrives must give an answer and never a crash.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/assembly/suite_components.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace {

struct World {
  World()
      : sandbox((std::filesystem::temp_directory_path() / "zelvor-fuzz-control").string() + "/"),
        sim(sandbox),
        desk(sim.clock),
        instance(instances, 1) {
    app = std::make_unique<zelvor::CZelvorApp>(sim.platform(), desk.desktop(), instance, components);
    (void)app->InitInstance({});
  }
  std::string sandbox;
  zelvor::SimPlatform sim;
  zelvor::SimDesktop desk;
  zelvor::SimInstanceWorld instances;
  zelvor::SimSingleInstance instance;
  zelvor::SuiteComponents components{"fuzz"};
  std::unique_ptr<zelvor::CZelvorApp> app;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string reply = world.app->mainWindow()->HandleControlRequest(line);
  if (reply.rfind("ok\n", 0) != 0 && reply.rfind("error ", 0) != 0) __builtin_trap();
  world.desk.loop.deliverPosted();
  return 0;
}
