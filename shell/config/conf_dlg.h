#pragma once
// "Configuración de Zelvor": eleven toggle buttons that show or hide the
// utilities, the tree of pages, and "Aceptar", "Cancelar", "Apli&car" and
// "Ayuda". Pages are made and loaded when first shown; "Apli&car" saves the
// modified ones in tree order, then the enable flags, as one store batch.

#include <memory>
#include <vector>

#include "shell/config/config_tree.h"
#include "shell/modeless_window.h"

namespace zelvor {

class CConfDlg final : public ModelessWindow {
 public:
  static constexpr const char* kClassName = "CConfDlg";
  static constexpr const char* kTitle = "Configuración de Zelvor";
  // The window's size; its stored position is clamped to keep it on screen.
  static constexpr int kWidth = 820;
  static constexpr int kHeight = 560;

  enum : int {
    kAccept = 1,
    kCancel = 2,
    kApply = 3,
    kHelp = 4,
    kFirstToggle = 10,  // ... + 10, one per utility in kListOrder
    kTree = 30,
    kPages = 31,
    kFirstPageId = 1000,
  };

  CConfDlg(CZelvorApp& app, ConfigTree tree);
  ~CConfDlg() override;

  void onEvent(const ControlEvent& event) override;

  // "Apli&car": saves, writes the enable flags, refreshes what changed.
  // False when a page refused its edits or the store could not be written:
  // nothing was saved and the edits stay.
  [[nodiscard]] bool ApplyConfiguration();
  // Shows the page at a position of the tree order (0 is the general options).
  void SelectPage(std::size_t index);

  [[nodiscard]] std::size_t PageCount() const { return pages_.size(); }
  [[nodiscard]] std::size_t SelectedPage() const { return selected_; }
  // The page at index, when it was shown already.
  [[nodiscard]] CConfDialog* Page(std::size_t index) { return pages_.at(index).page.get(); }
  [[nodiscard]] const std::string& PageTitle(std::size_t index) const { return pages_.at(index).title; }
  // The index of the page with this title under the node of utility (none: the root).
  [[nodiscard]] std::optional<std::size_t> FindPage(std::optional<UtilityKind> utility, std::string_view pageTitle) const;

 protected:
  void Build() override;
  void SaveEdits() override;

 private:
  struct PageSlot {
    std::string title;
    std::optional<UtilityKind> utility;
    PageMaker make;
    std::unique_ptr<CConfDialog> page;
    int column = -1;  // its column in the page holder, once shown
  };
  [[nodiscard]] Control BuildTree() const;
  void OnTreeSelection();
  void SetApplyEnabled(bool enabled);
  void Refresh();

  ConfigTree tree_;
  std::vector<PageSlot> pages_;  // tree order
  std::vector<std::vector<int>> pathOf_;  // the tree path of each page's node
  std::size_t selected_ = 0;
  bool togglesPressed_ = false;
};

}  // namespace zelvor
