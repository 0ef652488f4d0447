#pragma once
// The system's services as systemd's manager tells them over D-Bus
// (org.freedesktop.systemd1). Calls wait for their answer with the desktop
// still responsive, so that the password agent can ask where the system's
// policy wants it.

#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/service_manager.h"

namespace zelvor::systemd {

class SystemdServices : public ServiceManager {
 public:
  explicit SystemdServices(const QDBusConnection& bus) : bus_(bus) {}

  bool available() override;
  std::vector<ServiceRecord> services() override;
  std::optional<int> state(const std::string& name) override;
  ServiceResult start(const std::string& name) override;
  ServiceResult stop(const std::string& name) override;
  ServiceResult pause(const std::string& name) override;
  ServiceResult resume(const std::string& name) override;
  ServiceResult setStartType(const std::string& name, int startType) override;
  ServiceResult remove(const std::string& name) override;

 private:
  // A read: blocks up to a few seconds, never asks for a password.
  QDBusMessage ask(const QString& path, const QString& iface, const QString& method, const QVariantList& args);
  // A change: may bring up the password agent, so the desktop keeps running meanwhile.
  ServiceResult change(const QString& method, const QVariantList& args);
  [[nodiscard]] int stateAt(const QString& unitPath);
  [[nodiscard]] QString executableAt(const QString& unitPath);

  QDBusConnection bus_;
};

}  // namespace zelvor::systemd
