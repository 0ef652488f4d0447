#include "net/dedovuv/connection_programs.h"

#include "launchers/entry_lists.h"
#include "launchers/run_stored_entry.h"

namespace zelvor::dedovuv {

void ConnectionPrograms::Start() {
  if (!held_.empty()) return;  // at most once per connection
  const std::size_t count = LoadPrograms(registry_, EntryList::ConnectPrograms).size();
  const std::vector<bool> checked = checks_.checked ? checks_.checked() : std::vector<bool>{};
  for (std::size_t n = 1; n <= count; ++n) {
    Held slot;
    const bool run = checked.empty() || (n - 1 < checked.size() && checked[n - 1]);
    if (run) {
      int close = 0;
      slot.processId = RunStoredEntry(registry_, services_, StoredEntryKind::ConnectProgram, static_cast<int>(n), 0,
                                      &close);
      slot.closeOnDisconnect = close != 0;
    }
    held_.push_back(slot);
  }
  if (checks_.started) checks_.started();
}

void ConnectionPrograms::Close() {
  for (const Held& h : held_) {
    if (!h.closeOnDisconnect || h.processId <= 0) continue;
    const auto pid = static_cast<std::uint32_t>(h.processId);
    if (!IsSingleProcessId(pid)) continue;
    // A program that already ended is reaped here, and its id is not ended:
    // by now it may belong to an unrelated process.
    if (services_.launcher.wait(h.processId, 0).has_value()) continue;
    (void)processes_.terminate(pid);
  }
  held_.clear();
}

}  // namespace zelvor::dedovuv
