#pragma once
// A dial-up service in memory that a test drives: its entries and devices,
// dials that report the steps the test chooses (or a script run at once),
// failures with their texts, lines that drop, and connections made by
// another program.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dialer.h"
#include "platform/event_loop.h"

namespace zelvor {

class SimDialer : public Dialer {
 public:
  explicit SimDialer(EventLoop& loop) : loop_(loop) {}

  struct Step {
    int step = 0;
    int error = 0;
  };
  struct DialCall {
    std::string entry;
    DialParams params;
    ConnectionHandle handle = 0;
  };

  bool available() override { return present; }
  std::string missingServiceText() override { return missingText; }
  std::vector<std::string> entries() override { return entryNames; }
  std::vector<std::string> modems() override { return modemNames; }
  std::vector<ConnectionHandle> connections() override;
  std::optional<ConnectionStatus> status(ConnectionHandle handle) override;
  DialParams dialParams(const std::string& entry) override;
  bool setDialParams(const std::string& entry, const DialParams& params, bool forgetPassword) override;
  DialStart dial(const std::string& entry, const DialParams& params, WindowHandle target) override;
  int hangUp(ConnectionHandle handle) override;
  std::string errorText(int code) override;
  EditorOutcome newEntry() override { return editor("new", ""); }
  EditorOutcome editEntry(const std::string& entry) override { return editor("edit", entry); }
  EditorOutcome openEntriesFolder() override { return editor("folder", ""); }

  // Test side. Reports a step of a dial under way (ignored once it ended).
  void report(ConnectionHandle handle, int step, int error = 0);
  // Reports the steps up to Connected: the connection is up.
  void connect(ConnectionHandle handle);
  // The line drops: the connection is gone, with no report (as a dropped
  // line looks to a program that polls).
  void dropLine(ConnectionHandle handle);
  // Another program brings up entry; returns its handle.
  ConnectionHandle connectElsewhere(const std::string& entry, const std::string& device);
  // The last dial's handle (0 before any).
  [[nodiscard]] ConnectionHandle lastDial() const { return calls.empty() ? 0 : calls.back().handle; }

  bool present = true;
  std::string missingText = "sin servicio";
  std::vector<std::string> entryNames;
  std::vector<std::string> modemNames;
  std::map<std::string, std::string> deviceOf;     // entry -> device; "" when not set
  std::map<std::string, DialParams> storedParams;  // entry -> credentials
  std::map<int, std::string> errorTexts;
  // Reports posted at once by every dial of an entry (then the dial waits for the test).
  std::map<std::string, std::vector<Step>> script;
  int dialStartError = 0;   // non-zero: dial() fails with it
  int hangUpError = 0;      // non-zero: hangUp() fails with it
  bool editorInstalled = true;

  std::vector<DialCall> calls;
  std::vector<ConnectionHandle> hungUp;
  std::vector<std::string> editorCalls;  // "new", "edit <entry>", "folder"
  std::vector<std::string> paramWrites;  // "<entry> <user> <password|->"

 private:
  struct Live {
    std::string entry;
    std::string device;
    WindowHandle target = 0;  // 0: not dialed here, nobody to report to
    bool connected = false;
    bool reporting = false;
  };
  EditorOutcome editor(const std::string& what, const std::string& entry);
  void post(ConnectionHandle handle, int step, int error);

  EventLoop& loop_;
  std::map<ConnectionHandle, Live> live_;
  ConnectionHandle next_ = 1;
};

}  // namespace zelvor
