#pragma once
// The whole suite as the program assembles it (SuiteComponents), started on
// the simulated desktop in a sandbox, with an environment of the test's own and the
// launcher defaults' programs in /usr/bin/.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/assembly/suite_components.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/zelvor_app.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

class SimSuiteTest : public ::testing::Test {
 protected:
  SimSuiteTest() : sim(sandbox.root()), desk(sim.clock), instance(world, 9), components("test") {
    options.environment = [this](std::string_view name) -> std::optional<std::string> {
      const auto found = environment.find(name);
      if (found == environment.end()) return std::nullopt;
      return found->second;
    };
    options.install.systemProgramFolder = "/usr/bin/";
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, components, options);
    EXPECT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
  }

  // The suite's environment, empty unless a test sets a variable.
  std::map<std::string, std::string, std::less<>> environment;
  Sandbox sandbox;
  SimPlatform sim;
  SimDesktop desk;
  SimInstanceWorld world;
  SimSingleInstance instance;
  SuiteComponents components;
  AppOptions options;
  std::unique_ptr<CZelvorApp> app;
};

}  // namespace zelvor::testing
