#include "system/procfs/meminfo.h"

#include <algorithm>

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

constexpr std::uint64_t kKibibyte = 1024;

std::optional<std::uint64_t> BytesOf(std::string_view value) {
  const auto fields = SplitFields(value, 3);
  if (fields.empty() || fields.size() > 2) return std::nullopt;
  const auto number = ParseUnsigned(fields[0]);
  if (!number) return std::nullopt;
  if (fields.size() == 1) return *number;
  if (fields[1] != "kB") return std::nullopt;
  return SaturatingMultiply(*number, kKibibyte);
}

// What can be taken from a reserve of size amount while keeping the smaller
// of its half and the watermark.
std::uint64_t Reclaimable(std::uint64_t amount, std::uint64_t low) { return amount - std::min(amount / 2, low); }

}  // namespace

MeminfoFields ParseMeminfo(std::string_view text) {
  MeminfoFields f;
  ForEachLine(text, [&](std::string_view line) {
    const auto kv = SplitKeyValue(line);
    if (!kv) return;
    std::optional<std::uint64_t>* target = nullptr;
    if (kv->key == "MemTotal") target = &f.memTotal;
    else if (kv->key == "MemFree") target = &f.memFree;
    else if (kv->key == "MemAvailable") target = &f.memAvailable;
    else if (kv->key == "Active(file)") target = &f.activeFile;
    else if (kv->key == "Inactive(file)") target = &f.inactiveFile;
    else if (kv->key == "SReclaimable") target = &f.slabReclaimable;
    else if (kv->key == "SwapTotal") target = &f.swapTotal;
    else if (kv->key == "SwapFree") target = &f.swapFree;
    if (target != nullptr && !target->has_value()) *target = BytesOf(kv->value);
  });
  return f;
}

std::uint64_t ParseZoneLowWatermarkPages(std::string_view text) {
  std::uint64_t pages = 0;
  ForEachLine(text, [&](std::string_view line) {
    const auto fields = SplitFields(line, 3);
    if (fields.size() != 2 || fields[0] != "low") return;
    if (const auto n = ParseUnsigned(fields[1])) pages = SaturatingAdd(pages, *n);
  });
  return pages;
}

std::optional<MemoryBytes> MemoryBytesOf(const MeminfoFields& f, std::uint64_t low) {
  if (!f.memTotal || !f.memFree) return std::nullopt;
  MemoryBytes m;
  m.physicalTotal = *f.memTotal;
  if (f.memAvailable) {
    m.physicalAvailable = *f.memAvailable;
  } else {
    const std::uint64_t pageCache = SaturatingAdd(f.activeFile.value_or(0), f.inactiveFile.value_or(0));
    // The kernel takes the watermark off the free memory and floors only
    // the whole sum at zero: a machine short of free memory but with caches
    // to give back still has memory available.
    std::uint64_t sum = SaturatingAdd(*f.memFree, Reclaimable(pageCache, low));
    sum = SaturatingAdd(sum, Reclaimable(f.slabReclaimable.value_or(0), low));
    m.physicalAvailable = sum > low ? sum - low : 0;
  }
  m.physicalAvailable = std::min(m.physicalAvailable, m.physicalTotal);
  m.swapTotal = f.swapTotal.value_or(0);
  m.swapFree = std::min(f.swapFree.value_or(0), m.swapTotal);
  return m;
}

}  // namespace zelvor::procfs
