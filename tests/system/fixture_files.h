#pragma once
#include <fstream>
#include <iterator>
#include <string>

namespace zelvor::testing {

// A file of tests/system/fixtures: real files of the kernel's, some taken
// from machines this suite runs on and some written to the kernel's formats
// for machines it must also handle.
inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(ZELVOR_SYSTEM_FIXTURES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zelvor::testing
