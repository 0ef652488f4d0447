#include "platform/linux/block_devices.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/linux/kernel_file.h"
#include "system/procfs/mountinfo.h"

namespace zelvor {
namespace {

constexpr std::size_t kFlagBytes = 64;
// Far more labels than a machine has disks.
constexpr std::size_t kMaxLabels = 4096;

bool FlagSet(const std::string& path) {
  const auto text = ReadKernelFile(path, kFlagBytes);
  return text && !text->empty() && (*text)[0] == '1';
}

}  // namespace

std::map<std::string, std::string> LabelsByDevice(const std::string& folder) {
  std::map<std::string, std::string> labels;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return labels;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (labels.size() == kMaxLabels) break;
    if (const auto device = CanonicalPath(folder + name)) labels[*device] = procfs::DecodeUdevEscapes(name);
  }
  ::closedir(dir);
  return labels;
}

bool IsRemovableDevice(const std::string& deviceName, const std::string& classFolder) {
  if (deviceName.empty() || deviceName == "." || deviceName == ".." ||
      deviceName.find('/') != std::string::npos) {
    return false;
  }
  const std::string entry = classFolder + deviceName;
  if (FlagSet(entry + "/removable")) return true;
  const auto real = CanonicalPath(entry);
  if (!real) return false;
  struct stat st{};
  if (::stat((*real + "/partition").c_str(), &st) != 0) return false;
  // The partition's folder sits inside its disk's.
  const std::size_t slash = real->rfind('/');
  return slash != std::string::npos && slash > 0 && FlagSet(real->substr(0, slash) + "/removable");
}

}  // namespace zelvor
