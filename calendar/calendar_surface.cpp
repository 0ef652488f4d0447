#include "calendar/calendar_surface.h"

#include <algorithm>
#include <array>

namespace zelvor::calendar {
namespace {

constexpr std::array<const char*, 12> kMonthTabs = {"ene", "feb", "mar", "abr", "may", "jun",
                                                    "jul", "ago", "sep", "oct", "nov", "dic"};
constexpr std::array<const char*, 7> kWeekdayLetters = {"L", "M", "X", "J", "V", "S", "D"};
constexpr int kArrowWidth = 22;
constexpr int kMaxMonths = 12;
constexpr Colour kTodayFrame = 0x0000FF;
constexpr Colour kTabFace = 0xE0E0E0;
constexpr Colour kTabCurrent = 0xFFFFFF;
constexpr Colour kTabEdge = 0x808080;

int daysTop(const Rect& month) { return month.top + kTitleHeight + kWeekdayHeight + 2; }
int daysLeft(const Rect& month, bool weekNumbers) {
  return month.left + kGridPadding + (weekNumbers ? kWeekColumnWidth : 0);
}

Rect dayCell(const Rect& month, bool weekNumbers, int year, int m, int day) {
  const int offset = WeekdayMondayFirst(year, m, 1);
  const int slot = offset + day - 1;
  const int x = daysLeft(month, weekNumbers) + (slot % 7) * kCellWidth;
  const int y = daysTop(month) + (slot / 7) * kCellHeight;
  return {x, y, x + kCellWidth, y + kCellHeight};
}

TextFont plainFont() { return {}; }
TextFont boldFont() {
  TextFont f;
  f.bold = true;
  return f;
}

}  // namespace

Size MinMonthSize(bool weekNumbers) {
  return {2 * kGridPadding + (weekNumbers ? kWeekColumnWidth : 0) + 7 * kCellWidth,
          kTitleHeight + kWeekdayHeight + 2 + 6 * kCellHeight + kGridPadding};
}

int TabWidth(TabMode mode) { return mode == TabMode::Years ? 46 : 38; }

Rect SurfaceLayout::monthRect(int index) const {
  const int col = index % std::max(across, 1);
  const int row = index / std::max(across, 1);
  const int x = months.left + col * month.width;
  const int y = months.top + row * month.height;
  return {x, y, x + month.width, y + month.height};
}

SurfaceLayout LayoutSurface(Size size, int tabCount, TabMode mode, bool weekNumbers) {
  SurfaceLayout l;
  l.weekNumbers = weekNumbers;
  l.month = MinMonthSize(weekNumbers);
  int top = 0;
  if (tabCount > 0 && mode != TabMode::None) {
    const int w = TabWidth(mode);
    const int perRow = std::max(1, size.width / w);
    for (int i = 0; i < tabCount; ++i) {
      const int x = (i % perRow) * w;
      const int y = (i / perRow) * kTabHeight;
      l.tabs.push_back({x, y, x + w, y + kTabHeight});
    }
    top = ((tabCount + perRow - 1) / perRow) * kTabHeight + 4;
  }
  const Rect area{0, top, size.width, std::max(size.height, top)};
  l.across = std::clamp(area.width() / l.month.width, 1, kMaxMonths);
  l.down = std::clamp(area.height() / l.month.height, 1, kMaxMonths);
  if (l.across * l.down > kMaxMonths) l.down = std::max(1, kMaxMonths / l.across);
  // The grids sit in the middle of the space they were given.
  const int spareX = std::max(0, area.width() - l.across * l.month.width) / 2;
  const int spareY = std::max(0, area.height() - l.down * l.month.height) / 2;
  l.months = {area.left + spareX, area.top + spareY, area.left + spareX + l.across * l.month.width,
              area.top + spareY + l.down * l.month.height};
  return l;
}

int WeekdayMondayFirst(int year, int month, int day) {
  const std::int64_t days = daysFromCivil(year, month, day);
  // 1970-01-01 was a Thursday: index 3 counting from Monday.
  return static_cast<int>(((days % 7) + 7 + 3) % 7);
}

int IsoWeek(int year, int month, int day) {
  const std::int64_t days = daysFromCivil(year, month, day);
  const int weekday = WeekdayMondayFirst(year, month, day);
  // The week belongs to the year of its Thursday.
  const std::int64_t thursday = days - weekday + 3;
  const LocalTime t = civilFromSeconds(thursday * 86400);
  const std::int64_t firstOfYear = daysFromCivil(t.year, 1, 1);
  return static_cast<int>((thursday - firstOfYear) / 7) + 1;
}

SurfaceHit HitTest(const SurfaceLayout& layout, int firstMonth, Point p) {
  SurfaceHit hit;
  for (std::size_t i = 0; i < layout.tabs.size(); ++i) {
    if (layout.tabs[i].contains(p)) {
      hit.kind = SurfaceHit::Kind::Tab;
      hit.tab = static_cast<int>(i);
      return hit;
    }
  }
  for (int i = 0; i < layout.count(); ++i) {
    const Rect r = layout.monthRect(i);
    if (!r.contains(p)) continue;
    if (p.y < r.top + kTitleHeight) {
      if (i == 0 && p.x < r.left + kArrowWidth) hit.kind = SurfaceHit::Kind::Previous;
      if (i == layout.across - 1 && p.x >= r.right - kArrowWidth) hit.kind = SurfaceHit::Kind::Next;
      return hit;
    }
    const int index = firstMonth + i;
    const int year = index / 12;
    const int month = index % 12 + 1;
    for (int d = 1; d <= daysInMonth(year, month); ++d) {
      if (dayCell(r, layout.weekNumbers, year, month, d).contains(p)) {
        hit.kind = SurfaceHit::Kind::Day;
        hit.day = {year, month, d};
        return hit;
      }
    }
    return hit;
  }
  return hit;
}

void PaintSurface(Canvas& canvas, const SurfaceLayout& layout, const SurfaceState& s) {
  const GridColours& c = s.colours;
  // The tab strip.
  for (std::size_t i = 0; i < layout.tabs.size() && i < s.tabTitles.size(); ++i) {
    const Rect& r = layout.tabs[i];
    const bool current = static_cast<int>(i) == s.currentTab;
    canvas.fillRect(r, current ? kTabCurrent : kTabFace);
    canvas.frameRect(r, kTabEdge);
    canvas.text(r, s.tabTitles[i], 0, current ? boldFont() : plainFont(), TextAlign::Centre, false);
  }
  for (int i = 0; i < layout.count(); ++i) {
    const Rect r = layout.monthRect(i);
    const int index = s.firstMonth + i;
    const int year = index / 12;
    const int month = index % 12 + 1;
    canvas.fillRect(r, c.background);
    const Rect title{r.left + 2, r.top + 2, r.right - 2, r.top + kTitleHeight};
    canvas.fillRect(title, c.titleBack);
    canvas.text(title, std::string(MonthName(month)) + " " + std::to_string(year), c.titleText, boldFont(),
                TextAlign::Centre, false);
    if (i == 0) canvas.text({title.left, title.top, title.left + kArrowWidth, title.bottom}, "<", c.titleText,
                            boldFont(), TextAlign::Centre, false);
    if (i == layout.across - 1) {
      canvas.text({title.right - kArrowWidth, title.top, title.right, title.bottom}, ">", c.titleText, boldFont(),
                  TextAlign::Centre, false);
    }
    const int left = daysLeft(r, layout.weekNumbers);
    for (int w = 0; w < 7; ++w) {
      const Rect h{left + w * kCellWidth, r.top + kTitleHeight + 1, left + (w + 1) * kCellWidth,
                   r.top + kTitleHeight + kWeekdayHeight};
      canvas.text(h, kWeekdayLetters[static_cast<std::size_t>(w)], c.titleBack, plainFont(), TextAlign::Centre,
                  false);
    }
    canvas.line({left, daysTop(r) - 1}, {left + 7 * kCellWidth, daysTop(r) - 1}, c.text);
    const std::uint32_t mask = static_cast<std::size_t>(i) < s.marks.size() ? s.marks[static_cast<std::size_t>(i)] : 0;
    const int days = daysInMonth(year, month);
    for (int d = 1; d <= days; ++d) {
      const Rect cell = dayCell(r, layout.weekNumbers, year, month, d);
      const Day day{year, month, d};
      const bool selected = day == s.selected;
      if (selected) canvas.fillRect(cell, c.titleBack);
      if (day == s.today) canvas.frameRect(cell, kTodayFrame);
      const bool bold = (mask >> (d - 1) & 1u) != 0;
      canvas.text(cell, std::to_string(d), selected ? c.titleText : c.text, bold ? boldFont() : plainFont(),
                  TextAlign::Centre, false);
      if (layout.weekNumbers && (WeekdayMondayFirst(year, month, d) == 0 || d == 1)) {
        const Rect wk{r.left + kGridPadding, cell.top, r.left + kGridPadding + kWeekColumnWidth - 4, cell.bottom};
        canvas.text(wk, std::to_string(IsoWeek(year, month, d)), c.titleBack, plainFont(), TextAlign::Right, false);
      }
    }
  }
}

std::vector<std::string> TabTitles(TabMode mode, int currentYear) {
  std::vector<std::string> out;
  if (mode == TabMode::Months) {
    for (const char* m : kMonthTabs) out.emplace_back(m);
  } else if (mode == TabMode::Years) {
    for (int y = currentYear - 3; y <= currentYear + 10; ++y) out.push_back(std::to_string(y));
  }
  return out;
}

}  // namespace zelvor::calendar
