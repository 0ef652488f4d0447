#pragma once
// The operating system's identification: the generation code the suite's
// system-dependent behaviour asks about, and the text shown to the user.

#include <string>

#include "platform/system_probe.h"

namespace zelvor {

// Generation codes, in the order of the systems they stand for; this
// system is newer than all of them and answers the last.
namespace system_generation {
inline constexpr int Win32s = 0;
inline constexpr int Windows95 = 1;
inline constexpr int Windows98 = 2;
inline constexpr int WindowsMe = 3;
inline constexpr int Nt351 = 4;
inline constexpr int Nt4 = 5;
inline constexpr int Windows2000 = 6;
inline constexpr int WindowsXp = 7;
inline constexpr int LaterNt = 8;
}  // namespace system_generation

class COSInfo {
 public:
  // Asks once; the text does not change while the program runs.
  explicit COSInfo(SystemProbe& probe);
  [[nodiscard]] int GetCode() const { return system_generation::LaterNt; }
  // The distribution's name and the kernel release:
  // "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64".
  [[nodiscard]] const std::string& GetText() const { return text_; }

 private:
  std::string text_;
};

[[nodiscard]] std::string SystemText(const SystemIdentity& identity);

}  // namespace zelvor
