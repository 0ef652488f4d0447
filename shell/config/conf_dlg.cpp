#include "shell/config/conf_dlg.h"

#include <algorithm>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "shell/principal_dlg.h"
#include "shell/store/staged_registry.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

// The stored position moved so that the whole window is on the screen.
Point clampedPosition(int left, int top, Size screen) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  if (left + CConfDlg::kWidth > screen.width) left = std::max(screen.width - CConfDlg::kWidth, 0);
  if (top + CConfDlg::kHeight > screen.height) top = std::max(screen.height - CConfDlg::kHeight, 0);
  return {left, top};
}

}  // namespace

CConfDlg::CConfDlg(CZelvorApp& app, ConfigTree tree) : ModelessWindow(app, msg::ConfigClosed), tree_(std::move(tree)) {
  for (const ConfigNode& node : tree_.nodes()) {
    for (const ConfigPageSpec& spec : node.pages) pages_.push_back({spec.title, node.utility, spec.make, nullptr});
  }
}

CConfDlg::~CConfDlg() = default;

std::optional<std::size_t> CConfDlg::FindPage(std::optional<UtilityKind> utility, std::string_view pageTitle) const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].utility == utility && pages_[i].title == pageTitle) return i;
  }
  return std::nullopt;
}

Control CConfDlg::BuildTree() const {
  Control tree = Control::make(ControlKind::Tree, kTree);
  tree.size = {220, 0};
  std::size_t page = 0;
  for (const ConfigNode& node : tree_.nodes()) {
    if (node.pages.empty()) continue;
    TreeNode item;
    item.text = node.title;
    item.expanded = false;
    // A node shows its first page; a utility's node lists its pages below it.
    item.data = page;
    if (node.utility) {
      for (const ConfigPageSpec& spec : node.pages) {
        TreeNode child;
        child.text = spec.title;
        child.data = page++;
        item.children.push_back(std::move(child));
      }
    } else {
      page += node.pages.size();
    }
    tree.nodes.push_back(std::move(item));
  }
  if (!tree.nodes.empty()) tree.selectedPath = {0};
  return tree;
}

void CConfDlg::Build() {
  title = kTitle;
  className = kClassName;
  helpContext = help_context::Default;
  const Point at = clampedPosition(app_.store().ReadConfigInt("", root_value::ConfigurarLeft),
                                   app_.store().ReadConfigInt("", root_value::ConfigurarTop),
                                   app_.desktop().screen.size());
  geometry = {at.x, at.y, at.x + kWidth, at.y + kHeight};

  root = Control::make(ControlKind::Column);
  Control toggles = Control::make(ControlKind::Row);
  for (std::size_t i = 0; i < kListOrder.size(); ++i) {
    const UtilityInfo& u = info(kListOrder[i]);
    Control b = Control::make(ControlKind::Button, kFirstToggle + static_cast<int>(i));
    b.checkable = true;
    b.checked = app_.store().IsEnabled(u.key);
    b.tooltip = "Mostrar/Quitar " + std::string(u.title);
    b.image = u.image >= 0 ? ImageRef::fromStrip(ImageStrip::Utility, u.image) : ImageRef::fromStrip(ImageStrip::Small, 3);
    toggles.add(std::move(b));
  }
  // Not a row of dialog buttons: the toggles sit on the left.
  toggles.add(Control::make(ControlKind::Label));
  root.add(std::move(toggles));

  Control middle = Control::make(ControlKind::Row);
  middle.add(BuildTree());
  // Every page shows in the same room, so the window keeps its size.
  Control pages = Control::make(ControlKind::Column, kPages);
  pages.size = {kWidth - 260, kHeight - 130};
  middle.add(std::move(pages));
  root.add(std::move(middle));

  Control buttons = Control::make(ControlKind::Row);
  Control accept = Control::make(ControlKind::Button, kAccept, "Aceptar");
  accept.isDefault = true;
  buttons.add(std::move(accept));
  buttons.add(Control::make(ControlKind::Button, kCancel, "Cancelar"));
  Control apply = Control::make(ControlKind::Button, kApply, "Apli&car");
  apply.enabled = false;
  buttons.add(std::move(apply));
  buttons.add(Control::make(ControlKind::Button, kHelp, "Ayuda"));
  root.add(std::move(buttons));

  // Every page's node, so that showing a page also selects it in the tree.
  pathOf_.assign(pages_.size(), {});
  const Control* tree = root.find(kTree);
  for (std::size_t n = 0; n < tree->nodes.size(); ++n) {
    const TreeNode& node = tree->nodes[n];
    if (node.children.empty()) {
      pathOf_[node.data] = {static_cast<int>(n)};
      continue;
    }
    for (std::size_t c = 0; c < node.children.size(); ++c) {
      pathOf_[node.children[c].data] = {static_cast<int>(n), static_cast<int>(c)};
    }
  }
  if (!pages_.empty()) SelectPage(0);
}

