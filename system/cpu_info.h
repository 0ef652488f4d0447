#pragma once
// The processor's identification: how many there are, who made them, what
// they are called and how fast they run.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system_probe.h"

namespace zelvor {

namespace cpu_vendor {
inline constexpr int Unknown = 0;
inline constexpr int Intel = 1;    // "GenuineIntel"
inline constexpr int Amd = 2;      // "AuthenticAMD"
inline constexpr int Cyrix = 3;    // "CyrixInstead"
inline constexpr int Centaur = 4;  // "CentaurHauls"
}  // namespace cpu_vendor

[[nodiscard]] int VendorCodeOf(std::string_view vendor);

// The registers the identification kept.
struct CpuStats {
  std::uint32_t signature = 0;  // leaf 1, first register
  std::uint32_t brandIndex = 0;
  std::uint32_t features = 0;          // leaf 1, fourth register
  std::uint32_t extendedFeatures = 0;  // leaf 0x80000001, fourth register
  CpuidRegisters cacheDescriptors{};   // leaf 2
  CpuidRegisters level1Cache{};        // leaf 0x80000005
  CpuidRegisters level2Cache{};        // leaf 0x80000006

  [[nodiscard]] int family() const { return static_cast<int>((signature >> 8) & 0xF); }
  [[nodiscard]] int model() const { return static_cast<int>((signature >> 4) & 0xF); }
  [[nodiscard]] int stepping() const { return static_cast<int>(signature & 0xF); }
};

inline constexpr std::uint32_t kMmxFeature = 1u << 23;

// The name of an Intel processor that has no brand text, from its family,
// model, brand index and cache descriptors, with " with MMX" when it has
// MMX; "" for families the table does not know.
[[nodiscard]] std::string IntelProcessorName(const CpuStats& stats);

// The 48-byte brand text of leaves 0x80000002..0x80000004, up to its first
// zero byte.
[[nodiscard]] std::string BrandText(const CpuidRegisters& first, const CpuidRegisters& second,
                                    const CpuidRegisters& third);

class CCpuInfo {
 public:
  // Identifies the processor once.
  explicit CCpuInfo(SystemProbe& probe);

  [[nodiscard]] const std::string& GetProcessorCount() const { return count_; }
  [[nodiscard]] const std::string& GetVendor() const { return vendor_; }
  [[nodiscard]] const std::string& GetName() const { return name_; }
  // "2600 MHz", or "0" when the clock is not known for this processor.
  [[nodiscard]] const std::string& GetSpeed() const { return speed_; }

  [[nodiscard]] int vendorCode() const { return vendorCode_; }
  [[nodiscard]] int clockMHz() const { return clockMHz_; }
  [[nodiscard]] const CpuStats& stats() const { return stats_; }

 private:
  void Identify(SystemProbe& probe, const CpuidRegisters& leaf0);
  void Describe(SystemProbe& probe);

  std::string count_;
  std::string speed_ = "0";
  int clockMHz_ = 0;
  std::string vendor_ = "Unknown";
  int vendorCode_ = cpu_vendor::Unknown;
  std::string name_;
  CpuStats stats_;
};

}  // namespace zelvor
