#pragma once
// The store file's text: the REGEDIT4 form in the store's own dialect,
// holding all three hives, from which every value reads back with its exact
// type and bytes. The file bindings and the simulated store both use it.

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_tree.h"
#include "platform/regtext/regtext.h"

namespace zelvor::regtext {

// Nothing when the text would be larger than kMaxStoreBytes, the most the
// reader takes.
[[nodiscard]] std::optional<std::string> storeText(const RegistryTree& tree);

// Replaces tree with what text holds. On a malformed text the tree is left
// empty and the error names the line.
[[nodiscard]] std::optional<Error> loadStoreText(std::string_view text, RegistryTree& tree);

}  // namespace zelvor::regtext
