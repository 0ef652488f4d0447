// Requests from other processes reach the main window as text: whatever
// arrives must give an answer and never a crash. The bytes go the way a
// peer's do: in pieces (their size chosen by the first byte) through the
// socket's line reader, and a complete line to the main window.
//
// Lines past kMaxControlRequest are refused by the reader, so inputs must be
// able to exceed it: run with -max_len=16384 (a seed above the limit makes
// libFuzzer's own guess large enough too). Longer inputs add nothing.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/assembly/suite_components.h"
#include "platform/control_line.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace {

constexpr std::size_t kMaxInput = 4 * zelvor::kMaxControlRequest;

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
  const std::string reply = world.app->mainWindow()->HandleControlRequest(line);
  if (reply.rfind("ok\n", 0) != 0 && reply.rfind("error ", 0) != 0) __builtin_trap();
  world.desk.loop.deliverPosted();
  return 0;
}
