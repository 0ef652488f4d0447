#pragma once
// Dial-up entries over NetworkManager's D-Bus API. Entries are its
// connection profiles of the dial-up kinds (nm_kinds.h), devices are its
// devices, a dial activates a profile and a hang-up deactivates it.
//
// Every call to NetworkManager is asynchronous with a time-out, on the
// thread that runs the Qt event loop (the UI thread): the lists the suite
// reads are a snapshot that NetworkManager's signals keep fresh, so a slow
// or hung NetworkManager never stops the suite.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dialer.h"
#include "platform/event_loop.h"
#include "platform/launcher.h"
#include "platform/nm/nm_progress.h"

class QDBusServiceWatcher;

namespace zelvor::nm {

class NmDialer : public QObject, public Dialer {
  Q_OBJECT

 public:
  // bus: the system bus in the program, a private bus in tests.
  NmDialer(EventLoop& loop, Launcher& launcher, const QDBusConnection& bus);
  ~NmDialer() override;

  bool available() override;
  std::string missingServiceText() override;
  std::vector<std::string> entries() override;
  std::vector<std::string> modems() override;
  std::vector<ConnectionHandle> connections() override;
  std::optional<ConnectionStatus> status(ConnectionHandle handle) override;
  DialParams dialParams(const std::string& entry) override;
  bool setDialParams(const std::string& entry, const DialParams& params, bool forgetPassword) override;
  DialStart dial(const std::string& entry, const DialParams& params, WindowHandle target) override;
  int hangUp(ConnectionHandle handle) override;
  std::string errorText(int code) override;
  EditorOutcome newEntry() override;
  EditorOutcome editEntry(const std::string& entry) override;
  EditorOutcome openEntriesFolder() override;

  // Whether the snapshot is up to date: no question to NetworkManager is
  // waiting for its answer (tests wait for this instead of for time).
  [[nodiscard]] bool settled() const { return pending_ == 0 && !refreshQueued_ && !refreshRunning_; }

 private slots:
  void onSignal(const QDBusMessage& message);
  void onOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

 private:
  struct Profile {
    QString path;
    std::string id;
    std::string uuid;
    std::string userName;
  };
  struct Device {
    std::string interfaceName;
    std::string ipInterface;
    std::uint32_t type = 0;
    std::uint32_t state = 0;
    std::uint32_t reason = 0;
  };
  struct Active {
    QString connection;
    std::string id;
    std::uint32_t state = 0;
    QStringList devices;
  };
  struct Snapshot {
    std::vector<Profile> profiles;
    std::vector<QString> deviceOrder;
    std::map<QString, Device> devices;
    std::map<QString, Active> actives;
  };
  struct DialState {
    WindowHandle target = 0;
    std::string entry;
    QString active;               // empty until NetworkManager answered
    std::uint64_t boundAt = 0;    // the refresh generation when it answered
    DialProgress progress;
  };
  struct Build;

  void call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply);
  void subscribe();
  void scheduleRefresh();
  void startRefresh();
  void publish(Snapshot snapshot, std::uint64_t generation);
  void reconcileDials(std::uint64_t generation);
  void feed(ConnectionHandle handle, const std::vector<StepReport>& reports);
  void onActivated(ConnectionHandle handle, const QDBusMessage& reply);
  [[nodiscard]] const Profile* findProfile(const std::string& entry) const;
  [[nodiscard]] bool listed(const QString& connectionPath) const;
  [[nodiscard]] ConnectionHandle handleOf(const QString& activePath);
  [[nodiscard]] int callError(const std::string& text);

  EventLoop& loop_;
  Launcher& launcher_;
  QDBusConnection bus_;
  std::unique_ptr<QDBusServiceWatcher> watcher_;
  std::optional<bool> present_;
  Snapshot snap_;
  std::map<ConnectionHandle, DialState> dials_;
  std::map<QString, ConnectionHandle> handles_;
  std::map<QString, std::uint64_t> boundAt_;  // the refresh generation when a dial's answer came
  std::set<QString> hungUp_;           // deactivation asked, still listed by NetworkManager
  std::set<ConnectionHandle> cancelled_;  // hung up before NetworkManager answered the dial
  std::map<int, std::string> callErrors_;
  int nextCallError_ = 0;
  ConnectionHandle next_ = 1;
  std::uint64_t generation_ = 0;
  int pending_ = 0;
  bool refreshQueued_ = false;
  bool refreshRunning_ = false;
  bool refreshAgain_ = false;
};

}  // namespace zelvor::nm
