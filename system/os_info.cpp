#include "system/os_info.h"

namespace zelvor {

std::string SystemText(const SystemIdentity& identity) {
  std::string text = identity.distribution.empty() ? std::string("Linux") : identity.distribution;
  if (!identity.kernelRelease.empty()) text += ", Linux " + identity.kernelRelease;
  return text;
}

COSInfo::COSInfo(SystemProbe& probe) : text_(SystemText(probe.systemIdentity())) {}

}  // namespace zelvor
