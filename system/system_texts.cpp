#include "system/system_texts.h"

namespace zelvor {
namespace {

constexpr std::size_t kNameCharacters = 256;

}  // namespace

std::string CutToCharacters(const std::string& text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && characters++ == maxCharacters) return text.substr(0, i);
  }
  return text;
}

std::string WithoutFinalSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string ComputerNameText(SystemProbe& probe) { return CutToCharacters(probe.computerName(), kNameCharacters); }
std::string UserNameText(SystemProbe& probe) { return CutToCharacters(probe.userName(), kNameCharacters); }

std::string WindowsFolderText(SystemProbe& probe) { return WithoutFinalSeparator(probe.systemFolder()); }
std::string SystemFolderText(SystemProbe& probe) { return WithoutFinalSeparator(probe.systemProgramFolder()); }
std::string TemporaryFolderText(SystemProbe& probe) { return WithoutFinalSeparator(probe.temporaryFolder()); }

std::string ResolutionText(Screen& screen) {
  const Size s = screen.size();
  if (s.width <= 0 || s.height <= 0) return {};
  return std::to_string(s.width) + "x" + std::to_string(s.height);
}

std::string ColourDepthText(Screen& screen) {
  const int depth = screen.colourDepth();
  return depth > 0 ? std::to_string(depth) : std::string();
}

std::string RefreshRateText(Screen& screen) {
  const int rate = screen.refreshRate();
  return rate > 0 ? std::to_string(rate) + " Hz" : std::string();
}

}  // namespace zelvor
