#pragma once
// The sandbox of a diary test: a simulated platform whose files live in it,
// and the store with the default settings installed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

// Central European time with its daylight-saving rule, as a Spanish desktop has it.
inline constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

class DiarySandbox : public ::testing::Test {
 protected:
  DiarySandbox() : folder(sandbox.root()), sim(folder), store(sim.registry, sim.folders, sim.files) {
    std::filesystem::create_directories(sim.folders.programFolder_);
    std::filesystem::create_directories(sim.folders.userData_);
    sim.clock.setZone(*TimeZoneRule::parse(kCentralEurope));
    (void)InstallDefaults(store, {});
  }

  // The instant whose Central European local time reads so (the first one
  // when the hour repeats).
  std::int64_t local(int y, int mo, int d, int h, int mi, int s = 0) {
    return instantsOf(sim.clock, y, mo, d, h, mi, s).at(0);
  }

  static void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  Sandbox sandbox;
  std::string folder;
  SimPlatform sim;
  ConfigStore store;
};

}  // namespace zelvor::testing
