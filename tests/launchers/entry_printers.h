#pragma once
// Readable failures: entries print their fields, not their bytes.

#include <ostream>

#include "launchers/program_entry.h"

namespace zelvor {

inline void PrintTo(const ProgramEntry& e, std::ostream* os) {
  *os << "{description=\"" << e.description << "\" program=\"" << e.program << "\" arguments=\""
      << e.arguments << "\" ask=" << e.askForArguments << " folder=\"" << e.startingFolder
      << "\" window=" << e.window << " hotkey=" << e.hotkey << " close=" << e.closeOnDisconnect
      << " priority=" << e.priority << " flags=" << e.flags << "}";
}

inline void PrintTo(const IconRecord& i, std::ostream* os) {
  *os << "{file=\"" << i.file << "\" index=" << i.index << "}";
}

}  // namespace zelvor
