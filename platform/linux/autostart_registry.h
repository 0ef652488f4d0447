#pragma once
// The run-at-login value of the store is the desktop's autostart entry: the
// value Zelvor of the Run key below HKEY_LOCAL_MACHINE (Software, Microsoft,
// Windows, CurrentVersion, Run) exists exactly when zelvor.desktop is in the
// autostart folder, and holds the program path of its Exec line. Every other
// key and value goes to the wrapped store.

#include <string>

#include "platform/files.h"
#include "platform/registry.h"

namespace zelvor {

class AutostartRegistry : public Registry {
 public:
  // autostartFile: the full path of zelvor.desktop.
  AutostartRegistry(Registry& inner, Files& files, std::string autostartFile)
      : inner_(inner), files_(files), file_(std::move(autostartFile)) {}

  bool keyExists(Hive hive, std::string_view path) override { return inner_.keyExists(hive, path); }
  RegStatus createKey(Hive hive, std::string_view path) override { return inner_.createKey(hive, path); }
  std::optional<RegValue> queryValue(Hive hive, std::string_view path, std::string_view name) override;
  RegStatus setValue(Hive hive, std::string_view path, std::string_view name,
                     const RegValue& value) override;
  RegStatus deleteValue(Hive hive, std::string_view path, std::string_view name) override;
  RegStatus deleteKey(Hive hive, std::string_view path) override { return inner_.deleteKey(hive, path); }
  std::vector<std::string> subkeyNames(Hive hive, std::string_view path) override {
    return inner_.subkeyNames(hive, path);
  }
  std::vector<std::string> valueNames(Hive hive, std::string_view path) override;
  std::optional<RegKeySnapshot> snapshot(Hive hive, std::string_view path) override;
  RegStatus apply(const std::vector<RegOp>& ops) override;

  // The desktop entry text for a program path, and the path back from it.
  [[nodiscard]] static std::string desktopEntry(std::string_view program);
  [[nodiscard]] static std::optional<std::string> programOf(std::string_view entry);

 private:
  [[nodiscard]] static bool isRunValue(Hive hive, std::string_view path, std::string_view name);
  [[nodiscard]] std::optional<std::string> readProgram();
  [[nodiscard]] RegStatus writeProgram(const RegValue& value);
  [[nodiscard]] RegStatus removeEntry();

  Registry& inner_;
  Files& files_;
  std::string file_;
};

}  // namespace zelvor
