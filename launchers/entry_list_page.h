#pragma once
// The program-list editor of a launcher utility in the configuration
// window: the list as a tree, a toolbar of commands acting on the selected
// node, and the fields of that node. Edits stay in the page until
// "Apli&car", which checks the list node by node and rewrites it whole.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "launchers/entry_checks.h"
#include "launchers/entry_lists.h"
#include "launchers/launcher_utilities.h"
#include "shell/config/conf_dialog.h"

namespace zelvor {

class CZelvorApp;

// The pages' titles in the configuration tree.
inline constexpr std::string_view kShortcutsPageTitle = "Accesos directos";
inline constexpr std::string_view kMenusPageTitle = "Menús";

inline constexpr std::string_view kSeparatorLabel = "---------------";
// The hotkey field's text while it holds no key.
inline constexpr std::string_view kNoHotkeyText = "<Ninguno>";
inline constexpr std::string_view kDeleteMenuQuestion =
    "¿Está seguro de eliminar el Tray Menu y todos sus elementos?";

class CEntryListPage final : public CConfDialog {
 public:
  // list: EntryList::Shortcuts or EntryList::Menus.
  CEntryListPage(CZelvorApp& app, int firstId, EntryList list);

  enum : int {
    kTree = 1,
    // The toolbar.
    kAdd = 2,
    kAddItem = 3,  // menus only: an item of the selected menu
    kAddSeparator = 4,
    kImport = 5,
    kDelete = 6,
    kUp = 7,
    kDown = 8,
    kClear = 9,
    kRun = 10,
    // The fields of the selected node.
    kDescription = 20,
    kProgram = 21,
    kBrowseProgram = 22,
    kArguments = 23,
    kAskArguments = 24,
    kFolder = 25,
    kBrowseFolder = 26,
    kWindow = 27,
    kIconFile = 28,
    kBrowseIcon = 29,
    kHotkey = 30,
    kPriority = 31,
    kAutoShow = 32,
    kDefaultItem = 33,
    kBrowseProgramFolder = 34,
    kIconIndex = 35,    // which icon of the file
    kIconPreview = 36,  // the icon the node shows
    // The groups of fields each kind of node shows.
    kDescriptionGroup = 50,
    kEntryGroup = 51,
    kIconGroup = 52,
    kHotkeyGroup = 53,
    kMenuGroup = 54,
  };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  bool CanSave(Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;
  [[nodiscard]] ApplyEffects Effects() const override;

 private:
  // TopSeparator: a spacer among the shortcuts or menus; Separator: one among a menu's items.
  enum class NodeKind { None, Shortcut, Button, Menu, Item, Separator, TopSeparator };
  struct NodeRef {
    NodeKind kind = NodeKind::None;
    std::size_t element = 0;  // from 0
    std::size_t child = 0;    // button (0 left, 1 right) or item, from 0
  };
  struct ShortcutNode {
    Shortcut shortcut;
    bool addedHere = false;  // its buttons are labelled with the accent
  };

  [[nodiscard]] NodeRef Selected() const;
  [[nodiscard]] ProgramEntry* SelectedEntry();
  [[nodiscard]] IconRecord* SelectedIcon();
  [[nodiscard]] std::uint32_t* SelectedHotkey();
  [[nodiscard]] std::vector<Shortcut> PlainShortcuts() const;
  // Hotkey id to binding of every element with a hotkey.
  [[nodiscard]] std::map<int, std::uint32_t> Hotkeys() const;

  // The folders a bare program name is found in (PATH's), each ending with '/'.
  [[nodiscard]] ProgramFolders ProgramFoldersOf() const;
  [[nodiscard]] ImageRef NodeImage(std::size_t element, std::optional<std::size_t> child) const;
  void SelectNode(Control& root, int element, int part);
  [[nodiscard]] bool CheckHotkeys(Control& root);
  void ChooseBuiltIn(Control& root, std::size_t choice);

  void RebuildTree(Control& root) const;
  void ShowNode(Control& root) const;
  void StoreField(int local, Control& root);
  void Select(Control& root, std::vector<int> path);

  void AddElement(Control& root);
  void AddItem(Control& root, bool separator, ListElement element = {});
  void AddSeparator(Control& root);
  void Import(Control& root);
  void Delete(Control& root);
  void Move(Control& root, int step);
  void Clear(Control& root);
  void Run();
  void BrowseProgram(Control& root);

  CZelvorApp& app_;
  EntryList list_;
  InputBoxPrompt prompt_;
  std::vector<ShortcutNode> shortcuts_;
  std::vector<LauncherMenu> menus_;
  std::vector<int> selected_;  // tree path; empty: none
  std::map<int, std::uint32_t> registered_;  // the hotkeys of the list as last stored
};

}  // namespace zelvor
