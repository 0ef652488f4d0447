#include "platform/regtext/store_text.h"

namespace zelvor::regtext {

std::optional<std::string> storeText(const RegistryTree& tree) {
  std::string out(headerFor(Dialect::Store));
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    if (!appendTree(out, tree.root(h), h, Dialect::Store, kMaxStoreBytes)) return std::nullopt;
  }
  return out;
}

std::optional<Error> loadStoreText(std::string_view text, RegistryTree& tree) {
  tree.clear();
  Limits limits;
  limits.maxTextBytes = kMaxStoreBytes;
  ParseResult parsed = parse(text, Header::Optional, limits);
  if (parsed.error) return parsed.error;
  const auto ops = toOps(parsed.entries);
  parsed.entries.clear();
  // The reader takes only what the writer could have written.
  if (tree.validate(ops) != RegStatus::Ok) {
    return Error{0, "more keys than a store of " + describeBytes(kMaxStoreBytes) + " can hold"};
  }
  tree.applyValidated(ops);
  return std::nullopt;
}

}  // namespace zelvor::regtext
