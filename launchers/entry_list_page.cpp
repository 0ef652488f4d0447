// The program-list editor: its controls, the tree drawn from the page's
// copy of the list, the fields of the selected node, and the apply.

#include "launchers/entry_list_page.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "launchers/builtin_choices.h"
#include "launchers/entry_icons.h"
#include "launchers/list_checks.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "shell/hotkey_names.h"
#include "shell/principal_dlg.h"
#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

Control labelled(std::string label, Control field) {
  Control row = Control::make(ControlKind::Column);
  row.add(Control::make(ControlKind::Label, 0, std::move(label)));
  row.add(std::move(field));
  return row;
}

Control toolButton(int id, std::string text, std::string tooltip) {
  Control b = Control::make(ControlKind::Button, id, std::move(text));
  b.tooltip = std::move(tooltip);
  return b;
}

std::string shortcutLabel(const Shortcut& s, std::size_t n) {
  const std::string& l = s.left.description;
  const std::string& r = s.right.description;
  if (!l.empty() && !r.empty()) return l + " / " + r;
  if (!l.empty() || !r.empty()) return l + r;
  return "Acceso directo " + std::to_string(n + 1);
}

TreeNode labelNode(std::string text, ImageRef icon = {}) {
  TreeNode node;
  node.text = std::move(text);
  node.icon = std::move(icon);
  return node;
}

