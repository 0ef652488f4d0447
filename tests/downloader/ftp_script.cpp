#include "tests/downloader/ftp_script.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace zelvor::test {

void playFtp(ScriptedConnection& c, const FtpPlay& play) {
  if (play.greeting.empty()) return;  // hang up at once
  if (play.greetingByteGapMs > 0) {
    if (!trickle(c, play.greeting, play.greetingByteGapMs)) return;
  } else {
    c.send(play.greeting);
  }
  std::unique_ptr<Listener> data;
  std::size_t rest = 0;
  for (;;) {
    const std::string command = c.readLine();
    if (command.empty()) return;
    c.server().record(command);
    const std::string word = command.substr(0, command.find(' '));
    const std::string argument = command.size() > word.size() ? command.substr(word.size() + 1) : "";
    if (auto bent = play.replies.find(word); bent != play.replies.end()) {
      c.send(bent->second);
      if (bent->second.empty()) return;
      continue;
    }
    if (word == "USER") {
      c.send("331 password please\r\n");
    } else if (word == "PASS") {
      c.send("230 in\r\n");
    } else if (word == "REST") {
      rest = static_cast<std::size_t>(std::stoull(argument));
      c.send("350 restarting\r\n");
    } else if (word == "SIZE") {
      c.send("213 " + std::to_string(play.body.size()) + "\r\n");
    } else if (word == "TYPE") {
      c.send("200 binary\r\n");
    } else if (word == "PASV") {
      data = std::make_unique<Listener>();
      const int port = data->port();
      c.send("227 Entering Passive Mode (" + play.pasvHost + "," + std::to_string(port / 256) + "," +
             std::to_string(port % 256) + ")\r\n");
    } else if (word == "RETR") {
      const int fd = data ? data->accept(3000) : -1;
      if (fd < 0) {
        c.send("425 no data connection\r\n");
        continue;
      }
      c.send("150 sending\r\n");
      const std::size_t end = std::min(play.body.size(), play.dropAfter);
      for (std::size_t at = std::min(rest, end); at < end;) {
        const ssize_t n = ::send(fd, play.body.data() + at, end - at, MSG_NOSIGNAL);
        if (n <= 0) break;
        at += static_cast<std::size_t>(n);
      }
      ::close(fd);
      c.send("226 done\r\n");
    } else {
      c.send("502 not here\r\n");
    }
  }
}


}  // namespace zelvor::test
