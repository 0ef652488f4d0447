#pragma once
// The space of one disk, and how a fixed disk is named in the lists.

#include <cstdint>
#include <string>

#include "platform/locale.h"
#include "platform/system_probe.h"

namespace zelvor {

class CDiskSpace {
 public:
  CDiskSpace(SystemProbe& probe, Locale& locale) : probe_(probe), locale_(locale) {}

  // Megabytes of the file system at root (a mount point such as "/home");
  // all 0 when it cannot be asked. Free space is all of it, also what only
  // the administrator may fill.
  void Refresh(const std::string& root);

  std::uint32_t total = 0;
  std::uint32_t free = 0;
  std::uint32_t used = 0;

  // In gigabytes, the user's way ("12,50 GB").
  [[nodiscard]] std::string TotalText() const;
  [[nodiscard]] std::string FreeText() const;
  [[nodiscard]] std::string UsedText() const;

 private:
  SystemProbe& probe_;
  Locale& locale_;
};

// The name of a fixed disk's row: six blanks, the mount point and, when the
// volume has a label, " [" + the label in lower case + "]":
// "      /home [datos]".
[[nodiscard]] std::string FixedDiskRowName(const FixedDisk& disk);

}  // namespace zelvor