int priorityIndex(std::uint32_t value) {
  for (std::size_t i = 0; i < kPriorityChoices.size(); ++i) {
    if (kPriorityChoices[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

CEntryListPage::CEntryListPage(CZelvorApp& app, int firstId, EntryList list)
    : CConfDialog(firstId), app_(app), list_(list), prompt_(app) {}

Control CEntryListPage::Build() {
  const bool menus = list_ == EntryList::Menus;
  Control page = Control::make(ControlKind::Column);
  Control top = Control::make(ControlKind::Row);
  Control tree = Control::make(ControlKind::Tree, Id(kTree));
  tree.size = {260, 200};
  top.add(std::move(tree));
  Control bar = Control::make(ControlKind::Column);
  if (menus) {
    bar.add(toolButton(Id(kAdd), "Nuevo menú", "Agregar un nuevo menú"));
    bar.add(toolButton(Id(kAddItem), "Nuevo elemento", "Agregar un nuevo elemento al menú"));
  } else {
    bar.add(toolButton(Id(kAdd), "Agregar", "Agregar un nuevo elemento a la lista"));
  }
  bar.add(toolButton(Id(kAddSeparator), "Separador", "Agregar un separador a la lista"));
  bar.add(toolButton(Id(kImport), "Importar", "Importar los accesos directos de una carpeta"));
  bar.add(toolButton(Id(kDelete), "Eliminar", "Eliminar el elemento seleccionado"));
  bar.add(toolButton(Id(kUp), "Subir", "Subir el elemento seleccionado"));
  bar.add(toolButton(Id(kDown), "Bajar", "Bajar el elemento seleccionado"));
  bar.add(toolButton(Id(kClear), "Limpiar", "Limpiar todos los controles"));
  bar.add(toolButton(Id(kRun), "Ejecutar", "Ejecutar el programa"));
  top.add(std::move(bar));
  page.add(std::move(top));

  Control descriptionList = Control::make(ControlKind::Combo, Id(kDescription));
  descriptionList.editable = true;
  descriptionList.value = -1;
  for (const BuiltInChoice& choice : BuiltInChoices()) descriptionList.items.emplace_back(choice.description);
  Control description = labelled("Descripcion:", std::move(descriptionList));
  description.id = Id(kDescriptionGroup);
  page.add(std::move(description));

  Control entry = Control::make(ControlKind::Column, Id(kEntryGroup));
  Control program = Control::make(ControlKind::Row);
  program.add(Control::make(ControlKind::Edit, Id(kProgram)));
  program.add(Control::make(ControlKind::Button, Id(kBrowseProgram), "Examinar archivos"));
  program.add(Control::make(ControlKind::Button, Id(kBrowseProgramFolder), "Examinar carpetas"));
  entry.add(labelled("Programa, archivo ó carpeta:", std::move(program)));
  entry.add(labelled("Argumentos:", Control::make(ControlKind::Edit, Id(kArguments))));
  entry.add(Control::make(ControlKind::CheckBox, Id(kAskArguments),
                          "Solicitar los argumentos antes de ejecutar el programa"));
  Control folder = Control::make(ControlKind::Row);
  folder.add(Control::make(ControlKind::Edit, Id(kFolder)));
  folder.add(Control::make(ControlKind::Button, Id(kBrowseFolder), "Examinar carpetas"));
  entry.add(labelled("Carpeta inicial:", std::move(folder)));
  Control window = Control::make(ControlKind::Combo, Id(kWindow));
  window.items.assign(kWindowModeNames.begin(), kWindowModeNames.end());
  entry.add(labelled("Ventana:", std::move(window)));
  Control priority = Control::make(ControlKind::Combo, Id(kPriority));
  for (const PriorityChoice& c : kPriorityChoices) priority.items.emplace_back(c.text);
  entry.add(labelled("Prioridad de la aplicación:", std::move(priority)));
  page.add(std::move(entry));

  // The icon picker: the file, which of its icons, and the icon the node shows.
  Control icon = Control::make(ControlKind::Row);
  icon.add(Control::make(ControlKind::Edit, Id(kIconFile)));
  icon.add(Control::make(ControlKind::Button, Id(kBrowseIcon), "Examinar archivos de iconos"));
  icon.add(Control::make(ControlKind::Label, 0, "Índice:"));
  Control index = Control::make(ControlKind::Spin, Id(kIconIndex));
  index.maximum = 0;
  icon.add(std::move(index));
  Control preview = Control::make(ControlKind::Image, Id(kIconPreview));
  preview.size = {32, 32};
  icon.add(std::move(preview));
  Control iconGroup = labelled("Icono:", std::move(icon));
  iconGroup.id = Id(kIconGroup);
  page.add(std::move(iconGroup));

  Control hotkey = labelled("Teclas de acceso rápido:",
                            Control::make(ControlKind::HotkeyField, Id(kHotkey), std::string(kNoHotkeyText)));
  hotkey.id = Id(kHotkeyGroup);
  page.add(std::move(hotkey));

  Control menu = Control::make(ControlKind::Column, Id(kMenuGroup));
  menu.add(Control::make(ControlKind::CheckBox, Id(kAutoShow),
                         "Mostrar el menú al pasar el puntero del ratón sobre el icono."));
  menu.add(labelled("Programa a ejecutar con el botón izquierdo del ratón:",
                    Control::make(ControlKind::Combo, Id(kDefaultItem))));
  page.add(std::move(menu));
  return page;
}

void CEntryListPage::Load(const ConfigStore& store, Control& root) {
  shortcuts_.clear();
  menus_.clear();
  if (list_ == EntryList::Shortcuts) {
    for (Shortcut& s : LoadShortcuts(store.registry())) shortcuts_.push_back({std::move(s), false});
  } else {
    menus_ = LoadMenus(store.registry());
  }
  registered_ = Hotkeys();
  const bool any = list_ == EntryList::Shortcuts ? !shortcuts_.empty() : !menus_.empty();
  selected_ = any ? std::vector<int>{0} : std::vector<int>{};
  RebuildTree(root);
  ShowNode(root);
}

CEntryListPage::NodeRef CEntryListPage::Selected() const {
  NodeRef ref;
  if (selected_.empty() || selected_[0] < 0) return ref;
  ref.element = static_cast<std::size_t>(selected_[0]);
  const bool child = selected_.size() > 1 && selected_[1] >= 0;
  if (child) ref.child = static_cast<std::size_t>(selected_[1]);
  if (list_ == EntryList::Shortcuts) {
    if (ref.element >= shortcuts_.size()) return {};
    if (shortcuts_[ref.element].shortcut.separator) ref.kind = child ? NodeKind::None : NodeKind::TopSeparator;
    else if (!child) ref.kind = NodeKind::Shortcut;
    else if (ref.child < 2) ref.kind = NodeKind::Button;
    return ref;
  }
  if (ref.element >= menus_.size()) return {};
  if (menus_[ref.element].description == kSeparator) {
    ref.kind = child ? NodeKind::None : NodeKind::TopSeparator;
  } else if (!child) {
    ref.kind = NodeKind::Menu;
  } else if (ref.child < menus_[ref.element].items.size()) {
    ref.kind = menus_[ref.element].items[ref.child].separator ? NodeKind::Separator : NodeKind::Item;
  }
  return ref;
}

ProgramEntry* CEntryListPage::SelectedEntry() {
  const NodeRef ref = Selected();
  if (ref.kind == NodeKind::Button) {
    Shortcut& s = shortcuts_[ref.element].shortcut;
    return ref.child == 0 ? &s.left : &s.right;
  }
  if (ref.kind == NodeKind::Item) return &menus_[ref.element].items[ref.child].entry;
  return nullptr;
}

IconRecord* CEntryListPage::SelectedIcon() {
  const NodeRef ref = Selected();
  switch (ref.kind) {
    case NodeKind::Shortcut:
    case NodeKind::Button: return &shortcuts_[ref.element].shortcut.icon;
    case NodeKind::Menu: return &menus_[ref.element].icon;
    case NodeKind::Item: return &menus_[ref.element].items[ref.child].icon;
    default: return nullptr;
  }
}

std::uint32_t* CEntryListPage::SelectedHotkey() {
  if (Selected().kind == NodeKind::Menu) return &menus_[Selected().element].hotkey;
  ProgramEntry* entry = SelectedEntry();
  return entry != nullptr ? &entry->hotkey : nullptr;
}

std::vector<Shortcut> CEntryListPage::PlainShortcuts() const {
  std::vector<Shortcut> plain;
  plain.reserve(shortcuts_.size());
  for (const ShortcutNode& node : shortcuts_) plain.push_back(node.shortcut);
  return plain;
}

std::map<int, std::uint32_t> CEntryListPage::Hotkeys() const {
  std::map<int, std::uint32_t> keys;
  const auto put = [&keys](int id, std::uint32_t binding) {
    if (binding != 0) keys[id] = binding;
  };
  for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    put(ShortcutHotkeyId(n, MouseButton::Left), shortcuts_[i].shortcut.left.hotkey);
    put(ShortcutHotkeyId(n, MouseButton::Right), shortcuts_[i].shortcut.right.hotkey);
  }
  for (std::size_t m = 0; m < menus_.size(); ++m) {
    const int n = static_cast<int>(m) + 1;
    put(MenuHotkeyId(n), menus_[m].hotkey);
    for (std::size_t i = 0; i < menus_[m].items.size(); ++i) {
      if (!menus_[m].items[i].separator)
        put(MenuItemHotkeyId(n, static_cast<int>(i) + 1), menus_[m].items[i].entry.hotkey);
    }
  }
  return keys;
}

void CEntryListPage::RebuildTree(Control& root) const {
  Control* tree = root.find(Id(kTree));
  if (tree == nullptr) return;
  std::vector<TreeNode> nodes;
  for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
    if (shortcuts_[i].shortcut.separator) {
      nodes.push_back(labelNode(std::string(kSeparatorLabel)));
      continue;
    }
    TreeNode node = labelNode(shortcutLabel(shortcuts_[i].shortcut, i), NodeImage(i, std::nullopt));
    const bool accent = shortcuts_[i].addedHere;
    node.children.push_back(labelNode(accent ? "Botón izquierdo" : "Boton izquierdo", NodeImage(i, 0)));
    node.children.push_back(labelNode(accent ? "Botón derecho" : "Boton derecho", NodeImage(i, 1)));
    nodes.push_back(std::move(node));
  }
  for (std::size_t m = 0; m < menus_.size(); ++m) {
    const LauncherMenu& menu = menus_[m];
    if (menu.description == kSeparator) {
      nodes.push_back(labelNode(std::string(kSeparatorLabel)));
      continue;
    }
    TreeNode node = labelNode(menu.description.empty() ? "Menú " + std::to_string(m + 1) : menu.description,
                              NodeImage(m, std::nullopt));
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
      const ListElement& item = menu.items[i];
      node.children.push_back(item.separator ? labelNode(std::string(kSeparatorLabel))
                                             : labelNode(item.entry.description, NodeImage(m, i)));
    }
    nodes.push_back(std::move(node));
  }
  // Open branches stay open; the one holding the selection opens.
  for (std::size_t i = 0; i < nodes.size() && i < tree->nodes.size(); ++i) nodes[i].expanded = tree->nodes[i].expanded;
  if (!selected_.empty() && static_cast<std::size_t>(selected_[0]) < nodes.size()) {
    TreeNode& top = nodes[static_cast<std::size_t>(selected_[0])];
    if (selected_.size() > 1 ||
        (list_ == EntryList::Shortcuts && shortcuts_[static_cast<std::size_t>(selected_[0])].addedHere)) {
      top.expanded = true;
    }
  }
  tree->nodes = std::move(nodes);
  tree->selectedPath = selected_;
}

void CEntryListPage::ShowNode(Control& root) const {
  const NodeRef ref = Selected();
  auto* self = const_cast<CEntryListPage*>(this);  // the accessors only find the node
  const ProgramEntry* entry = self->SelectedEntry();
  const IconRecord* icon = self->SelectedIcon();
  const std::uint32_t* hotkey = self->SelectedHotkey();
  const auto show = [&root, this](int group, bool visible) {
    if (Control* c = root.find(Id(group))) c->visible = visible;
  };
  show(kDescriptionGroup, entry != nullptr || ref.kind == NodeKind::Menu);
  show(kEntryGroup, entry != nullptr);
  show(kIconGroup, icon != nullptr);
  show(kHotkeyGroup, hotkey != nullptr);
  show(kMenuGroup, ref.kind == NodeKind::Menu);
  const auto set = [&root, this](int local, auto&& apply) {
    if (Control* c = root.find(Id(local))) apply(*c);
  };
  set(kDescription, [&](Control& c) {
    c.text = entry != nullptr ? entry->description : ref.kind == NodeKind::Menu ? menus_[ref.element].description : "";
    c.value = -1;  // a text, until the user picks a choice
  });
  const ProgramEntry blank;
  const ProgramEntry& e = entry != nullptr ? *entry : blank;
  set(kProgram, [&](Control& c) { c.text = e.program; });
  set(kArguments, [&](Control& c) { c.text = e.arguments; });
  set(kAskArguments, [&](Control& c) { c.checked = e.askForArguments != 0; });
  set(kFolder, [&](Control& c) { c.text = e.startingFolder; });
  set(kWindow, [&](Control& c) {
    c.value = e.window >= 0 && e.window < static_cast<int>(kWindowModeNames.size()) ? e.window : 0;
    c.text = c.items[static_cast<std::size_t>(c.value)];
  });
  set(kPriority, [&](Control& c) {
    c.value = priorityIndex(e.priority);
    c.text = c.value >= 0 ? c.items[static_cast<std::size_t>(c.value)] : "";
  });
  set(kIconFile, [&](Control& c) { c.text = icon != nullptr ? icon->file : ""; });
  const int icons = icon != nullptr ? IconCount(icon->file, app_.platform().files) : 0;
  set(kIconIndex, [&](Control& c) {
    c.maximum = std::max(icons - 1, 0);
    c.value = icon != nullptr ? std::clamp(icon->index, 0, c.maximum) : 0;
    c.enabled = icons > 1;
  });
  set(kIconPreview, [&](Control& c) {
    // The icon being picked, as the node's owner shows it: a button shows its shortcut's icon record.
    const ProgramEntry& owner = entry != nullptr                ? *entry
                                : ref.kind == NodeKind::Shortcut ? shortcuts_[ref.element].shortcut.left
                                                                 : blank;
    c.image = icon != nullptr ? EntryImage(owner, *icon) : ImageRef{};
  });
  set(kHotkey, [&](Control& c) { c.value = hotkey != nullptr ? static_cast<int>(RegistrationToField(*hotkey)) : 0; });
  if (ref.kind == NodeKind::Menu) {
    const LauncherMenu& menu = menus_[ref.element];
    set(kAutoShow, [&](Control& c) { c.checked = menu.autoShow != 0; });
    set(kDefaultItem, [&](Control& c) {
      c.items = {"<Ninguno>"};
      for (const ListElement& item : menu.items) {
        c.items.push_back(item.separator ? std::string(kSeparatorLabel) : item.entry.description);
      }
      c.value =
          menu.defaultItem >= 0 && static_cast<std::size_t>(menu.defaultItem) < c.items.size() ? menu.defaultItem : 0;
      c.text = c.items[static_cast<std::size_t>(c.value)];
    });
  }
}

void CEntryListPage::Select(Control& root, std::vector<int> path) {
  selected_ = std::move(path);
  RebuildTree(root);
  ShowNode(root);
}

void CEntryListPage::StoreField(int local, Control& root) {
  const Control* c = root.find(Id(local));
  if (c == nullptr) return;
  const NodeRef ref = Selected();
  ProgramEntry* entry = SelectedEntry();
  switch (local) {
    case kDescription:
      if (c->value >= 0 && static_cast<std::size_t>(c->value) < BuiltInChoices().size()) {
        ChooseBuiltIn(root, static_cast<std::size_t>(c->value));
        return;
      }
      if (entry != nullptr) entry->description = c->text;
      else if (ref.kind == NodeKind::Menu) menus_[ref.element].description = c->text;
      break;
    case kProgram: if (entry != nullptr) entry->program = c->text; break;
    case kArguments: if (entry != nullptr) entry->arguments = c->text; break;
    case kAskArguments: if (entry != nullptr) entry->askForArguments = c->checked ? 1 : 0; break;
    case kFolder: if (entry != nullptr) entry->startingFolder = c->text; break;
    case kWindow: if (entry != nullptr && c->value >= 0) entry->window = c->value; break;
    case kPriority:
      if (entry != nullptr && c->value >= 0 && static_cast<std::size_t>(c->value) < kPriorityChoices.size()) {
        entry->priority = kPriorityChoices[static_cast<std::size_t>(c->value)].value;
      }
      break;
    case kIconFile:
      if (IconRecord* icon = SelectedIcon()) *icon = {c->text, 0};
      break;
    case kIconIndex:
      if (IconRecord* icon = SelectedIcon()) icon->index = std::max(c->value, 0);
      break;
    case kHotkey:
      if (std::uint32_t* hotkey = SelectedHotkey()) {
        const std::uint32_t binding = FieldToRegistration(static_cast<std::uint32_t>(c->value));
        // A key without a name cannot be shown, so it is not kept.
        *hotkey = KeyName(binding).empty() ? 0 : binding;
      }
      break;
    case kAutoShow: if (ref.kind == NodeKind::Menu) menus_[ref.element].autoShow = c->checked ? 1 : 0; break;
    case kDefaultItem:
      if (ref.kind == NodeKind::Menu && c->value >= 0) menus_[ref.element].defaultItem = c->value;
      break;
    default: return;
  }
  SetModified();
  if (local == kDescription || local == kProgram || local == kIconFile || local == kIconIndex) {
    // The node's label or icon follows.
    RebuildTree(root);
    ShowNode(root);
  }
}

bool CEntryListPage::OnEvent(const ControlEvent& event, Control& root) {
  const int local = event.controlId - Id(0);
  if (local == kTree) {
    if (event.kind != ControlEvent::Kind::Changed) return false;
    const Control* tree = root.find(Id(kTree));
    selected_ = tree != nullptr ? tree->selectedPath : std::vector<int>{};
    ShowNode(root);
    return true;
  }
  if (event.kind == ControlEvent::Kind::Clicked) {
    switch (local) {
      case kAdd: AddElement(root); return true;
      case kAddItem: AddItem(root, false); return true;
      case kAddSeparator: AddSeparator(root); return true;
      case kImport: Import(root); return true;
      case kDelete: Delete(root); return true;
      case kUp: Move(root, -1); return true;
      case kDown: Move(root, 1); return true;
      case kClear: Clear(root); return true;
      case kRun: Run(); return false;
      case kBrowseProgram: BrowseProgram(root); return true;
      case kBrowseFolder:
      case kBrowseProgramFolder:
        if (SelectedEntry() != nullptr) {
          const bool starting = local == kBrowseFolder;
          const std::string folder =
              app_.dialogs().chooseFolder(starting ? "Carpeta inicial:" : "Programa, archivo ó carpeta:");
          if (!folder.empty()) {
            const int field = starting ? kFolder : kProgram;
            root.find(Id(field))->text = folder;
            StoreField(field, root);
          }
        }
        return true;
      case kBrowseIcon:
        if (SelectedIcon() != nullptr) {
          const auto files = app_.dialogs().chooseFiles(
              {"Icono:", "Iconos (*.png; *.svg; *.xpm; *.ico)|*.png;*.svg;*.xpm;*.ico|Todos los archivos|*.*||",
               "", false, false, true, false});
          if (!files.empty()) {
            root.find(Id(kIconFile))->text = files.front();
            StoreField(kIconFile, root);
          }
        }
        return true;
      case kAskArguments:
      case kAutoShow: StoreField(local, root); return false;
      default: return false;
    }
  }
  if (event.kind == ControlEvent::Kind::Changed) {
    StoreField(local, root);
    return local == kDescription || local == kProgram || local == kIconFile || local == kIconIndex;
  }
  return false;
}

bool CEntryListPage::CanSave(Control& root) {
  const ProgramFolders folders = ProgramFoldersOf();
  Files& files = app_.platform().files;
  const std::optional<ListCheckFailure> failure = list_ == EntryList::Shortcuts
                                                      ? CheckShortcuts(PlainShortcuts(), files, folders)
                                                      : CheckMenus(menus_, files, folders);
  if (!failure) return CheckHotkeys(root);
  SelectNode(root, failure->element, failure->part);
  (void)app_.desktop().messageBoxes.show(
      {failure->result.message, std::string(kEntryCheckTitle), MsgButtons::Ok, MsgIcon::Warning, true});
  return false;
}

void CEntryListPage::Save(ConfigStore& store, Control& root) {
  (void)root;
  // The batch reports a failed write when it is committed.
  if (list_ == EntryList::Shortcuts) {
    (void)SaveShortcuts(store.registry(), PlainShortcuts());
  } else {
    (void)SaveMenus(store.registry(), menus_);
  }
}

void CEntryListPage::Saved(Control& root) {
  (void)root;
  CPrincipalDlg* main = app_.mainWindow();
  std::map<int, std::uint32_t> now = Hotkeys();
  if (main != nullptr) {
    for (const auto& [id, binding] : registered_) {
      if (!now.contains(id)) main->UnregisterHotkey(id);
    }
    for (const auto& [id, binding] : now) {
      main->UnregisterHotkey(id);
      (void)main->RegisterHotkey(id, binding);
    }
  }
  registered_ = std::move(now);
}

ApplyEffects CEntryListPage::Effects() const {
  ApplyEffects effects;
  effects.refresh = true;
  effects.reloadShortcuts = list_ == EntryList::Shortcuts;
  effects.reloadMenus = list_ == EntryList::Menus;
  return effects;
}

}  // namespace zelvor
