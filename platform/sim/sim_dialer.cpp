#include "platform/sim/sim_dialer.h"

namespace zelvor {

std::vector<ConnectionHandle> SimDialer::connections() {
  std::vector<ConnectionHandle> out;
  // As a binding whose service went away: it knows of no connection.
  if (!present) return out;
  for (const auto& [handle, live] : live_) out.push_back(handle);
  return out;
}

std::optional<ConnectionStatus> SimDialer::status(ConnectionHandle handle) {
  const auto it = live_.find(handle);
  if (it == live_.end()) return std::nullopt;
  return ConnectionStatus{it->second.connected, it->second.entry, it->second.device,
                          it->second.connected ? "ppp0" : ""};
}

DialParams SimDialer::dialParams(const std::string& entry) {
  const auto it = storedParams.find(entry);
  return it == storedParams.end() ? DialParams{} : it->second;
}

bool SimDialer::setDialParams(const std::string& entry, const DialParams& params, bool forgetPassword) {
  DialParams stored = params;
  if (forgetPassword) stored.password.clear();
  stored.passwordStored = !forgetPassword;
  storedParams[entry] = stored;
  paramWrites.push_back(entry + " " + params.userName + " " + (forgetPassword ? "-" : params.password));
  return true;
}

DialStart SimDialer::dial(const std::string& entry, const DialParams& params, WindowHandle target) {
  if (dialStartError != 0) return DialStart{0, dialStartError};
  const ConnectionHandle handle = next_++;
  const auto device = deviceOf.find(entry);
  live_[handle] = Live{entry, device == deviceOf.end() ? "" : device->second, target, false, true};
  calls.push_back(DialCall{entry, params, handle});
  const auto steps = script.find(entry);
  if (steps != script.end()) {
    for (const Step& s : steps->second) report(handle, s.step, s.error);
  }
  return DialStart{handle, 0};
}

int SimDialer::hangUp(ConnectionHandle handle) {
  if (hangUpError != 0) return hangUpError;
  hungUp.push_back(handle);
  live_.erase(handle);
  return 0;
}

std::string SimDialer::errorText(int code) {
  const auto it = errorTexts.find(code);
  return it == errorTexts.end() ? "" : it->second;
}

void SimDialer::report(ConnectionHandle handle, int step, int error) {
  const auto it = live_.find(handle);
  if (it == live_.end() || !it->second.reporting) return;
  Live& live = it->second;
  const bool ends = step == dial_step::Connected || step == dial_step::Disconnected ||
                    (error != 0 && error != kDisconnectedByUser);
  if (step == dial_step::Connected && error == 0) live.connected = true;
  post(handle, step, error);
  if (!ends) return;
  live.reporting = false;
  // A failed dial leaves a handle to hang up, as the service keeps it.
  if (step == dial_step::Disconnected) live_.erase(it);
}

void SimDialer::connect(ConnectionHandle handle) {
  for (int step : {dial_step::OpeningPort, dial_step::PortOpened, dial_step::ConnectingDevice,
                   dial_step::DeviceConnected, dial_step::AllDevicesConnected, dial_step::Authenticating,
                   dial_step::Authenticated, dial_step::Connected}) {
    report(handle, step);
  }
}

void SimDialer::dropLine(ConnectionHandle handle) { live_.erase(handle); }

ConnectionHandle SimDialer::connectElsewhere(const std::string& entry, const std::string& device) {
  const ConnectionHandle handle = next_++;
  live_[handle] = Live{entry, device, 0, true, false};
  return handle;
}

EditorOutcome SimDialer::editor(const std::string& what, const std::string& entry) {
  editorCalls.push_back(entry.empty() ? what : what + " " + entry);
  return editorInstalled ? EditorOutcome::Opened : EditorOutcome::NoEditor;
}

void SimDialer::post(ConnectionHandle handle, int step, int error) {
  const Live& live = live_.at(handle);
  if (live.target == 0) return;
  const DialReport r{handle, step, error};
  loop_.post(live.target, msg::DialProgress, static_cast<std::intptr_t>(handle), r.lparam());
}

}  // namespace zelvor
