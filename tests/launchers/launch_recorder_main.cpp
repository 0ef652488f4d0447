// A program for launch tests: writes what it was started with — its
// working folder, its niceness and every argument — into "launch-record"
// in its working folder, NUL-separated so any argument survives.

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return 2;
  errno = 0;
  const int nice = ::getpriority(PRIO_PROCESS, 0);
  if (errno != 0) return 3;
  std::ofstream out("launch-record", std::ios::binary | std::ios::trunc);
  out << cwd << '\0' << nice << '\0';
  for (int i = 0; i < argc; ++i) out << argv[i] << '\0';
  return out.good() ? 0 : 4;
}
