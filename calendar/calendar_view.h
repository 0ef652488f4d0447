#pragma once
// The Ravi Varudide window (class "CRaviVarudide"): menus and tool bar of
// the frame around the calendar view (CCalendarView): the month grids with
// their tab strip on the left; on the right the day sheet and the notes
// tabs "Este año" and "Cualquier año", whose edits hold the selected day's
// notes until the next commit writes them to the lists and the files.
//
// The frame keeps its placement and options as list windows do: Left,
// Top, Width, Height (absent: 700 × 300 centred), SiempreVisible and
// Transparencia.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar_files.h"
#include "calendar/calendar_store.h"
#include "calendar/calendar_surface.h"
#include "calendar/note_navigation.h"
#include "platform/window_model.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::calendar {

// Commands of the menus and the tool bar.
namespace cal_cmd {
inline constexpr int FirstNote = 201;
inline constexpr int PreviousNote = 202;
inline constexpr int NextNote = 203;
inline constexpr int LastNote = 204;
inline constexpr int Export = 205;
inline constexpr int Print = 206;
inline constexpr int DeleteNote = 207;
inline constexpr int DeleteAll = 208;
inline constexpr int Undo = 211;
inline constexpr int Cut = 212;
inline constexpr int Copy = 213;
inline constexpr int Paste = 214;
inline constexpr int Clear = 215;
inline constexpr int SelectAll = 216;
inline constexpr int TabsNone = 221;
inline constexpr int TabsMonths = 222;
inline constexpr int TabsYears = 223;
inline constexpr int OneMonth = 224;
inline constexpr int WholeYear = 225;
inline constexpr int WeekNumbers = 226;
inline constexpr int AlwaysOnTop = 231;
inline constexpr int FirstTransparency = 240;  // 0 % … 80 %: 240 … 244
}  // namespace cal_cmd

// Controls of the window.
namespace cal_ctl {
inline constexpr int ToolBar = 300;
inline constexpr int Surface = 301;
inline constexpr int DaySheet = 302;
inline constexpr int NoteTabs = 303;
inline constexpr int DatedEdit = 304;
inline constexpr int YearlyEdit = 305;
}  // namespace cal_ctl

inline constexpr int kRightColumnWidth = 200;
inline constexpr int kDaySheetHeight = 78;

class CCalendarView final : public WindowModel {
 public:
  CCalendarView(CZelvorApp& app, CalendarStore& store, CalendarFiles& files);
  ~CCalendarView() override;
  CCalendarView(const CCalendarView&) = delete;
  CCalendarView& operator=(const CCalendarView&) = delete;

  // Builds the model from the settings, selects today and creates the
  // window hidden.
  void Create();
  void Show();
  // Commits, writes the frame's settings and hides the window.
  void Close();
  [[nodiscard]] bool IsVisible() const;
  [[nodiscard]] WindowHandle handle() const { return handle_; }
  // Re-reads colours, font, tab mode and week numbers.
  void ApplySettings();

  // Selection: commits the edits first; a day outside 1971–2105 is moved
  // to the nearest limit.
  void Select(const Day& day);
  [[nodiscard]] const Day& Selected() const { return selected_; }
  // The edits into the lists (and the files).
  void Commit();
  // Removes the note of kind on date, clears its edit when date is the
  // selected day, writes both files.
  void Delete(std::int64_t date, NoteKind kind);
  // Asks first; false when the user said no.
  bool DeleteAll();
  void DeleteActiveNote();
  void Export();
  void Print();
  void Step(NoteStep step);
  void SetTabMode(TabMode mode);
  void ToggleWeekNumbers();
  enum class FrameSize { OneMonth, WholeYear };
  void SizeTo(FrameSize size);
  void SetTopmost(bool on);
  void SetTransparency(int percent);

  // What the window shows, for the status report and tests.
  [[nodiscard]] NoteKind ActiveKind() const { return activeKind_; }
  [[nodiscard]] std::string EditText(NoteKind kind);
  [[nodiscard]] bool HasNote(NoteKind kind) const { return hasNote_[index(kind)]; }
  [[nodiscard]] TabMode Tabs() const { return tabMode_; }
  [[nodiscard]] int CurrentTab() const { return currentTab_; }
  [[nodiscard]] const std::vector<std::string>& TabTitlesShown() const { return tabTitles_; }
  [[nodiscard]] bool WeekNumbersShown() const { return weekNumbers_; }
  [[nodiscard]] int FirstMonthShown() const { return firstMonth_; }
  [[nodiscard]] SurfaceLayout Layout() const;
  // The bold days of the grids the surface shows now.
  [[nodiscard]] std::vector<std::uint32_t> Marks() const;
  [[nodiscard]] const GridColours& Colours() const { return colours_; }
  [[nodiscard]] int Transparency() const { return transparency_; }
  // The size the surface was last given (the binding's, once painted).
  void SetSurfaceSize(Size size) { surfaceSize_ = size; }

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 private:
  [[nodiscard]] static std::size_t index(NoteKind kind) { return kind == NoteKind::Dated ? 0 : 1; }
  [[nodiscard]] static int editId(NoteKind kind) {
    return kind == NoteKind::Dated ? cal_ctl::DatedEdit : cal_ctl::YearlyEdit;
  }
  [[nodiscard]] Control& Edit(NoteKind kind);
  [[nodiscard]] std::int64_t SelectedValue() const;
  [[nodiscard]] Clock& clock() const;
  void ReadSettings();
  void SaveSettings();
  void WriteDword(std::string_view name, std::uint32_t value);
  void BuildModel();
  void RebuildMenus();
  void LoadTexts();
  void WriteFile(NoteKind kind);
  void FollowSelection();
  void Refresh();
  void OnCommand(int id);
  void OnSurfaceClick(Point p);
  void OnTab(int tab);
  void EditCommand(int id);
  void PaintDaySheet(Canvas& canvas, Size size) const;
  [[nodiscard]] std::optional<TextFont> NoteFont() const;

  CZelvorApp& app_;
  CalendarStore& store_;
  CalendarFiles& files_;
  WindowHandle handle_ = kNoWindow;
  Day selected_;
  int firstMonth_ = 0;
  NoteKind activeKind_ = NoteKind::Dated;
  std::array<bool, 2> modified_{};
  std::array<bool, 2> hasNote_{};
  TabMode tabMode_ = TabMode::None;
  std::vector<std::string> tabTitles_;
  int firstTabYear_ = 0;
  int currentTab_ = -1;
  bool weekNumbers_ = false;
  GridColours colours_;
  Colour notesBack_ = 0xFFFFFF;
  Colour notesText_ = 0;
  std::optional<TextFont> font_;
  int transparency_ = 0;
  bool deleteEnabled_ = false;
  Size surfaceSize_{500, 240};
};

}  // namespace zelvor::calendar
