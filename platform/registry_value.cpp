#include "platform/registry_value.h"

#include <algorithm>
#include <array>

namespace zelvor {

RegValue RegValue::text(std::string_view s, RegType type) {
  RegValue v;
  v.type = type;
  v.data.assign(s.begin(), s.end());
  v.data.push_back(0);
  if (type == RegType::MultiSz) v.data.push_back(0);
  return v;
}

RegValue RegValue::dword(std::uint32_t n) {
  RegValue v;
  v.type = RegType::Dword;
  v.data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
            static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
  return v;
}

RegValue RegValue::binary(std::vector<std::uint8_t> bytes) {
  RegValue v;
  v.type = RegType::Binary;
  v.data = std::move(bytes);
  return v;
}

bool RegValue::readText(std::string& out) const {
  out.clear();
  const std::size_t n = data.size();
  switch (type) {
    case RegType::Sz:
    case RegType::ExpandSz:
      if (n == 0 || data[n - 1] != 0) return false;
      break;
    case RegType::MultiSz:
      if (n < 2 || data[n - 1] != 0 || data[n - 2] != 0) return false;
      break;
    default:
      return false;
  }
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  out.assign(data.begin(), end);
  return true;
}

bool RegValue::readDword(std::uint32_t& out) const {
  if (type != RegType::Dword || data.size() != 4) return false;
  out = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
        static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  return true;
}

}  // namespace zelvor
