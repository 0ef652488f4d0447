#include "system/procfs/mountinfo.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

constexpr std::string_view kDevicePrefix = "/dev/";

// Device names that are not disks of this machine.
constexpr std::array<std::string_view, 7> kNotFixedDevices = {"loop", "sr", "scd", "fd", "ram", "zram", "nbd"};

// File systems that live elsewhere or in memory even when their source
// looks like a device.
constexpr std::array<std::string_view, 17> kNotFixedTypes = {
    "nfs",  "nfs4", "cifs",    "smb3",  "smbfs", "9p",      "ceph",  "glusterfs", "lustre",
    "afs",  "tmpfs", "ramfs", "devtmpfs", "iso9660", "udf", "overlay", "squashfs"};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int OctalDigit(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsFixedType(std::string_view type) {
  if (StartsWith(type, "fuse")) return false;
  return std::find(kNotFixedTypes.begin(), kNotFixedTypes.end(), type) == kNotFixedTypes.end();
}

bool IsFixedDevice(std::string_view source) {
  if (!StartsWith(source, kDevicePrefix)) return false;
  const std::string_view name = source.substr(kDevicePrefix.size());
  if (name.empty()) return false;
  return std::none_of(kNotFixedDevices.begin(), kNotFixedDevices.end(),
                      [&](std::string_view prefix) { return StartsWith(name, prefix); });
}

}  // namespace

std::string DecodeOctalEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && OctalDigit(text[i + 1]) >= 0 && OctalDigit(text[i + 2]) >= 0 &&
        OctalDigit(text[i + 3]) >= 0) {
      const int value = OctalDigit(text[i + 1]) * 64 + OctalDigit(text[i + 2]) * 8 + OctalDigit(text[i + 3]);
      if (value <= 0xFF) {
        out.push_back(static_cast<char>(value));
        i += 3;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

std::string DecodeUdevEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 &&
        HexDigit(text[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3])));
      i += 3;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

std::vector<MountEntry> ParseMountinfo(std::string_view text) {
  std::vector<MountEntry> mounts;
  ForEachLine(text, [&](std::string_view line) {
    // id parent major:minor root mount-point options [optional...] - type source super-options
    const auto fields = SplitFields(line, 64);
    if (fields.size() < 10) return;
    const auto separator = std::find(fields.begin() + 6, fields.end(), std::string_view("-"));
    if (separator == fields.end() || fields.end() - separator < 3) return;
    const std::size_t colon = fields[2].find(':');
    if (colon == std::string_view::npos) return;
    const auto major = ParseUnsigned(fields[2].substr(0, colon));
    const auto minor = ParseUnsigned(fields[2].substr(colon + 1));
    if (!major || !minor || *major > UINT32_MAX || *minor > UINT32_MAX) return;
    if (fields[4].empty() || fields[4].front() != '/') return;
    MountEntry m;
    m.major = static_cast<std::uint32_t>(*major);
    m.minor = static_cast<std::uint32_t>(*minor);
    m.mountPoint = PrintableText(DecodeOctalEscapes(fields[4]));
    m.type = PrintableText(DecodeOctalEscapes(separator[1]));
    m.source = PrintableText(DecodeOctalEscapes(separator[2]));
    mounts.push_back(std::move(m));
  });
  return mounts;
}

std::vector<FixedDisk> SelectFixedDisks(const std::vector<MountEntry>& mounts, const BlockDeviceLookup& lookup) {
  std::vector<FixedDisk> disks;
  std::set<std::pair<std::uint32_t, std::uint32_t>> seenDevices;
  std::set<std::string> seenSources;
  for (const MountEntry& m : mounts) {
    if (!IsFixedDevice(m.source) || !IsFixedType(m.type)) continue;
    if (seenDevices.count({m.major, m.minor}) != 0 || seenSources.count(m.source) != 0) continue;
    const BlockDeviceFacts facts = lookup ? lookup(m) : BlockDeviceFacts{};
    if (facts.removable) continue;
    seenDevices.insert({m.major, m.minor});
    seenSources.insert(m.source);
    disks.push_back(FixedDisk{m.mountPoint, PrintableText(facts.label)});
  }
  return disks;
}

}  // namespace zelvor::procfs
