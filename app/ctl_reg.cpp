// zelvorctl reg: the store from the command line, in place of a registry editor.
//
// KEY is a path below HKEY_CURRENT_USER\Software\Norvane\Zelvor ("" or "/"
// for the root itself) unless its first part names a hive; parts are
// separated by '\' or '/'. VALUE "@" is the key's default value.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "app/ctl_command.h"
#include "platform/posix/posix_files.h"
#include "platform/regtext/regtext.h"
#include "platform/registry_tree.h"
#include "platform/store_limits.h"
#include "shell/store/config_store.h"
#include "shell/store/regedit4.h"

namespace zelvor::ctl {
namespace {

struct KeyRef {
  Hive hive = Hive::CurrentUser;
  std::string path;
};

KeyRef parseKey(std::string_view text) {
  std::string normal(text);
  for (char& c : normal) {
    if (c == '/') c = '\\';
  }
  const auto parts = splitKeyPath(normal);
  KeyRef ref;
  std::size_t first = 0;
  if (!parts.empty()) {
    if (const auto hive = hiveFromName(parts[0])) {
      ref.hive = *hive;
      first = 1;
    }
  }
  if (first == 0) ref.path = std::string(kRootKey);
  for (std::size_t i = first; i < parts.size(); ++i) {
    if (!ref.path.empty()) ref.path += '\\';
    ref.path += parts[i];
  }
  return ref;
}

std::string valueName(std::string_view arg) { return arg == "@" ? std::string() : std::string(arg); }

std::string displayKey(const KeyRef& k) {
  return std::string(hiveName(k.hive)) + (k.path.empty() ? "" : "\\" + k.path);
}

std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text) {
  // Reuse the store's own reading of hex: lines.
  const std::string doc = "REGEDIT4\n[HKEY_CURRENT_USER]\n\"v\"=hex:" + std::string(text) + "\n";
  auto parsed = regtext::parse(doc);
  if (parsed.error || parsed.entries.size() != 2) return std::nullopt;
  return parsed.entries[1].value.data;
}

std::optional<std::uint32_t> parseDword(std::string_view text) {
  int base = 10;
  if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t v = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

// The value as a REGEDIT4 value line (name left out), e.g. "text", dword:...
std::string formatValue(const RegValue& v) {
  RegKeySnapshot one;
  one.values.emplace_back("v", v);
  const std::string text = regtext::write(one, Hive::CurrentUser, "", regtext::Dialect::Store);
  const auto eq = text.find("\"v\"=");
  const auto end = text.find('\n', eq);
  return text.substr(eq + 4, end - eq - 4);
}

int cmdExport(Context& c, std::span<const std::string> args) {
  std::string key, file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size()) return usage(c, kRegUsage);
      file = args[++i];
    } else if (key.empty()) {
      key = args[i];
    } else {
      return usage(c, kRegUsage);
    }
  }
  const KeyRef ref = parseKey(key);
  if (!c.platform.registry.keyExists(ref.hive, ref.path)) {
    return fail(c, "no such key: " + displayKey(ref));
  }
  const std::string text = exportRegedit4(c.platform.registry, ref.hive, ref.path);
  if (file.empty() || file == "-") {
    std::fwrite(text.data(), 1, text.size(), c.out);
    return kOk;
  }
  const FileResult r = c.platform.files.replaceAtomically(file, text);
  return r.ok ? kOk : fail(c, r.error);
}

int cmdImport(Context& c, std::span<const std::string> args) {
  if (args.size() != 1) return usage(c, kRegUsage);
  std::optional<std::string> text;
  if (args[0] == "-") {
    // One byte past the bound is enough to know the text is too large.
    std::string in;
    char buf[65536];
    while (in.size() <= kMaxImportBytes && std::cin.read(buf, sizeof buf).gcount() > 0) {
      in.append(buf, static_cast<std::size_t>(std::cin.gcount()));
    }
    if (in.size() <= kMaxImportBytes) text = std::move(in);
  } else {
    text = c.platform.files.readFile(args[0], kMaxImportBytes);
  }
  if (!text) {
    return fail(c, args[0] + ": cannot be read (missing, unreadable or over " +
                       regtext::describeBytes(kMaxImportBytes) + ")");
  }
  const ImportResult r = importRegedit4(c.platform.registry, *text);
  if (!r.ok) return fail(c, args[0] + ": " + r.error + "; nothing was imported");
  std::fprintf(c.out, "imported %zu keys and %zu values\n", r.keys, r.values);
  return kOk;
}

