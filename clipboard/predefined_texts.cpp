#include "clipboard/predefined_texts.h"

#include "shell/store/reg_key_ex.h"

namespace zelvor::clip {

std::vector<TextItem> LoadTexts(const ConfigStore& store) {
  std::vector<TextItem> items;
  CRegKeyEx texts(store.registry());
  if (texts.Open(Hive::CurrentUser, ConfigStore::KeyPath(kTextsKey)) != RegStatus::Ok) return items;
  const int count = texts.GetInt(kListCount);
  for (int k = 1; k <= count; ++k) {
    CRegKeyEx item(store.registry());
    TextItem t;
    if (item.Open(texts, listElementKey(k)) == RegStatus::Ok) {
      t.description = item.GetString("");
      t.text = item.GetString("Texto");
    }
    t.separator = t.description == kSeparator;
    if (t.separator) {
      t.description.clear();
      t.text.clear();
    }
    items.push_back(std::move(t));
  }
  return items;
}

void SaveTexts(ConfigStore& store, const std::vector<TextItem>& items) {
  CRegKeyEx texts(store.registry());
  if (texts.Create(Hive::CurrentUser, ConfigStore::KeyPath(kTextsKey)) != RegStatus::Ok) return;
  int k = 0;
  for (const TextItem& t : items) {
    CRegKeyEx item(store.registry());
    if (item.Create(texts, listElementKey(++k)) != RegStatus::Ok) continue;
    if (t.separator) {
      item.SetString("", kSeparator);
      item.DeleteValue("Texto");
    } else {
      item.SetString("Texto", t.text);
      item.SetString("", t.description);
    }
  }
  texts.SetInt(k, kListCount);
}

std::optional<std::string> TextOf(const ConfigStore& store, int k) {
  CRegKeyEx texts(store.registry());
  if (texts.Open(Hive::CurrentUser, ConfigStore::KeyPath(kTextsKey)) != RegStatus::Ok) return std::nullopt;
  if (k < 1 || k > texts.GetInt(kListCount)) return std::nullopt;
  CRegKeyEx item(store.registry());
  if (item.Open(texts, listElementKey(k)) != RegStatus::Ok || item.GetString("") == kSeparator) return std::nullopt;
  return item.GetString("Texto");
}

}  // namespace zelvor::clip
