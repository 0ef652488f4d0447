#include "platform/regtext/store_text.h"

namespace zelvor::regtext {

std::string storeText(const RegistryTree& tree) {
  std::string out(headerFor(Dialect::Store));
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    appendTree(out, tree.root(h).snapshot(), h, "", Dialect::Store);
  }
  return out;
}

std::optional<Error> loadStoreText(std::string_view text, RegistryTree& tree) {
  tree.clear();
  ParseResult parsed = parse(text, Header::Optional);
  if (parsed.error) return parsed.error;
  tree.applyValidated(toOps(parsed.entries));
  return std::nullopt;
}

}  // namespace zelvor::regtext
