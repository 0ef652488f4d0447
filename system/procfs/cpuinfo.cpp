#include "system/procfs/cpuinfo.h"

#include <optional>

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

struct Implementer {
  unsigned code;
  std::string_view name;
};
constexpr Implementer kImplementers[] = {
    {0x41, "ARM"},      {0x42, "Broadcom"}, {0x43, "Cavium"},    {0x46, "Fujitsu"},   {0x48, "HiSilicon"},
    {0x4e, "NVIDIA"},   {0x50, "APM"},      {0x51, "Qualcomm"},  {0x53, "Samsung"},   {0x56, "Marvell"},
    {0x61, "Apple"},    {0x66, "Faraday"},  {0x69, "Intel"},     {0x6d, "Microsoft"}, {0x70, "Phytium"},
    {0xc0, "Ampere"},
};

struct Part {
  unsigned implementer;
  unsigned part;
  std::string_view name;
};
constexpr Part kParts[] = {
    {0x41, 0xb76, "ARM1176"},        {0x41, 0xc07, "Cortex-A7"},   {0x41, 0xc08, "Cortex-A8"},
    {0x41, 0xc09, "Cortex-A9"},      {0x41, 0xc0f, "Cortex-A15"},  {0x41, 0xd03, "Cortex-A53"},
    {0x41, 0xd04, "Cortex-A35"},     {0x41, 0xd05, "Cortex-A55"},  {0x41, 0xd07, "Cortex-A57"},
    {0x41, 0xd08, "Cortex-A72"},     {0x41, 0xd09, "Cortex-A73"},  {0x41, 0xd0a, "Cortex-A75"},
    {0x41, 0xd0b, "Cortex-A76"},     {0x41, 0xd0c, "Neoverse-N1"}, {0x41, 0xd0d, "Cortex-A77"},
    {0x41, 0xd40, "Neoverse-V1"},    {0x41, 0xd41, "Cortex-A78"},  {0x41, 0xd44, "Cortex-X1"},
    {0x41, 0xd46, "Cortex-A510"},    {0x41, 0xd47, "Cortex-A710"}, {0x41, 0xd48, "Cortex-X2"},
    {0x41, 0xd49, "Neoverse-N2"},    {0x41, 0xd4f, "Neoverse-V2"}, {0xc0, 0xac3, "Ampere-1"},
};

struct Fields {
  std::optional<std::string_view> modelName, oldArmProcessor, cpuModel, cpu, uarch, vendorId, vendor,
      implementer, part, mhz;
};

void Keep(std::optional<std::string_view>& slot, std::string_view value) {
  if (!slot && !value.empty()) slot = value;
}

int WholeMhz(std::string_view text) {
  const std::size_t dot = text.find('.');
  const auto whole = ParseUnsigned(text.substr(0, dot));
  if (!whole || *whole > 1'000'000) return 0;
  return static_cast<int>(*whole);
}

}  // namespace

std::string_view ArmImplementerName(unsigned code) {
  for (const auto& i : kImplementers) {
    if (i.code == code) return i.name;
  }
  return {};
}

std::string_view ArmPartName(unsigned implementer, unsigned part) {
  for (const auto& p : kParts) {
    if (p.implementer == implementer && p.part == part) return p.name;
  }
  return {};
}

CpuinfoSummary ParseCpuinfo(std::string_view text) {
  Fields f;
  CpuinfoSummary summary;
  ForEachLine(text, [&](std::string_view line) {
    const auto kv = SplitKeyValue(line);
    if (!kv) return;
    const std::string_view k = kv->key;
    const std::string_view v = kv->value;
    if (k == "processor") {
      if (ParseUnsigned(v) && summary.processors < INT32_MAX) ++summary.processors;
    } else if (k == "model name") Keep(f.modelName, v);
    else if (k == "Processor") Keep(f.oldArmProcessor, v);
    else if (k == "cpu model") Keep(f.cpuModel, v);
    else if (k == "cpu") Keep(f.cpu, v);
    else if (k == "uarch") Keep(f.uarch, v);
    else if (k == "vendor_id") Keep(f.vendorId, v);
    else if (k == "vendor") Keep(f.vendor, v);
    else if (k == "CPU implementer") Keep(f.implementer, v);
    else if (k == "CPU part") Keep(f.part, v);
    else if (k == "cpu MHz") Keep(f.mhz, v);
  });

  // Plain numbers rather than optionals: the optimiser cannot follow an
  // optional through the branches below and warns of an uninitialised read.
  static constexpr std::uint64_t kAbsent = ~std::uint64_t{0};
  const auto hexOf = [](const std::optional<std::string_view>& field) {
    const std::optional<std::uint64_t> v = field ? ParseHex(*field) : std::nullopt;
    return v.value_or(kAbsent);
  };
  std::uint64_t implementer = hexOf(f.implementer);
  if (implementer > 0xFF) implementer = kAbsent;
  const std::uint64_t part = hexOf(f.part);

  std::string_view name;
  for (const auto& candidate : {f.modelName, f.oldArmProcessor, f.cpuModel, f.cpu, f.uarch}) {
    if (candidate) {
      name = *candidate;
      break;
    }
  }
  if (!name.empty()) {
    summary.description.name = PrintableText(name);
  } else if (implementer != kAbsent && part <= 0xFFF) {
    const auto code = static_cast<unsigned>(implementer);
    const std::string_view known = ArmPartName(code, static_cast<unsigned>(part));
    if (!known.empty()) {
      summary.description.name = std::string(known);
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      std::string hex = "0x";
      for (int shift = 8; shift >= 0; shift -= 4) hex.push_back(kHex[(part >> shift) & 0xF]);
      summary.description.name = "CPU part " + hex;
    }
  }

  if (f.vendorId) summary.description.vendor = PrintableText(*f.vendorId);
  else if (f.vendor) summary.description.vendor = PrintableText(*f.vendor);
  else if (implementer != kAbsent) summary.description.vendor = std::string(ArmImplementerName(static_cast<unsigned>(implementer)));

  if (f.mhz) summary.mhz = WholeMhz(*f.mhz);
  return summary;
}

}  // namespace zelvor::procfs
