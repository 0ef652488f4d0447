#pragma once
// Ravi Varudide's pages of the configuration window: "Opciones" (the
// reminders), "Color del calendario" (the month grids' four colours with a
// preview) and "Formato de las notas" (font and colours of the note edits
// with a preview). Saving applies them to the living calendar at once.

#include <optional>
#include <string_view>

#include "calendar/calendar_surface.h"
#include "notes/note_record.h"
#include "shell/config/conf_dialog.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::calendar {

class CRaviVarudideDlg1 final : public CConfDialog {
 public:
  static constexpr std::string_view kTitle = "Opciones";
  enum : int {
    kNothing = 1,
    kShowCalendar = 2,
    kBlink = 3,
    kBlinkAndSound = 4,
    kSound = 5,
    kBrowse = 6,
    kSeconds = 7,
    kAnnounce = 8,
    kDays = 9,
  };
  CRaviVarudideDlg1(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

 private:
  void Enable(Control& root) const;
  CZelvorApp& app_;
};

class CRaviVarudideDlg2 final : public CConfDialog {
 public:
  static constexpr std::string_view kTitle = "Color del calendario";
  enum : int { kBackground = 1, kText = 2, kTitleBack = 3, kTitleText = 4, kPreview = 5 };
  CRaviVarudideDlg2(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;
  [[nodiscard]] const GridColours& colours() const { return colours_; }

 private:
  CZelvorApp& app_;
  GridColours colours_;
};

class CRaviVarudideDlg3 final : public CConfDialog {
 public:
  static constexpr std::string_view kTitle = "Formato de las notas";
  enum : int { kFont = 1, kBackground = 2, kPreview = 3 };
  CRaviVarudideDlg3(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;

 private:
  void ShowPreview(Control& root) const;
  CZelvorApp& app_;
  std::optional<notes::LogFont> font_;
  Colour text_ = 0;
};

}  // namespace zelvor::calendar
