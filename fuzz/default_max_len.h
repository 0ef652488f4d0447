#pragma once
// Without -max_len libFuzzer takes the size of the largest seed as its limit
// (at least 4 KB), which keeps it away from every bound of a reader that
// only longer input reaches: an 8 KB reply line, a thousand-line FTP reply,
// hundreds of records. A target states its own default from
// LLVMFuzzerInitialize; a -max_len given on the command line comes later
// in the arguments and still wins.

#include <cstddef>
#include <string>
#include <vector>

namespace zelvor::fuzz {

inline void prependDefaultMaxLen(int* argc, char*** argv, std::size_t maxLen) {
  // libFuzzer keeps using the argument vector after the call returns.
  static std::string flag;
  static std::vector<char*> args;
  flag = "-max_len=" + std::to_string(maxLen);
  args.assign(*argv, *argv + *argc);
  args.insert(args.begin() + 1, flag.data());
  args.push_back(nullptr);
  *argv = args.data();
  *argc = static_cast<int>(args.size() - 1);
}

}  // namespace zelvor::fuzz
