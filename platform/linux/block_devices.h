#pragma once
// What sysfs and udev tell about the device under a mounted file system:
// whether it is removable and which label its file system carries.

#include <map>
#include <string>

namespace zelvor {

inline constexpr const char* kLabelFolder = "/dev/disk/by-label/";
inline constexpr const char* kBlockClassFolder = "/sys/class/block/";

// The canonical device node of each labelled file system, from udev's
// links (folder ends with '/'); names are decoded from udev's escapes.
[[nodiscard]] std::map<std::string, std::string> LabelsByDevice(const std::string& folder);

// Whether the device (a name such as "sdb1") is removable; a partition
// takes the answer of the disk it is part of. classFolder ends with '/'.
[[nodiscard]] bool IsRemovableDevice(const std::string& deviceName, const std::string& classFolder);

}  // namespace zelvor
