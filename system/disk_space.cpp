#include "system/disk_space.h"

#include <algorithm>

#include "system/size_text.h"

namespace zelvor {

void CDiskSpace::Refresh(const std::string& root) {
  const DiskBytes d = probe_.diskSpace(root).value_or(DiskBytes{});
  const std::uint64_t freeBytes = std::min(d.free, d.total);
  total = MegabytesOf(d.total);
  free = MegabytesOf(freeBytes);
  used = MegabytesOf(d.total - freeBytes);
}

std::string CDiskSpace::TotalText() const { return FormatGigabytes(locale_.numberFormat(), total); }
std::string CDiskSpace::FreeText() const { return FormatGigabytes(locale_.numberFormat(), free); }
std::string CDiskSpace::UsedText() const { return FormatGigabytes(locale_.numberFormat(), used); }

std::string FixedDiskRowName(const FixedDisk& disk) {
  std::string name = "      " + disk.mountPoint;
  if (!disk.label.empty()) {
    std::string label = disk.label;
    // ASCII letters only: a label's other characters are left as written.
    std::transform(label.begin(), label.end(), label.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    name += " [" + label + "]";
  }
  return name;
}

}  // namespace zelvor
