// The store file loader on any bytes: it either loads a tree or names the
// bad line, and a tree it loads is written back to a file that loads to the
// same tree again.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/default_max_len.h"

#include "platform/regtext/store_text.h"
#include "platform/registry_tree.h"
#include "platform/store_limits.h"

// 4 MiB: room for key paths at full depth with long names, and for texts nesting far deeper.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, std::size_t{4} << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvor;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RegistryTree tree;
  if (const auto error = regtext::loadStoreText(text, tree)) {
    // A rejected file leaves nothing half-loaded.
    if (!tree.root(Hive::CurrentUser).childNames().empty() || tree.root(Hive::CurrentUser).valueCount() != 0) {
      std::abort();
    }
    return 0;
  }
  // A tree the reader takes is one the writer can write: the same bounds.
  // Only a text near the bound can load and not be written again, since
  // the writer may spell a line longer than it was read ("[HKCU\A]" becomes
  // "[HKEY_CURRENT_USER\A]", dword:0 gets its eight digits).
  const auto first = regtext::storeText(tree);
  if (!first) {
    if (size <= kMaxStoreBytes / 4) std::abort();
    return 0;
  }
  RegistryTree again;
  if (regtext::loadStoreText(*first, again)) std::abort();
  if (regtext::storeText(again) != first) std::abort();
  return 0;
}