int cmdGet(Context& c, std::span<const std::string> args) {
  if (args.empty() || args.size() > 2) return usage(c, kRegUsage);
  const KeyRef ref = parseKey(args[0]);
  Registry& reg = c.platform.registry;
  if (!reg.keyExists(ref.hive, ref.path)) return fail(c, "no such key: " + displayKey(ref));
  if (args.size() == 1) {
    for (const auto& name : reg.valueNames(ref.hive, ref.path)) {
      const auto v = reg.queryValue(ref.hive, ref.path, name);
      if (!v) continue;
      std::fprintf(c.out, "%s=%s\n", name.empty() ? "@" : ("\"" + name + "\"").c_str(),
                   formatValue(*v).c_str());
    }
    return kOk;
  }
  const auto v = reg.queryValue(ref.hive, ref.path, valueName(args[1]));
  if (!v) return fail(c, "no such value: " + args[1] + " in " + displayKey(ref));
  std::string text;
  std::uint32_t dw = 0;
  if (v->readText(text) && v->type == RegType::Sz) {
    std::fprintf(c.out, "%s\n", text.c_str());
  } else if (v->readDword(dw)) {
    std::fprintf(c.out, "%u\n", dw);
  } else {
    std::fprintf(c.out, "%s\n", formatValue(*v).c_str());
  }
  return kOk;
}

int cmdSet(Context& c, std::span<const std::string> args) {
  if (args.size() != 4) return usage(c, kRegUsage);
  const KeyRef ref = parseKey(args[0]);
  RegValue value;
  if (args[2] == "--sz") {
    value = RegValue::text(args[3]);
  } else if (args[2] == "--dword") {
    const auto n = parseDword(args[3]);
    if (!n) return fail(c, "--dword wants a decimal or 0x-hexadecimal number of 32 bits: " + args[3]);
    value = RegValue::dword(*n);
  } else if (args[2] == "--hex") {
    auto bytes = parseHex(args[3]);
    if (!bytes) return fail(c, "--hex wants two-digit hexadecimal bytes separated by commas: " + args[3]);
    value = RegValue::binary(std::move(*bytes));
  } else {
    return usage(c, kRegUsage);
  }
  const std::vector<RegOp> ops{{RegOp::Kind::SetValue, ref.hive, ref.path, valueName(args[1]), value}};
  const RegStatus s = c.platform.registry.apply(ops);
  if (s != RegStatus::Ok) return fail(c, "the value was not saved: " + describeStoreFailure(s));
  return kOk;
}

int cmdDelete(Context& c, std::span<const std::string> args) {
  if (args.empty() || args.size() > 2) return usage(c, kRegUsage);
  const KeyRef ref = parseKey(args[0]);
  Registry& reg = c.platform.registry;
  if (!reg.keyExists(ref.hive, ref.path)) return fail(c, "no such key: " + displayKey(ref));
  if (args.size() == 2) {
    const RegStatus s = reg.deleteValue(ref.hive, ref.path, valueName(args[1]));
    if (s == RegStatus::NotFound) return fail(c, "no such value: " + args[1] + " in " + displayKey(ref));
    return s == RegStatus::Ok ? kOk : fail(c, "the change could not be saved");
  }
  if (ref.path.empty()) return fail(c, "a whole hive cannot be deleted");
  const std::vector<RegOp> ops{{RegOp::Kind::DeleteTree, ref.hive, ref.path, {}, {}}};
  return reg.apply(ops) == RegStatus::Ok ? kOk : fail(c, "the change could not be saved");
}

}  // namespace

int runReg(Context& c, std::span<const std::string> args) {
  if (args.empty()) return usage(c, kRegUsage);
  const std::string& verb = args[0];
  const auto rest = args.subspan(1);
  if (verb == "export") return cmdExport(c, rest);
  if (verb == "import") return cmdImport(c, rest);
  if (verb == "get") return cmdGet(c, rest);
  if (verb == "set") return cmdSet(c, rest);
  if (verb == "delete") return cmdDelete(c, rest);
  return usage(c, kRegUsage);
}

}  // namespace zelvor::ctl
