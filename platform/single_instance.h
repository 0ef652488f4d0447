#pragma once
// One running instance per user, and the channel other processes use to
// reach it: a second start asks the running one to show its menu, and the
// command-line tool asks for status and runs commands.
//
// Requests are single lines of text; replies are text. A request arrives on
// the UI thread as msg::ControlRequest with wParam the request number; the
// handler reads it with request() and answers it with answer().

#include <cstdint>
#include <optional>
#include <string>

#include "platform/event_loop.h"
#include "platform/ui_types.h"

namespace zelvor {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;

  enum class Claim {
    First,        // this process is now the instance
    AnotherRuns,  // an instance runs already
    Failed,       // the lock could not be made (error says why)
  };
  // Takes the per-user instance lock; held until release() or process end.
  [[nodiscard]] virtual Claim claim(std::string& error) = 0;
  virtual void release() = 0;

  // The value that names this instance (written to MainHWnd).
  [[nodiscard]] virtual std::uint32_t instanceId() = 0;
  // Whether id names the instance that holds the lock right now; a value
  // left behind by an instance that ended is never live.
  [[nodiscard]] virtual bool isLiveInstance(std::uint32_t id) = 0;

  // Client side: sends one request line to the running instance and waits
  // (bounded) for the reply. False, with error, when no instance answers.
  [[nodiscard]] virtual bool send(const std::string& request, std::string& reply,
                                  std::string& error) = 0;

  // Server side, for the instance that holds the lock.
  [[nodiscard]] virtual bool listen(EventLoop& loop, WindowHandle target, std::string& error) = 0;
  // The text of a request that arrived; nullopt when unknown or taken already.
  [[nodiscard]] virtual std::optional<std::string> request(std::intptr_t number) = 0;
  virtual void answer(std::intptr_t number, const std::string& reply) = 0;
  virtual void stopListening() = 0;
};

}  // namespace zelvor
