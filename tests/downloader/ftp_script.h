#pragma once
// A small scripted FTP server for the downloader tests.

#include <cstddef>
#include <map>
#include <string>

#include "tests/downloader/scripted_server.h"
#include "tests/downloader/test_support.h"

namespace zelvor::test {

// A small FTP server: the replies named in `replies` replace the normal
// ones (by command word); the commands it gets are recorded.
struct FtpPlay {
  std::string greeting = "220 ready\r\n";
  // When above 0, the greeting goes out one byte at a time, this many
  // milliseconds apart.
  int greetingByteGapMs = 0;
  std::map<std::string, std::string> replies;
  std::string pasvHost = "127,0,0,1";
  std::string body = patternBytes(200000, 11);
  std::size_t dropAfter = std::string::npos;
};

void playFtp(ScriptedConnection& c, const FtpPlay& play);

}  // namespace zelvor::test
