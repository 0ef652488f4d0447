#pragma once
// Process priority classes in the suite's stored terms (the program
// entries' `Prioridad`, the permanent priority rules) and the niceness each
// stands for on this system. Launching a program and changing the priority
// of a running one use the same table, so a class means the same niceness
// everywhere.

#include <cstdint>
#include <optional>

namespace zelvor {

// 0 leaves the priority alone.
namespace priority_class {
inline constexpr std::uint32_t Leave = 0;
inline constexpr std::uint32_t RealTime = 0x100;
inline constexpr std::uint32_t High = 0x80;
inline constexpr std::uint32_t AboveNormal = 0x8000;
inline constexpr std::uint32_t Normal = 0x20;
inline constexpr std::uint32_t BelowNormal = 0x4000;
inline constexpr std::uint32_t Idle = 0x40;
}  // namespace priority_class

inline constexpr int kLowestNice = -20;   // the most favourable scheduling
inline constexpr int kHighestNice = 19;   // the least favourable

// The niceness a priority class asks for; nullopt leaves the priority alone
// (class 0, or a value that is no class). Negative values need privileges.
[[nodiscard]] std::optional<int> NiceValueOf(std::uint32_t priorityClass);

// The class whose niceness is nearest to nice (values outside -20..19 are
// taken as the nearest end); a tie goes to the class nearer to Normal, so
// -15 reads as High and 12 as Below normal.
[[nodiscard]] std::uint32_t PriorityClassOfNice(int nice);

}  // namespace zelvor
