#pragma once
// The surface of the calendar window's left-hand side: an optional tab
// strip of months or years and below it as many month grids as the space
// holds (one at the smallest size, 4 × 3 for a whole year). It is drawn on
// a canvas rather than handed to a toolkit's month widget because a
// toolkit widget shows one month only, while the window shows up to a year
// with bold days, week numbers and four colours of its own; drawing it
// here also keeps every click testable on the simulated binding.
//
// Weeks start on Monday, as the suite's Spanish calendar does; week
// numbers are the ISO 8601 ones.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/calendar_date.h"
#include "platform/ui_types.h"
#include "platform/window_model.h"

namespace zelvor::calendar {

// The colours of the month grids, as stored (COLORREF).
struct GridColours {
  Colour background = 0xC0C0C0;  // ColorFondo
  Colour text = 0x000000;        // ColorTexto
  Colour titleBack = 0x800000;   // ColorFondoTitulo
  Colour titleText = 0xFFFFFF;   // ColorTextoTitulo
};

enum class TabMode { None = 0, Months = 1, Years = 2 };

// Sizes of one month grid.
inline constexpr int kCellWidth = 26;
inline constexpr int kCellHeight = 18;
inline constexpr int kTitleHeight = 22;
inline constexpr int kWeekdayHeight = 18;
inline constexpr int kWeekColumnWidth = 24;
inline constexpr int kGridPadding = 6;
inline constexpr int kTabHeight = 22;

// The smallest rectangle one month needs.
[[nodiscard]] Size MinMonthSize(bool weekNumbers);
[[nodiscard]] int TabWidth(TabMode mode);

struct SurfaceLayout {
  std::vector<Rect> tabs;  // one per tab, in order
  Rect months;             // where the month grids go
  int across = 1, down = 1;
  Size month;              // one month's size
  bool weekNumbers = false;
  [[nodiscard]] int count() const { return across * down; }
  [[nodiscard]] Rect monthRect(int index) const;
};
[[nodiscard]] SurfaceLayout LayoutSurface(Size size, int tabCount, TabMode mode, bool weekNumbers);

// A month as year and month, counted as year * 12 + month - 1.
[[nodiscard]] inline int MonthIndex(int year, int month) { return year * 12 + month - 1; }

// What a point of the surface is.
struct SurfaceHit {
  enum class Kind { None, Tab, Day, Previous, Next };
  Kind kind = Kind::None;
  int tab = -1;
  Day day;
};
[[nodiscard]] SurfaceHit HitTest(const SurfaceLayout& layout, int firstMonth, Point p);

// Row and column of a day inside its month grid (weeks from Monday).
[[nodiscard]] int WeekdayMondayFirst(int year, int month, int day);
[[nodiscard]] int IsoWeek(int year, int month, int day);

struct SurfaceState {
  std::vector<std::string> tabTitles;
  int currentTab = -1;
  TabMode mode = TabMode::None;
  int firstMonth = 0;  // MonthIndex of the first grid
  Day selected;
  Day today;
  bool weekNumbers = false;
  GridColours colours;
  std::vector<std::uint32_t> marks;  // one per grid: bit d - 1 = day d bold
};
void PaintSurface(Canvas& canvas, const SurfaceLayout& layout, const SurfaceState& state);

// The tabs' titles: the months "ene" … "dic", or the 14 years from
// currentYear - 3 on.
[[nodiscard]] std::vector<std::string> TabTitles(TabMode mode, int currentYear);

}  // namespace zelvor::calendar
