// Feeds arbitrary bytes to the desktop-entry reader and to the splitting
// of argument lines, and checks what the import promises: the arguments it
// stores split back into the Exec line's own arguments, and a vector that
// is joined splits back into itself. The same bytes, as the head of an icon
// file, give a sane icon count.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/default_max_len.h"
#include "launchers/argument_split.h"
#include "launchers/desktop_entry.h"
#include "launchers/entry_icons.h"

namespace {

using namespace zelvor;

void CheckImport(std::string_view text) {
  const auto imported = ImportDesktopEntry(text, "/usr/share/applications/fuzz.desktop");
  if (!imported) return;
  if (imported->entry.program.empty()) std::abort();
  if (SplitArguments(imported->entry.arguments).status != SplitStatus::Ok) std::abort();
}

// The head of an icon file a desktop entry (or the user) names: an ICO
// file holds at most 65535 images, anything else one or none.
void CheckIconHead(std::string_view head) {
  for (const std::string_view name : {"icono.ico", "icono.svgz"}) {
    const int count = IconCountFromHead(head, name);
    if (count < 0 || count > 0xFFFF) std::abort();
  }
}

void CheckSplit(std::string_view line) {
  const SplitResult split = SplitArguments(line);
  if (split.status != SplitStatus::Ok) return;
  const SplitResult again = SplitArguments(JoinArguments(split.arguments));
  if (again.status != SplitStatus::Ok || again.arguments != split.arguments) std::abort();
  (void)SplitExec(line);
}

}  // namespace

// Room to run past the file bound and the line bound.
constexpr std::size_t kMaxInput = kMaxDesktopFileBytes + kMaxDesktopLineBytes;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckImport(bytes);
  if (size <= kMaxDesktopLineBytes) CheckSplit(bytes);
  CheckIconHead(bytes.substr(0, kIconHeadBytes));
  return 0;
}
