#pragma once
// Import and export of REGEDIT4 texts against the store.

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/regtext/regtext.h"

namespace zelvor {

struct ImportResult {
  bool ok = false;
  std::string error;        // "line N: expected ..." when the text was rejected
  std::size_t keys = 0;     // keys and values the text held
  std::size_t values = 0;
};

// Checks the whole text first: a text with any malformed line, or one that
// would take the store past its bounds (store_limits.h), is rejected and
// the store is left as it was. A good text is applied as one change.
// Keys and values the text does not mention stay as they are.
[[nodiscard]] ImportResult importRegedit4(Registry& registry, std::string_view text,
                                          regtext::Header header = regtext::Header::Required);

// Why a change was refused, for a message: the bound it would pass, or a
// store that could not be written.
[[nodiscard]] std::string describeStoreFailure(RegStatus status);

// The text of one key and everything under it ("REGEDIT4", an empty line,
// then key by key, depth first, CR LF lines). A missing key gives the
// header alone.
[[nodiscard]] std::string exportRegedit4(Registry& registry, Hive hive, std::string_view path);

}  // namespace zelvor
