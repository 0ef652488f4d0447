#pragma once
// Rezi Zovidaraz: the clipboard history. While watching, every change of
// the clipboard made by another program (or by a predefined text) becomes
// an entry at the end of the list, the oldest going first beyond
// MaximoPortapapeles. Entries are put back, pasted into the window below,
// combined and deleted; with SalvarPortapapeles they survive in the clip
// files.

#include <memory>
#include <string>
#include <vector>

#include "clipboard/clip_entry.h"
#include "clipboard/rezi_window.h"
#include "platform/event_loop.h"
#include "shell/utility.h"

namespace zelvor {

class CZelvorApp;
class Clipboard;

// Command codes of Rezi Zovidaraz.
namespace rezi_code {
inline constexpr int Menu = 0;
inline constexpr int ShowWindow = 1;
inline constexpr int DeleteAll = 2;
inline constexpr int ToggleWatch = 3;
inline constexpr int FirstText = 10;    // 9 + k, k = 1 … 40
inline constexpr int FirstSelect = 50;  // 50 + i
inline constexpr int FirstPaste = 100;  // 100 + i
}  // namespace rezi_code

class CReziZovidaraz final : public Utility, public MessageTarget {
 public:
  explicit CReziZovidaraz(CZelvorApp& app);
  ~CReziZovidaraz() override;
  CReziZovidaraz(const CReziZovidaraz&) = delete;
  CReziZovidaraz& operator=(const CReziZovidaraz&) = delete;

  // Utility.
  void createWindow() override;
  void start() override;
  void command(int code, std::string_view text) override;
  void save() override;
  [[nodiscard]] bool queryEndSession() override;
  // What its menu shows: whether watching is off, and the history's rows.
  [[nodiscard]] bool watchOff() const { return !active_; }
  [[nodiscard]] std::vector<ClipRow> clipRows() const;
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  // MessageTarget: clipboard changes and the row menu's commands.
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int) override {}

  // The history rules.
  void Activate();
  void Deactivate();
  [[nodiscard]] bool active() const { return active_; }
  void AddEntry(clip::ClipEntry entry);
  // Puts row back on the clipboard; its change is not recorded.
  bool PutBack(std::size_t row);
  void PasteIntoActiveWindow(std::size_t row);
  void Combine(const std::vector<int>& rows);
  void DeleteRows(std::vector<int> rows);
  void DeleteAll();
  void PutPredefinedText(int k);
  // The row menu ("Copiar", "Cortar", "Pegar", "Combinar", "Eliminar") at the
  // pointer, when a row is selected.
  void OpenRowMenu();
  [[nodiscard]] const std::vector<clip::ClipEntry>& entries() const { return entries_; }
  [[nodiscard]] CReziZovidarazWnd& window() { return *window_; }
  [[nodiscard]] WindowHandle handle() const { return handle_; }

 private:
  void OnClipboardChange();
  void OnWindowCommand(int id);
  // Entries beyond MaximoPortapapeles (0: no limit).
  [[nodiscard]] std::size_t Excess() const;
  void ShowState();
  void UpdateRows();
  void UpdateStatusSelection();
  [[nodiscard]] clip::RowFacts Facts(const clip::ClipEntry& entry) const;
  [[nodiscard]] int Setting(std::string_view name) const;
  void LoadClips();

  CZelvorApp& app_;
  Clipboard& clipboard_;
  WindowHandle handle_ = kNoWindow;
  std::unique_ptr<CReziZovidarazWnd> window_;
  std::vector<clip::ClipEntry> entries_;
  bool active_ = false;
  bool loaded_ = false;
};

}  // namespace zelvor
