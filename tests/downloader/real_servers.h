#pragma once
// lighttpd and vsftpd from the Debian packages, each started by a test on
// 127.0.0.1 with a free port and its own configuration in the test's
// temporary folder, and stopped at the end. When one cannot start, error()
// says why and the test fails with that text.

#include <memory>
#include <string>

#include "tests/downloader/test_support.h"

namespace zelvor::test {

struct ServerOptions {
  int bytesPerSecond = 0;  // 0: as fast as it goes
};

class Lighttpd {
 public:
  // Serves root. Also answers /chain1 with a 302 to /chain2 and /chain2
  // with a 302 to the absolute address of /f.bin.
  Lighttpd(const TempFolder& temp, const std::string& root, ServerOptions options = {});
  [[nodiscard]] const std::string& error() const { return error_; }
  [[nodiscard]] int port() const { return port_; }
  [[nodiscard]] std::string url(const std::string& path) const;

 private:
  int port_ = 0;
  std::string error_;
  std::unique_ptr<ChildProcess> process_;
};

inline constexpr const char* kFtpUser = "zelvorftp";
inline constexpr const char* kFtpPassword = "Zelvor-prueba-1";

class Vsftpd {
 public:
  // Anonymous users see anonRoot; the local user kFtpUser (created when
  // missing; this needs root, as vsftpd itself does) sees localRoot.
  Vsftpd(const TempFolder& temp, const std::string& anonRoot, const std::string& localRoot,
         ServerOptions options = {});
  [[nodiscard]] const std::string& error() const { return error_; }
  [[nodiscard]] int port() const { return port_; }
  [[nodiscard]] std::string url(const std::string& path, bool localUser = false) const;

 private:
  int port_ = 0;
  std::string error_;
  std::unique_ptr<ChildProcess> process_;
};

}  // namespace zelvor::test
