#include "system/icon_text.h"

#include <optional>

#include "system/size_text.h"

namespace zelvor {
namespace {

constexpr std::size_t kCutLength = 64;

const std::array<IconTextMacro, 10> kMacros{{
    {"$CPU$", "Uso de CPU"},
    {"$MFT$", "Memoria física total"},
    {"$MFL$", "Memoria física libre"},
    {"$MFU$", "Memoria física usada"},
    {"$AIT$", "Archivo de intercambio total"},
    {"$AIL$", "Archivo de intercambio libre"},
    {"$AIU$", "Archivo de intercambio usado"},
    {"$MVT$", "Memoria virtual total"},
    {"$MVL$", "Memoria virtual libre"},
    {"$MVU$", "Memoria virtual usado"},
}};

// The figure of a memory macro; nullopt for any other token.
std::optional<std::uint32_t> memoryFigure(std::string_view token, const CMemoryInfo& m) {
  if (token == "$MFT$") return m.physicalTotal;
  if (token == "$MFL$") return m.physicalFree;
  if (token == "$MFU$") return m.physicalUsed;
  if (token == "$AIT$") return m.swapTotal;
  if (token == "$AIL$") return m.swapFree;
  if (token == "$AIU$") return m.swapUsed;
  if (token == "$MVT$") return m.virtualTotal;
  if (token == "$MVL$") return m.virtualFree;
  if (token == "$MVU$") return m.virtualUsed;
  return std::nullopt;
}

std::size_t characters(const std::string& text) {
  std::size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

bool isMemoryMacro(std::string_view token) {
  for (const IconTextMacro& m : kMacros) {
    if (m.macro == token) return token != "$CPU$";
  }
  return false;
}

}  // namespace

const std::array<IconTextMacro, 10>& IconTextMacros() { return kMacros; }

std::string ExpandIconText(std::string_view text, const IconTextSources& sources) {
  std::string out;
  const CMemoryInfo* memory = nullptr;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('$', at);
    if (open == std::string_view::npos) {
      out.append(text.substr(at));
      break;
    }
    out.append(text.substr(at, open - at));
    const std::size_t close = text.find('$', open + 1);
    if (close == std::string_view::npos) {
      out.append(text.substr(open));
      break;
    }
    const std::string_view token = text.substr(open, close - open + 1);
    if (token == "$CPU$") {
      out += std::to_string(sources.cpuUsage ? sources.cpuUsage() : 0) + "%";
      at = close + 1;
    } else if (isMemoryMacro(token)) {
      if (memory == nullptr && sources.memory) memory = &sources.memory();
      out += memory != nullptr ? FormatMegabytes(sources.format, *memoryFigure(token, *memory)) : std::string{};
      at = close + 1;
    } else {
      out += '$';
      at = open + 1;
    }
    if (characters(out) >= kCutLength) break;
  }
  for (char& c : out) {
    if (c == '|') c = '\n';
  }
  return out;
}

const std::string& IconTextBuilder::Build(std::int64_t nowSeconds, std::string_view text,
                                          const IconTextSources& sources) {
  if (built_ && nowSeconds >= builtAt_ && nowSeconds - builtAt_ < 3) return last_;
  built_ = true;
  builtAt_ = nowSeconds;
  last_ = ExpandIconText(text, sources);
  return last_;
}

}  // namespace zelvor
