#include "system/cpu_info.h"

#include <array>

#include "system/procfs/kernel_text.h"

namespace zelvor {
namespace {

constexpr std::uint32_t kExtendedLeaves = 0x80000000;
constexpr std::uint32_t kExtendedFeatures = 0x80000001;
constexpr std::uint32_t kBrandFirst = 0x80000002;
constexpr std::uint32_t kBrandLast = 0x80000004;
constexpr std::uint32_t kLevel1Cache = 0x80000005;
constexpr std::uint32_t kLevel2Cache = 0x80000006;

void AppendRegister(std::string& text, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) text.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

enum class Level2 { Unknown, None, OneOrTwoMegabytes };

// Bytes 1 to 3 of each descriptor register: 0x40 says there is no level-2
// cache, 0x44 and 0x45 a 1 or 2 MB one.
Level2 Level2Of(const CpuidRegisters& descriptors) {
  bool none = false;
  bool large = false;
  for (const std::uint32_t r : {descriptors.eax, descriptors.ebx, descriptors.ecx, descriptors.edx}) {
    for (int byte = 1; byte <= 3; ++byte) {
      const std::uint32_t d = (r >> (8 * byte)) & 0xFF;
      if (d == 0x40) none = true;
      if (d == 0x44 || d == 0x45) large = true;
    }
  }
  if (none) return Level2::None;
  return large ? Level2::OneOrTwoMegabytes : Level2::Unknown;
}

std::string Family4Name(int model) {
  switch (model) {
    case 0:
    case 1: return "Intel486(TM) DX processor";
    case 2: return "Intel486(TM) SX processor";
    case 3: return "IntelDX2(TM) processor";
    case 4: return "Intel486(TM) processor";
    case 5: return "IntelSX2(TM) processor";
    case 7: return "Writeback Enhanced IntelDX2(TM) processor";
    case 8: return "IntelDX4(TM) processor";
    default: return "Intel 486 processor";
  }
}

std::string Family6Name(const CpuStats& s) {
  switch (s.model()) {
    case 1: return "Intel Pentium(R) Pro processor";
    case 3: return "Intel Pentium(R) II processor, model 3";
    case 5:
      switch (Level2Of(s.cacheDescriptors)) {
        case Level2::None: return "Intel Celeron(TM) processor, model 5";
        case Level2::OneOrTwoMegabytes: return "Intel Pentium(R) II Xeon(TM) processor";
        case Level2::Unknown: return "Intel Pentium(R) II processor, model 5";
      }
      break;
    case 7:
      switch (Level2Of(s.cacheDescriptors)) {
        case Level2::None: return "Intel Celeron(TM) processor, model 5";
        case Level2::OneOrTwoMegabytes: return "Intel Pentium(R) III Xeon(TM) processor";
        case Level2::Unknown: return "Intel Pentium(R) III processor";
      }
      break;
    case 6: return "Intel Celeron(TM) processor, model 6";
    case 8: return "Intel Pentium(R) III Coppermine processor";
    default: break;
  }
  switch (s.brandIndex) {
    case 1: return "Genuine Intel Celeron(TM) processor";
    case 2: return "Genuine Intel Pentium(R) III processor";
    case 3: return "Genuine Intel Pentium(R) III Xeon(TM) processor";
    case 8: return "Genuine Intel Pentium(R) 4 processor";
    default: return "Unknown Genuine Intel processor";
  }
}

std::string MegahertzText(int mhz) { return mhz > 0 ? std::to_string(mhz) + " MHz" : std::string("0"); }

}  // namespace

int VendorCodeOf(std::string_view vendor) {
  if (vendor == "GenuineIntel") return cpu_vendor::Intel;
  if (vendor == "AuthenticAMD") return cpu_vendor::Amd;
  if (vendor == "CyrixInstead") return cpu_vendor::Cyrix;
  if (vendor == "CentaurHauls") return cpu_vendor::Centaur;
  return cpu_vendor::Unknown;
}

std::string IntelProcessorName(const CpuStats& stats) {
  std::string name;
  if (stats.family() == 4) name = Family4Name(stats.model());
  else if (stats.family() == 5) name = "Intel Pentium(R) processor";
  else if (stats.family() == 6) name = Family6Name(stats);
  // A processor the table cannot name stays unnamed, rather than being
  // called " with MMX".
  if (!name.empty() && (stats.features & kMmxFeature) != 0) name += " with MMX";
  return name;
}

std::string BrandText(const CpuidRegisters& first, const CpuidRegisters& second, const CpuidRegisters& third) {
  std::string bytes;
  for (const CpuidRegisters& r : {first, second, third}) {
    for (const std::uint32_t v : {r.eax, r.ebx, r.ecx, r.edx}) AppendRegister(bytes, v);
  }
  const std::size_t end = bytes.find('\0');
  return procfs::PrintableText(std::string_view(bytes).substr(0, end));
}

CCpuInfo::CCpuInfo(SystemProbe& probe)
    : count_(std::to_string(probe.processorCount())), clockMHz_(probe.clockMHz()) {
  if (const auto leaf0 = probe.identify(0)) {
    Identify(probe, *leaf0);
  } else {
    Describe(probe);
  }
}

void CCpuInfo::Identify(SystemProbe& probe, const CpuidRegisters& leaf0) {
  auto leaf = [&](std::uint32_t n) { return probe.identify(n).value_or(CpuidRegisters{}); };
  if (leaf0.eax == 0) return;
  std::string vendor;
  AppendRegister(vendor, leaf0.ebx);
  AppendRegister(vendor, leaf0.edx);
  AppendRegister(vendor, leaf0.ecx);
  vendor_ = procfs::PrintableText(vendor);
  vendorCode_ = VendorCodeOf(vendor);

  if (leaf0.eax >= 2) {
    const CpuidRegisters descriptors = leaf(2);
    // One call is enough when its low byte says so; anything else would
    // need repeated calls this table does not read.
    if ((descriptors.eax & 0xFF) == 1) stats_.cacheDescriptors = descriptors;
  }
  const CpuidRegisters leaf1 = leaf(1);
  stats_.signature = leaf1.eax;
  stats_.brandIndex = leaf1.ebx & 0xFF;
  stats_.features = leaf1.edx;

  if (vendorCode_ == cpu_vendor::Intel) name_ = IntelProcessorName(stats_);
  if (vendorCode_ == cpu_vendor::Amd) name_ = BrandText(leaf(kBrandFirst), leaf(kBrandFirst + 1), leaf(kBrandLast));

  const std::uint32_t highest = leaf(kExtendedLeaves).eax;
  if (highest >= kLevel2Cache) stats_.level2Cache = leaf(kLevel2Cache);
  if (highest >= kLevel1Cache) stats_.level1Cache = leaf(kLevel1Cache);
  if (highest >= kBrandLast) name_ = BrandText(leaf(kBrandFirst), leaf(kBrandFirst + 1), leaf(kBrandLast));
  if (highest >= kExtendedFeatures) stats_.extendedFeatures = leaf(kExtendedFeatures).edx;

  // The clock is given only for the processors whose makers' counters the
  // measurement was made for.
  const bool measured = (vendorCode_ == cpu_vendor::Intel && stats_.family() > 4) ||
                        (vendorCode_ == cpu_vendor::Amd && stats_.family() >= 6);
  if (measured) speed_ = MegahertzText(clockMHz_);
}

void CCpuInfo::Describe(SystemProbe& probe) {
  const ProcessorDescription d = probe.processorDescription();
  if (!d.vendor.empty()) vendor_ = d.vendor;
  vendorCode_ = VendorCodeOf(vendor_);
  name_ = d.name;
  // Without identification registers the system's own figure is all there
  // is, and it is given whoever made the processor.
  speed_ = MegahertzText(clockMHz_);
}

}  // namespace zelvor
