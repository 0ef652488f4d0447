#include "notes/new_note.h"

#include <algorithm>
#include <cmath>

#include "notes/fixed_text.h"

namespace zelvor::notes {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays{"domingo", "lunes",   "martes", "miércoles",
                                                    "jueves",  "viernes", "sábado"};
constexpr std::array<std::string_view, 12> kMonths{"enero",      "febrero", "marzo",     "abril",
                                                   "mayo",       "junio",   "julio",     "agosto",
                                                   "septiembre", "octubre", "noviembre", "diciembre"};

std::string twoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// Spans wider than this are beyond any title search; the cap only keeps a
// hostile live list from holding the UI thread.
constexpr int kMaxTitleSteps = 1'000'000;

}  // namespace

std::optional<ColourRange> ColourRangeOf(int colorAleatorio) {
  switch (colorAleatorio) {
    case 1: return ColourRange{5, 11};
    case 2: return ColourRange{0, 4};
    case 3: return ColourRange{0, 11};
    default: return std::nullopt;
  }
}

std::uint32_t RandomColour(ColourRange range, int millisecond) {
  if (millisecond < 0) millisecond = 0;
  if (millisecond > 999) millisecond = 999;
  const int index = range.lo + (range.hi - range.lo + 1) * millisecond / 1000;
  return kNoteColours.at(static_cast<std::size_t>(index));
}

NoteRect RandomPosition(const NoteRect& rect, const Rect& workArea, std::int64_t nowSeconds) {
  const std::int64_t w = static_cast<std::int64_t>(rect.right) - rect.left;
  const std::int64_t h = static_cast<std::int64_t>(rect.bottom) - rect.top;
  const std::int64_t right = workArea.right - w;
  const std::int64_t bottom = workArea.bottom - h;
  NotePlacementRandom random(static_cast<std::uint32_t>(nowSeconds));
  (void)random.next();
  const double rx = random.next() / static_cast<double>(kRandomMax);
  const double ry = random.next() / static_cast<double>(kRandomMax);
  const auto x = workArea.left + static_cast<std::int64_t>(std::floor(rx * static_cast<double>(right - workArea.left + 1)));
  const auto y = workArea.top + static_cast<std::int64_t>(std::floor(ry * static_cast<double>(bottom - workArea.top + 1)));
  const auto clamp32 = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::max<std::int64_t>(INT32_MIN, std::min<std::int64_t>(INT32_MAX, v)));
  };
  return {clamp32(x), clamp32(y), clamp32(x + w), clamp32(y + h)};
}

MacroValues DateAndSystemMacros(const LocalTime& now, std::string_view userName, std::string_view hostName) {
  MacroValues m;
  const auto weekday = static_cast<std::size_t>(now.weekday);
  const auto month = static_cast<std::size_t>(now.month - 1);
  if (weekday < kWeekdays.size() && month < kMonths.size()) {
    m["LONGDATE"] = std::string(kWeekdays[weekday]) + ", " + std::to_string(now.day) + " de " +
                    std::string(kMonths[month]) + " de " + std::to_string(now.year);
  }
  m["SHORTDATE"] = twoDigits(now.day) + "/" + twoDigits(now.month) + "/" + std::to_string(now.year);
  const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
  m["TIME12"] = twoDigits(hour12) + ":" + twoDigits(now.minute);
  m["TIME24"] = twoDigits(now.hour) + ":" + twoDigits(now.minute);
  if (!userName.empty()) m["USERNAME"] = std::string(userName);
  if (!hostName.empty()) m["HOSTNAME"] = std::string(hostName);
  return m;
}

std::optional<std::string> ExpandMacros(std::string_view text, const MacroValues& macros,
                                        const EnvironmentQuery& environment) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('%', i);
    if (open == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, open - i));
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) {
      out.append(text.substr(open));
      break;
    }
    const std::string_view name = text.substr(open + 1, close - open - 1);
    std::optional<std::string> value;
    if (!name.empty()) {
      if (const auto it = macros.find(name); it != macros.end()) {
        value = it->second;
      } else if (environment) {
        value = environment(name);
      }
    }
    if (value) {
      out += CutAtCharacter(*value, kMaxMacroValue);
      i = close + 1;
    } else {
      // As the desktop's own expansion does: the sign stays and the scan
      // resumes at the closing sign, which may open the next name.
      out.append(text.substr(open, close - open));
      i = close;
    }
    if (out.size() > kMaxExpansion) return std::nullopt;
  }
  if (out.size() > kMaxExpansion) return std::nullopt;
  return out;
}

std::string NewNoteTitle(std::string_view titleTemplate, MacroValues macros, const EnvironmentQuery& environment,
                         const std::function<bool(std::string_view)>& titleTaken) {
  const std::string_view pattern = titleTemplate.empty() ? kDefaultTitleTemplate : titleTemplate;
  const bool number = pattern.find("%SEQNUM%") != std::string_view::npos;
  const bool letters = pattern.find("%SEQALFAUPPER%") != std::string_view::npos ||
                       pattern.find("%SEQALFALOWER%") != std::string_view::npos;
  if (!number && !letters) {
    const auto expanded = ExpandMacros(pattern, macros, environment);
    return expanded ? CutTitle(*expanded) : std::string("Nota");
  }
  std::string previous;
  for (int step = 0; step < kMaxTitleSteps; ++step) {
    macros["SEQNUM"] = std::to_string(step + 1);
    macros["SEQALFAUPPER"] = std::string(1, static_cast<char>('A' + step % 26));
    macros["SEQALFALOWER"] = std::string(1, static_cast<char>('a' + step % 26));
    const auto expanded = ExpandMacros(pattern, macros, environment);
    if (!expanded) return "Nota";
    std::string candidate = CutTitle(*expanded);
    // Letters alone repeat after 26 steps; a number cut off repeats at once.
    const bool exhausted = (!number && step == 26) || (step > 0 && candidate == previous);
    if (exhausted || !titleTaken || !titleTaken(candidate)) return candidate;
    previous = std::move(candidate);
  }
  return previous;
}

NewNote MakeNewNote(const NewNoteSettings& settings, const NewNoteContext& context) {
  NewNote note;
  note.record = RecordForNewNote(settings.Defecto ? std::optional<std::string_view>(*settings.Defecto)
                                                  : std::nullopt);
  note.record.title.clear();
  if (const auto range = ColourRangeOf(settings.ColorAleatorio)) {
    note.record.background = RandomColour(*range, context.millisecond);
  }
  if (settings.PosicionAleatoria != 0) {
    note.record.rect = RandomPosition(note.record.rect, context.workArea, context.nowSeconds);
  }
  if (!settings.keyOpened) return note;
  const MacroValues macros = DateAndSystemMacros(context.localNow, context.userName, context.hostName);
  note.record.title = NewNoteTitle(settings.TituloPorDefecto, macros, context.environment, context.titleTaken);
  note.text = ExpandMacros(settings.TextoPorDefecto, macros, context.environment).value_or(std::string{});
  return note;
}

}  // namespace zelvor::notes
