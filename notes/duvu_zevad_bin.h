#pragma once
// The recycle-bin window "Papelera de notas": the deleted notes with their
// deletion time and days in the bin, the count and the selected note's text
// in the status bar, and "Restaurar", "Restaurar todo", "Vaciar papelera".
// It exists, hidden, for the utility's whole life; closing only hides it.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "notes/recycle_bin.h"
#include "platform/window_model.h"

namespace zelvor::notes {

namespace bin_control {
inline constexpr int List = 1;
inline constexpr int Status = 2;
inline constexpr int Restore = 3;
inline constexpr int RestoreAll = 4;
inline constexpr int Empty = 5;
}  // namespace bin_control

inline constexpr int kBinListWidth = 420;

// What the window's buttons and close box ask of the utility.
class BinActions {
 public:
  virtual ~BinActions() = default;
  virtual void RestoreSelected(std::vector<std::size_t> rows) = 0;
  virtual void RestoreAllNotes() = 0;
  virtual void EmptyBin() = 0;
  virtual void CloseBin() = 0;
  // The window's model changed (the status bar): show it again.
  virtual void BinShown() = 0;
};

class CNotesBinWindow final : public WindowModel {
 public:
  explicit CNotesBinWindow(BinActions& actions);

  // Shows the rows of the bin with their texts at this moment.
  void Refresh(const RecycleBin& bin, Clock& clock, std::int64_t now);
  [[nodiscard]] std::vector<std::size_t> SelectedRows() const;

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 private:
  BinActions& actions_;
  std::vector<std::string> texts_;  // each row's note text, for the status bar
};

}  // namespace zelvor::notes
