// The REGEDIT4 reader on any bytes. Beyond not crashing, a text it accepts
// must survive both writers: the store's own text reads back to the same
// text, and an export always imports again, with its plain texts unchanged.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/default_max_len.h"

#include "platform/regtext/regtext.h"
#include "platform/regtext/store_text.h"
#include "platform/registry_tree.h"

namespace {

using namespace zelvor;

void require(bool condition) {
  if (!condition) std::abort();
}

void checkExportImports(const RegistryTree& tree) {
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    const RegKeySnapshot snap = tree.root(h).snapshot();
    const std::string text = regtext::write(snap, h, "", regtext::Dialect::Export);
    const regtext::ParseResult back = regtext::parse(text);
    require(!back.error);
    RegistryTree again;
    again.applyValidated(regtext::toOps(back.entries));
    // Every REG_SZ that is one text with its NUL comes back byte for byte.
    std::vector<const RegKeySnapshot*> stack{&snap};
    std::vector<std::string> paths{""};
    while (!stack.empty()) {
      const RegKeySnapshot* key = stack.back();
      const std::string path = paths.back();
      stack.pop_back();
      paths.pop_back();
      const RegistryNode* node = again.find(h, path);
      require(node != nullptr);
      for (const auto& [name, value] : key->values) {
        std::string s;
        if (value.type == RegType::Sz && value.readText(s) && s.size() + 1 == value.data.size()) {
          const RegValue* v = node->value(name);
          require(v != nullptr && *v == value);
        }
      }
      for (const auto& sub : key->subkeys) {
        stack.push_back(&sub);
        paths.push_back(path.empty() ? sub.name : path + "\\" + sub.name);
      }
    }
  }
}

}  // namespace

// 4 MiB: room for a line as long as the reader takes, and for texts nesting keys thousands of levels deep.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, std::size_t{4} << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const regtext::ParseResult r = regtext::parse(text, regtext::Header::Required);
  if (r.error) {
    require(r.entries.empty());
    require(r.error->line <= size + 1);
    return 0;
  }
  RegistryTree tree;
  const auto ops = regtext::toOps(r.entries);
  const RegStatus status = tree.validate(ops);
  // Every name and depth the reader accepts the tree takes; only the
  // store's size can still refuse the whole text.
  require(status == RegStatus::Ok || status == RegStatus::TooLarge);
  if (status != RegStatus::Ok) return 0;
  tree.applyValidated(ops);
  const auto stored = regtext::storeText(tree);
  if (!stored) return 0;
  RegistryTree reloaded;
  require(!regtext::loadStoreText(*stored, reloaded));
  require(regtext::storeText(reloaded) == stored);
  checkExportImports(tree);
  return 0;
}
