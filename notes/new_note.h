#pragma once
// How a new note gets its appearance, place, title and text: the record of
// Defecto or the built-in one, a colour drawn from the colour table, a
// place drawn inside the work area, and the title and text templates with
// their macros.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "notes/note_record.h"
#include "platform/clock.h"
#include "platform/ui_types.h"

namespace zelvor::notes {

// The twelve colours of the colour menu and of random colours, in menu
// order: five dark ones (0-4), then seven light ones (5-11).
inline constexpr std::array<std::uint32_t, 12> kNoteColours{
    0x8080FF, 0x80FFFF, 0x80FF80, 0xFF8080, 0xFF80FF,                       // dark
    0xC0C0FF, 0xC0FFFF, 0xC0FFC0, 0xFFC0C0, 0xFFC0FF, 0xC0C0C0, 0xFFFFFF};  // light

struct ColourRange {
  int lo = 0;
  int hi = 0;
  friend bool operator==(const ColourRange&, const ColourRange&) = default;
};
// ColorAleatorio: 1 light (5-11), 2 dark (0-4), 3 all (0-11); nullopt for
// 0 and for any other value.
[[nodiscard]] std::optional<ColourRange> ColourRangeOf(int colorAleatorio);
// table[lo + (hi - lo + 1) * ms / 1000], ms the millisecond (0-999).
[[nodiscard]] std::uint32_t RandomColour(ColourRange range, int millisecond);

// The linear congruential generator whose seeding and draws the placement
// of new notes follows: seeded with the time in seconds, one draw thrown
// away, then x and y. Each note makes its own, so nothing is shared with
// other code that draws numbers.
class NotePlacementRandom {
 public:
  explicit NotePlacementRandom(std::uint32_t seed) : state_(seed) {}
  // 0 .. 32767.
  [[nodiscard]] int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

 private:
  std::uint32_t state_;
};
inline constexpr int kRandomMax = 32767;

// The rectangle moved to a random place of the work area (its size kept):
// the area's right and bottom edges are pulled in by the note's width and
// height, then x = left + floor(r / 32767 * (right - left + 1)), likewise y.
[[nodiscard]] NoteRect RandomPosition(const NoteRect& rect, const Rect& workArea, std::int64_t nowSeconds);

// Macro values by name (without the percent signs).
using MacroValues = std::map<std::string, std::string, std::less<>>;
// Looks up a variable of the process environment; nullopt when unset.
using EnvironmentQuery = std::function<std::optional<std::string>(std::string_view)>;

// The six date and system macros at a local time: LONGDATE ("jueves, 10 de
// diciembre de 2026"), SHORTDATE ("10/12/2026"), TIME12 ("hh:mm", 12-hour),
// TIME24 ("HH:mm"), USERNAME and HOSTNAME (left out when empty).
[[nodiscard]] MacroValues DateAndSystemMacros(const LocalTime& now, std::string_view userName,
                                              std::string_view hostName);

inline constexpr std::size_t kMaxExpansion = 4096;
inline constexpr std::size_t kMaxMacroValue = 255;
// Replaces every %NAME% found in macros, else in the environment; a name
// found in neither stays as written, percent signs included, and the scan
// goes on at its closing sign. Values are cut to 255 bytes at a character
// boundary. nullopt: the result would pass 4096 bytes (the expansion fails).
[[nodiscard]] std::optional<std::string> ExpandMacros(std::string_view text, const MacroValues& macros,
                                       const EnvironmentQuery& environment);

inline constexpr std::string_view kDefaultTitleTemplate = "Nota %SEQNUM%";

// The title of a new note: the template (empty: "Nota %SEQNUM%") expanded;
// with a sequence macro in it, the first candidate that no live note holds
// (titleTaken). Numbers count on while candidates are taken; a template
// whose only sequence macros are letters has 26 candidates, and when all of
// them are taken the title of the 27th step (the letters wrapped round to
// A / a) is used, a duplicate. The same happens as soon as a step gives the
// candidate of the step before (a number cut off by the 59-byte limit).
// A failed expansion gives "Nota". The result is cut to 59 bytes.
[[nodiscard]] std::string NewNoteTitle(std::string_view titleTemplate, MacroValues macros,
                                       const EnvironmentQuery& environment,
                                       const std::function<bool(std::string_view)>& titleTaken);

// What the Duvu Zevad key holds for new notes.
struct NewNoteSettings {
  bool keyOpened = true;  // false: titles and texts stay empty
  int ColorAleatorio = 0;
  int PosicionAleatoria = 0;
  std::string TituloPorDefecto;
  std::string TextoPorDefecto;
  std::optional<std::string> Defecto;  // the bytes when the value is there
};

struct NewNoteContext {
  std::int64_t nowSeconds = 0;
  int millisecond = 0;  // 0..999
  LocalTime localNow;
  Rect workArea;
  std::string userName;
  std::string hostName;
  EnvironmentQuery environment;
  std::function<bool(std::string_view)> titleTaken;
};

struct NewNote {
  NoteRecord record;
  std::string text;
};
// Record (Defecto when exactly 472 bytes, else the built-in one), random
// colour, random position, title and text, in that order.
[[nodiscard]] NewNote MakeNewNote(const NewNoteSettings& settings, const NewNoteContext& context);

}  // namespace zelvor::notes
