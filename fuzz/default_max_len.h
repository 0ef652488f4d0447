#pragma once
// libFuzzer caps its inputs at the size of the largest seed unless told
// otherwise, and the seeds are small: the faults of deep or long texts lie
// far beyond them. A target calls this from LLVMFuzzerInitialize to set its
// own cap, which a -max_len on the command line still overrides.

#include <cstring>
#include <string>
#include <vector>

namespace zelvor::fuzz {

inline void setDefaultMaxLen(int* argc, char*** argv, std::size_t bytes) {
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp((*argv)[i], "-max_len=", 9) == 0) return;
  }
  // libFuzzer keeps argv for the whole run, so these live as long.
  static std::string flag;
  static std::vector<char*> args;
  flag = "-max_len=" + std::to_string(bytes);
  args.assign(*argv, *argv + *argc);
  args.insert(args.begin() + 1, flag.data());
  args.push_back(nullptr);
  *argc += 1;
  *argv = args.data();
}

}  // namespace zelvor::fuzz
