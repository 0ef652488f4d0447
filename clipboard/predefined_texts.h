#pragma once
// The predefined texts of Rezi Zovidaraz under ReziZovidaraz\Textos:
// "Numero" items, each the sub-key " k" whose default value is the
// description (or "Separador") and whose "Texto" is the text.

#include <optional>
#include <string>
#include <vector>

#include "shell/store/config_store.h"

namespace zelvor::clip {

inline constexpr std::string_view kTextsKey = "ReziZovidaraz\\Textos";
// Command codes 10 … 49 reach texts 1 … 40.
inline constexpr int kMaxTextCommands = 40;

struct TextItem {
  bool separator = false;
  std::string description;
  std::string text;  // CR LF line breaks
  friend bool operator==(const TextItem&, const TextItem&) = default;
};

[[nodiscard]] std::vector<TextItem> LoadTexts(const ConfigStore& store);
// Writes every item as " 1" … " N", then Numero = N; sub-keys above N are
// left as they are (they are never read).
void SaveTexts(ConfigStore& store, const std::vector<TextItem>& items);
// The Texto of sub-key k (1-based); nothing when k is beyond Numero or the
// item is a separator.
[[nodiscard]] std::optional<std::string> TextOf(const ConfigStore& store, int k);

}  // namespace zelvor::clip
