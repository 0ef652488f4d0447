#include "platform/nm/nm_progress.h"

#include <gtest/gtest.h>

#include "platform/dialer.h"
#include "platform/nm/nm_kinds.h"
#include "platform/nm/nm_reasons.h"

namespace zelvor::nm {
namespace {

constexpr int C = dial_step::Connected;
constexpr int D = dial_step::Disconnected;

// One event of NetworkManager: a device state (with reason) or an active
// connection state (with reason), or the active connection vanishing.
struct Event {
  enum Kind { DeviceState, ActiveState, Gone } kind;
  std::uint32_t state = 0;
  std::uint32_t reason = 0;
};

struct Story {
  const char* name;
  std::vector<Event> events;
  std::vector<StepReport> reports;
};

TEST(NmDialProgressTest, StatesBecomeStepsInOrderAndEndOnce) {
  const std::vector<Story> stories = {
      {"a modem that dials, authenticates and comes up",
       {{Event::ActiveState, 1}, {Event::DeviceState, 40}, {Event::DeviceState, 50}, {Event::DeviceState, 60},
        {Event::DeviceState, 70}, {Event::DeviceState, 80}, {Event::DeviceState, 100}, {Event::ActiveState, 2}},
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {14, 0}, {C, 0}}},
      {"a connection that is up before anything was seen",
       {{Event::ActiveState, 2}},
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {14, 0}, {C, 0}}},
      {"a busy line",
       {{Event::DeviceState, 40}, {Event::DeviceState, 50}, {Event::DeviceState, 120, 23}, {Event::ActiveState, 4, 3}},
       {{0, 0}, {1, 0}, {2, 0}, {D, 1023}}},
      {"a device that failed before the connection said why",
       {{Event::DeviceState, 50}, {Event::ActiveState, 4, 3}},
       {{0, 0}, {1, 0}, {2, 0}, {D, 2003}}},
      {"a wrong password",
       {{Event::DeviceState, 70}, {Event::ActiveState, 4, 10}},
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {D, 2010}}},
      {"the user stops the dial",
       {{Event::DeviceState, 50}, {Event::ActiveState, 4, 2}},
       {{0, 0}, {1, 0}, {2, 0}, {D, kDisconnectedByUser}}},
      {"the device is disconnected at the user's request",
       {{Event::DeviceState, 50}, {Event::DeviceState, 30, 39}},
       {{0, 0}, {1, 0}, {2, 0}, {D, kDisconnectedByUser}}},
      {"the device still resting from an earlier connection",
       {{Event::DeviceState, 30, 36}, {Event::DeviceState, 40}},
       {{0, 0}}},
      {"the connection vanishes while dialing",
       {{Event::DeviceState, 40}, {Event::Gone}},
       {{0, 0}, {D, 2000}}},
      {"states going back are not reported twice",
       {{Event::DeviceState, 70}, {Event::DeviceState, 50}, {Event::DeviceState, 70}},
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}},
      {"nothing after the end",
       {{Event::ActiveState, 2}, {Event::ActiveState, 4, 3}, {Event::DeviceState, 120, 23}},
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {14, 0}, {C, 0}}},
  };
  for (const Story& story : stories) {
    SCOPED_TRACE(story.name);
    DialProgress progress;
    std::vector<StepReport> got;
    for (const Event& e : story.events) {
      std::vector<StepReport> now;
      switch (e.kind) {
        case Event::DeviceState: now = progress.onDeviceState(e.state, e.reason); break;
        case Event::ActiveState: now = progress.onActiveState(e.state, e.reason); break;
        case Event::Gone: now = progress.onGone(); break;
      }
      got.insert(got.end(), now.begin(), now.end());
    }
    EXPECT_EQ(got, story.reports);
    EXPECT_EQ(progress.ended(), !story.reports.empty() && (story.reports.back().step == C ||
                                                           story.reports.back().step == D));
  }
}

TEST(NmReasonsTest, ReasonCodesHaveTexts) {
  EXPECT_EQ(ReasonText(DeviceReasonCode(23)), "La línea está ocupada.");
  EXPECT_EQ(ReasonText(DeviceReasonCode(24)), "No hay tono de marcado.");
  EXPECT_EQ(ReasonText(DeviceReasonCode(39)), "Desconectado por el usuario.");
  EXPECT_EQ(ReasonText(ActiveReasonCode(10)),
            "Falló el inicio de sesión: nombre de usuario o contraseña incorrectos.");
  // A reason newer than this table still says where it came from.
  EXPECT_EQ(ReasonText(DeviceReasonCode(500)), "NetworkManager informó de un motivo desconocido (500).");
  EXPECT_EQ(ReasonText(kCallErrorBase), "");
  EXPECT_EQ(ReasonText(5), "");
}

TEST(NmKindsTest, DialUpKindsAreListedAndLocalNetworksAreNot) {
  struct Case {
    const char* type;
    const char* bluetooth;
    bool listed;
  };
  for (const Case c : {Case{"gsm", "", true}, Case{"cdma", "", true}, Case{"pppoe", "", true},
                       Case{"adsl", "", true}, Case{"vpn", "", true}, Case{"wireguard", "", true},
                       Case{"bluetooth", "dun", true}, Case{"bluetooth", "panu", false},
                       Case{"802-3-ethernet", "", false}, Case{"802-11-wireless", "", false},
                       Case{"bridge", "", false}, Case{"loopback", "", false}}) {
    SCOPED_TRACE(std::string(c.type) + "/" + c.bluetooth);
    EXPECT_EQ(IsDialUpKind(c.type, c.bluetooth), c.listed);
  }
}

}  // namespace
}  // namespace zelvor::nm
