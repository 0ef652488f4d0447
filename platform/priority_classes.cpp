#include "platform/priority_classes.h"

#include <cstdlib>

namespace zelvor {
namespace {

struct NiceOfClass {
  std::uint32_t priorityClass;
  int nice;
};

// Real time is no scheduling class of its own here: it is the most
// favourable niceness, which an unprivileged user cannot take either.
constexpr NiceOfClass kNiceOfClass[] = {
    {priority_class::RealTime, -20},  {priority_class::High, -10},       {priority_class::AboveNormal, -5},
    {priority_class::Normal, 0},      {priority_class::BelowNormal, 5},  {priority_class::Idle, 19},
};

}  // namespace

std::optional<int> NiceValueOf(std::uint32_t priorityClass) {
  for (const auto& row : kNiceOfClass) {
    if (row.priorityClass == priorityClass) return row.nice;
  }
  return std::nullopt;
}

std::uint32_t PriorityClassOfNice(int nice) {
  if (nice < kLowestNice) nice = kLowestNice;
  if (nice > kHighestNice) nice = kHighestNice;
  const NiceOfClass* best = nullptr;
  for (const auto& row : kNiceOfClass) {
    if (best == nullptr) {
      best = &row;
      continue;
    }
    const int distance = std::abs(row.nice - nice);
    const int bestDistance = std::abs(best->nice - nice);
    if (distance < bestDistance || (distance == bestDistance && std::abs(row.nice) < std::abs(best->nice))) {
      best = &row;
    }
  }
  return best->priorityClass;
}

}  // namespace zelvor
