#pragma once
// A dialer made on first use. The desktop hands one to every program, but
// only Dedo Vuv asks it anything: until then nothing talks to the bus.

#include <functional>
#include <memory>

#include "platform/dialer.h"

namespace zelvor::nm {

class LazyDialer : public Dialer {
 public:
  explicit LazyDialer(std::function<std::unique_ptr<Dialer>()> make) : make_(std::move(make)) {}

  bool available() override { return get().available(); }
  std::string missingServiceText() override { return get().missingServiceText(); }
  std::vector<std::string> entries() override { return get().entries(); }
  std::vector<std::string> modems() override { return get().modems(); }
  std::vector<ConnectionHandle> connections() override { return get().connections(); }
  std::optional<ConnectionStatus> status(ConnectionHandle handle) override { return get().status(handle); }
  DialParams dialParams(const std::string& entry) override { return get().dialParams(entry); }
  bool setDialParams(const std::string& entry, const DialParams& params, bool forgetPassword) override {
    return get().setDialParams(entry, params, forgetPassword);
  }
  DialStart dial(const std::string& entry, const DialParams& params, WindowHandle target) override {
    return get().dial(entry, params, target);
  }
  int hangUp(ConnectionHandle handle) override { return get().hangUp(handle); }
  std::string errorText(int code) override { return get().errorText(code); }
  EditorOutcome newEntry() override { return get().newEntry(); }
  EditorOutcome editEntry(const std::string& entry) override { return get().editEntry(entry); }
  EditorOutcome openEntriesFolder() override { return get().openEntriesFolder(); }

  [[nodiscard]] bool made() const { return made_ != nullptr; }

 private:
  Dialer& get() {
    if (!made_) made_ = make_();
    return *made_;
  }
  std::function<std::unique_ptr<Dialer>()> make_;
  std::unique_ptr<Dialer> made_;
};

}  // namespace zelvor::nm