void CConfDlg::SelectPage(std::size_t index) {
  if (index >= pages_.size()) return;
  PageSlot& slot = pages_[index];
  Control* holder = root.find(kPages);
  if (!slot.page) {
    slot.page = slot.make(app_, kFirstPageId + static_cast<int>(index) * CConfDialog::kIdSpan);
    slot.page->onModified = [this] { SetApplyEnabled(true); };
    slot.column = static_cast<int>(holder->children.size());
    holder->add(slot.page->Build());
    // The page reads the store when it is first shown.
    slot.page->Load(app_.store(), root);
  }
  selected_ = index;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].column >= 0) holder->children[static_cast<std::size_t>(pages_[i].column)].visible = i == index;
  }
  if (Control* tree = root.find(kTree); tree != nullptr && index < pathOf_.size()) {
    tree->selectedPath = pathOf_[index];
    if (pathOf_[index].size() == 2) tree->nodes[static_cast<std::size_t>(pathOf_[index][0])].expanded = true;
  }
  Refresh();
}

void CConfDlg::OnTreeSelection() {
  const Control* tree = root.find(kTree);
  if (tree == nullptr || tree->selectedPath.empty()) return;
  const auto n = static_cast<std::size_t>(tree->selectedPath[0]);
  if (n >= tree->nodes.size()) return;
  const TreeNode* node = &tree->nodes[n];
  if (tree->selectedPath.size() > 1) {
    const auto c = static_cast<std::size_t>(tree->selectedPath[1]);
    if (c >= node->children.size()) return;
    node = &node->children[c];
  }
  SelectPage(static_cast<std::size_t>(node->data));
}

void CConfDlg::SetApplyEnabled(bool enabled) {
  if (Control* apply = root.find(kApply); apply != nullptr && apply->enabled != enabled) {
    apply->enabled = enabled;
    Refresh();
  }
}

void CConfDlg::Refresh() {
  if (handle() != kNoWindow) app_.dialogs().update(handle());
}

void CConfDlg::onEvent(const ControlEvent& event) {
  const int id = event.controlId;
  if (id >= kFirstToggle && id < kFirstToggle + static_cast<int>(kListOrder.size())) {
    togglesPressed_ = true;
    SetApplyEnabled(true);
    return;
  }
  switch (id) {
    case kTree:
      if (event.kind == ControlEvent::Kind::Changed) OnTreeSelection();
      return;
    case kAccept:
      if (ApplyConfiguration()) Close();
      return;
    case kCancel:
      Close();
      return;
    case kApply:
      (void)ApplyConfiguration();
      return;
    case kHelp:
      app_.helpers().OpenHelp(help_context::Default);
      return;
    default:
      break;
  }
  for (PageSlot& slot : pages_) {
    if (slot.page && slot.page->Owns(id)) {
      if (slot.page->OnEvent(event, root)) Refresh();
      return;
    }
  }
}

bool CConfDlg::ApplyConfiguration() {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    CConfDialog* page = pages_[i].page.get();
    if (page == nullptr || !page->IsModified()) continue;
    if (!page->CanSave(root)) {
      SelectPage(i);  // the page shows where the fault is
      return false;
    }
  }
  // Every page writes into one batch, made durable by one write.
  StagedRegistry staged(app_.store().registry());
  ConfigStore store(staged, app_.store().folders(), app_.store().files());
  ApplyEffects effects;
  std::vector<CConfDialog*> saved;
  for (PageSlot& slot : pages_) {
    if (!slot.page || !slot.page->IsModified()) continue;
    slot.page->Save(store, root);
    effects |= slot.page->Effects();
    saved.push_back(slot.page.get());
  }
  for (std::size_t i = 0; i < kListOrder.size(); ++i) {
    const Control* toggle = root.find(kFirstToggle + static_cast<int>(i));
    store.SetEnabled(info(kListOrder[i]).key, toggle != nullptr && toggle->checked);
  }
  if (togglesPressed_) effects |= {true, true, true};

  if (staged.Commit() != RegStatus::Ok) {
    // Nothing was written: the edits stay, so that the user can try again.
    (void)app_.desktop().messageBoxes.show({"No se pudo guardar la configuración.", "Zelvor", MsgButtons::Ok,
                                            MsgIcon::Error, false});
    return false;
  }
  for (CConfDialog* page : saved) {
    page->Saved(root);
    page->ClearModified();
  }
  togglesPressed_ = false;
  if (Control* apply = root.find(kApply)) apply->enabled = false;
  Refresh();
  if (effects.refresh) {
    if (CPrincipalDlg* main = app_.mainWindow()) main->RefreshUtilities(effects.reloadShortcuts, effects.reloadMenus);
  }
  return true;
}

void CConfDlg::SaveEdits() {
  Rect where = geometry;
  if (handle() != kNoWindow) where = app_.dialogs().geometry(handle());
  app_.store().WriteConfigInt("", root_value::ConfigurarLeft, where.left);
  app_.store().WriteConfigInt("", root_value::ConfigurarTop, where.top);
}

}  // namespace zelvor
