#pragma once
// The system's services: listing them with their state and how they start,
// starting, stopping, pausing and resuming them, and changing how they
// start. States and start types speak in the suite's numbers, which the
// service list shows and stores in its rows.

#include <optional>
#include <string>
#include <vector>

namespace zelvor {

namespace service_state {
inline constexpr int Unknown = 0;
inline constexpr int Stopped = 1;
inline constexpr int Starting = 2;
inline constexpr int Stopping = 3;
inline constexpr int Running = 4;
inline constexpr int Resuming = 5;
inline constexpr int Pausing = 6;
inline constexpr int Paused = 7;
}  // namespace service_state

namespace service_start {
inline constexpr int Boot = 0;
inline constexpr int System = 1;
inline constexpr int Automatic = 2;
inline constexpr int Manual = 3;
inline constexpr int Disabled = 4;
}  // namespace service_start

struct ServiceRecord {
  std::string name;         // the system's identifier ("ssh.service")
  std::string displayName;  // what the user reads
  std::string executablePath;
  int state = service_state::Unknown;
  int startType = service_start::Manual;

  friend bool operator==(const ServiceRecord&, const ServiceRecord&) = default;
};

struct ServiceResult {
  bool ok = true;
  std::string systemText;  // the system's own words when it refused
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;

  // Whether the system has a service manager the suite can speak to.
  [[nodiscard]] virtual bool available() = 0;
  // Every service the manager knows, in no particular order; empty when
  // it cannot be asked.
  [[nodiscard]] virtual std::vector<ServiceRecord> services() = 0;
  // The current state of one service; nullopt when it cannot be asked.
  [[nodiscard]] virtual std::optional<int> state(const std::string& name) = 0;

  // Requests that the manager carries out; where the system's policy asks
  // for a password the desktop's own agent asks the user for it.
  [[nodiscard]] virtual ServiceResult start(const std::string& name) = 0;
  [[nodiscard]] virtual ServiceResult stop(const std::string& name) = 0;
  [[nodiscard]] virtual ServiceResult pause(const std::string& name) = 0;
  [[nodiscard]] virtual ServiceResult resume(const std::string& name) = 0;
  // startType: service_start::Automatic, Manual or Disabled.
  [[nodiscard]] virtual ServiceResult setStartType(const std::string& name, int startType) = 0;
  [[nodiscard]] virtual ServiceResult remove(const std::string& name) = 0;
};

}  // namespace zelvor
