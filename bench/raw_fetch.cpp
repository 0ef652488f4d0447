// The baseline of the download benchmark: the least a program can do to
// fetch a file over loopback. HTTP: one fixed request, then every byte
// received (headers included) written to the file. FTP: the shortest
// dialogue, then the same loop on the data connection. One 1 MiB buffer,
// no parsing of the data, no progress.
//
//   zelvor_raw_fetch http HOST PORT PATH OUT
//   zelvor_raw_fetch ftp HOST PORT PATH OUT

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int connectTo(const char* host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  if (getaddrinfo(host, std::to_string(port).c_str(), &hints, &list) != 0) return -1;
  int fd = -1;
  for (addrinfo* a = list; a && fd < 0; a = a->ai_next) {
    fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(list);
  return fd;
}

bool sendText(int fd, const std::string& text) { return send(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()); }

// Reads one reply line (byte by byte: the dialogue is a few lines).
std::string line(int fd) {
  std::string out;
  char c = 0;
  while (recv(fd, &c, 1, 0) == 1 && c != '\n') out += c;
  return out;
}

int copyAll(int from, const char* path) {
  const int out = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) return 1;
  std::vector<char> buffer(1 << 20);
  for (;;) {
    const ssize_t n = recv(from, buffer.data(), buffer.size(), 0);
    if (n <= 0) break;
    if (write(out, buffer.data(), static_cast<std::size_t>(n)) != n) return 1;
  }
  return close(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s http|ftp HOST PORT PATH OUT\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const char* host = argv[2];
  const int port = std::atoi(argv[3]);
  const std::string path = argv[4];
  const int control = connectTo(host, port);
  if (control < 0) return 1;
  if (mode == "http") {
    if (!sendText(control, "GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n")) return 1;
    return copyAll(control, argv[5]);
  }
  line(control);  // greeting
  sendText(control, "USER anonymous\r\n");
  line(control);
  sendText(control, "PASS x@y\r\n");
  line(control);
  sendText(control, "TYPE I\r\n");
  line(control);
  sendText(control, "PASV\r\n");
  const std::string pasv = line(control);
  int h1, h2, h3, h4, p1, p2;
  const auto open = pasv.find('(');
  if (open == std::string::npos ||
      std::sscanf(pasv.c_str() + open, "(%d,%d,%d,%d,%d,%d)", &h1, &h2, &h3, &h4, &p1, &p2) != 6) {
    return 1;
  }
  const int data = connectTo(host, p1 * 256 + p2);
  if (data < 0) return 1;
  sendText(control, "RETR " + path + "\r\n");
  line(control);
  const int status = copyAll(data, argv[5]);
  close(data);
  close(control);
  return status;
}
