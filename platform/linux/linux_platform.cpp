#include "platform/linux/linux_platform.h"

namespace zelvor {

std::unique_ptr<LinuxPlatform> LinuxPlatform::create(std::string& error) {
  std::unique_ptr<LinuxPlatform> p(new LinuxPlatform());
  const std::string folder = p->folders_.configFolder();
  if (!LinuxFolders::makeFolders(folder)) {
    error = folder + ": cannot create the configuration folder";
    return nullptr;
  }
  p->store_ = FileRegistry::open(folder, p->files_, error);
  if (!p->store_) return nullptr;
  p->registry_ = std::make_unique<AutostartRegistry>(
      *p->store_, p->files_, LinuxFolders::configHome() + "autostart/zelvor.desktop");
  return p;
}

}  // namespace zelvor
