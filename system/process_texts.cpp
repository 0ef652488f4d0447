#include "system/process_texts.h"

#include <cstdio>

#include "platform/process_table.h"
#include "system/size_text.h"

namespace zelvor {

std::string ProcessIdText(std::uint32_t pid) {
  char text[16];
  if (pid < 0x1000000) std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(pid));
  else std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(pid));
  return text;
}

std::string CpuTimeText(std::uint64_t cpuTime) {
  const std::uint64_t seconds = cpuTime / kTimeUnitsPerSecond;
  char text[40];
  std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60));
  return text;
}

std::string CpuUsageText(int percent) { return std::to_string(percent) + "%"; }

std::string ProcessMemoryText(const NumberFormat& format, std::uint64_t residentBytes) {
  return FormatKilobytes(format, residentBytes / 1024);
}

std::string PriorityColumnText(std::uint32_t priorityClass) {
  switch (priorityClass) {
    case priority_class::RealTime: return "Tiempo real";
    case priority_class::High: return "Alta";
    case priority_class::AboveNormal: return "Normal+";
    case priority_class::Normal: return "Normal";
    case priority_class::BelowNormal: return "Normal-";
    case priority_class::Idle: return "Baja";
    default: return {};
  }
}

std::string ModuleBaseText(std::uint64_t base) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(base));
  return text;
}

}  // namespace zelvor
