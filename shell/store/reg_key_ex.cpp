#include "shell/store/reg_key_ex.h"

#include <climits>

#include "shell/store/regedit4.h"

namespace zelvor {

std::string joinKeyPath(std::string_view a, std::string_view b) {
  while (!a.empty() && a.back() == '\\') a.remove_suffix(1);
  while (!b.empty() && b.front() == '\\') b.remove_prefix(1);
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  std::string out(a);
  out += '\\';
  out += b;
  return out;
}

int atoiRules(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  return static_cast<int>(v);
}

std::string CRegKeyEx::childPath(std::string_view subPath) const { return joinKeyPath(path_, subPath); }

RegStatus CRegKeyEx::Open(Hive hive, std::string_view subPath) {
  open_ = false;
  if (!registry_.keyExists(hive, subPath)) return RegStatus::NotFound;
  hive_ = hive;
  path_ = joinKeyPath("", subPath);
  open_ = true;
  return RegStatus::Ok;
}

RegStatus CRegKeyEx::Open(const CRegKeyEx& parent, std::string_view subPath) {
  if (!parent.open_) {
    open_ = false;
    return RegStatus::NotFound;
  }
  return Open(parent.hive_, parent.childPath(subPath));
}

RegStatus CRegKeyEx::Create(Hive hive, std::string_view subPath) {
  open_ = false;
  const RegStatus s = registry_.createKey(hive, subPath);
  if (s != RegStatus::Ok) return s;
  hive_ = hive;
  path_ = joinKeyPath("", subPath);
  open_ = true;
  return RegStatus::Ok;
}

RegStatus CRegKeyEx::Create(const CRegKeyEx& parent, std::string_view subPath) {
  if (!parent.open_) {
    open_ = false;
    return RegStatus::NotFound;
  }
  return Create(parent.hive_, parent.childPath(subPath));
}

std::string CRegKeyEx::GetString(std::string_view name) const {
  if (!open_) return {};
  const auto v = registry_.queryValue(hive_, path_, name);
  std::string text;
  if (!v || !v->readText(text)) return {};
  return text;
}

int CRegKeyEx::GetInt(std::string_view name) const { return atoiRules(GetString(name)); }

void CRegKeyEx::SetInt(int value, std::string_view name) { SetString(name, std::to_string(value)); }

void CRegKeyEx::SetString(std::string_view name, std::string_view text) {
  if (open_) (void)registry_.setValue(hive_, path_, name, RegValue::text(text));
}

std::optional<std::uint32_t> CRegKeyEx::GetDword(std::string_view name) const {
  if (!open_) return std::nullopt;
  const auto v = registry_.queryValue(hive_, path_, name);
  std::uint32_t n = 0;
  if (!v || !v->readDword(n)) return std::nullopt;
  return n;
}

void CRegKeyEx::SetDword(std::string_view name, std::uint32_t value) {
  if (open_) (void)registry_.setValue(hive_, path_, name, RegValue::dword(value));
}

std::optional<std::vector<std::uint8_t>> CRegKeyEx::GetBinary(std::string_view name) const {
  if (!open_) return std::nullopt;
  auto v = registry_.queryValue(hive_, path_, name);
  if (!v || v->type != RegType::Binary) return std::nullopt;
  return std::move(v->data);
}

void CRegKeyEx::SetBinary(std::string_view name, const std::vector<std::uint8_t>& bytes) {
  if (open_) (void)registry_.setValue(hive_, path_, name, RegValue::binary(bytes));
}

void CRegKeyEx::DeleteValue(std::string_view name) {
  if (open_) (void)registry_.deleteValue(hive_, path_, name);
}

void CRegKeyEx::EnumSubKeys(std::vector<std::string>& names) const {
  names = open_ ? registry_.subkeyNames(hive_, path_) : std::vector<std::string>{};
}

void CRegKeyEx::EnumValues(std::vector<std::string>& names) const {
  names = open_ ? registry_.valueNames(hive_, path_) : std::vector<std::string>{};
}

int CRegKeyEx::ExportKey(std::string_view subPath, Files& files, const std::string& file) const {
  (void)files.replaceAtomically(file, exportRegedit4(registry_, hive_, childPath(subPath)));
  return 1;
}

RegStatus CRegKeyEx::RecurseDeleteKey(std::string_view subkey) {
  if (!open_) return RegStatus::NotFound;
  const std::string target = childPath(subkey);
  if (!registry_.keyExists(hive_, target)) return RegStatus::NotFound;
  RegOp op;
  op.kind = RegOp::Kind::DeleteTree;
  op.hive = hive_;
  op.path = target;
  return registry_.apply({op});
}

}  // namespace zelvor
