// zelvorctl diary: the connection diary from the command line, for scripts,
// checks and importing history by hand.

#include <charconv>
#include <cstdio>
#include <string>

#include "app/ctl_command.h"
#include "net/diary/connection_file.h"
#include "net/diary/connection_location.h"
#include "net/diary/cost_engine.h"
#include "shell/store/config_store.h"

namespace zelvor::ctl {
namespace {

std::optional<std::int64_t> parseInt64(std::string_view text) {
  std::int64_t v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

// A whole number of exactly width digits at text[at].
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width) {
  int v = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    v = v * 10 + (text[i] - '0');
  }
  return v;
}

// START: seconds since 1970 UTC, or local time YYYY-MM-DDTHH:MM:SS.
std::optional<std::int64_t> parseStart(Clock& clock, std::string_view text, std::string& error) {
  if (const auto seconds = parseInt64(text)) return seconds;
  const auto y = digitsAt(text, 0, 4), mo = digitsAt(text, 5, 2), d = digitsAt(text, 8, 2);
  const auto h = digitsAt(text, 11, 2), mi = digitsAt(text, 14, 2), s = digitsAt(text, 17, 2);
  const bool shaped = text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
                      text[13] == ':' && text[16] == ':';
  if (!shaped || !y || !mo || !d || !h || !mi || !s || *mo < 1 || *mo > 12 || *d < 1 ||
      *d > daysInMonth(*y, *mo) || *h > 23 || *mi > 59 || *s > 59) {
    error = "START must be seconds since 1970 UTC or a local time YYYY-MM-DDTHH:MM:SS: " +
            std::string(text);
    return std::nullopt;
  }
  const auto instants = instantsOf(clock, *y, *mo, *d, *h, *mi, *s);
  if (instants.empty()) {
    error = std::string(text) + " does not exist in local time (the clocks skip it)";
    return std::nullopt;
  }
  // In the hour that repeats when the clocks go back, the first one.
  return instants.front();
}

// Tabs and line breaks in a name would break the one-line-per-record output.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

std::string localText(Clock& clock, std::int64_t instant) {
  const LocalTime t = diary::LocalTimeOf(clock, instant);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

std::string diaryPath(Context& c, ConfigStore& store) {
  return diary::ConnectionFilePath(store, [&c](const diary::DiaryMessage& m) {
    std::fprintf(c.err, "zelvorctl: %s\n", m.text.c_str());
  });
}

int cmdList(Context& c, std::span<const std::string> args) {
  if (args.size() > 1) return usage(c, kDiaryUsage);
  ConfigStore store(c.platform.registry, c.platform.folders, c.platform.files);
  diary::ConnectionFile file(c.platform.files, args.empty() ? diaryPath(c, store) : args[0]);
  const auto engine = diary::CostEngine::Load(store, c.platform.clock, c.platform.locale);
  const auto result = file.ReadRecords([&](std::uint64_t number, const diary::CItemDiario& r) {
    std::fprintf(c.out, "%llu\t%s\t%s\t%s\t%lld\t%s\n", static_cast<unsigned long long>(number),
                 oneLine(r.connection).c_str(), oneLine(r.modem).c_str(),
                 localText(c.platform.clock, r.start).c_str(), static_cast<long long>(r.duration),
                 engine.FormatCost(engine.Cost(r)).c_str());
    return true;
  });
  if (!result.ok) return fail(c, result.error);
  return kOk;
}

int cmdAdd(Context& c, std::span<const std::string> args) {
  if (args.size() < 4 || args.size() > 5) return usage(c, kDiaryUsage);
  std::string error;
  const auto start = parseStart(c.platform.clock, args[2], error);
  if (!start) return fail(c, error);
  const auto duration = parseInt64(args[3]);
  if (!duration) return fail(c, "DURATION must be a whole number of seconds: " + args[3]);
  diary::CItemDiario record{args[1], args[0], *start, *duration};
  for (const auto& [label, name] : {std::pair{"ENTRY", &record.connection},
                                    std::pair{"MODEM", &record.modem}}) {
    const std::string cut = diary::CutName(*name);
    if (cut != *name) {
      std::fprintf(c.err, "zelvorctl: note: %s is stored cut to %zu bytes: %s\n", label,
                   cut.size(), cut.c_str());
    }
    *name = cut;
  }
  ConfigStore store(c.platform.registry, c.platform.folders, c.platform.files);
  diary::ConnectionFile file(c.platform.files, args.size() == 5 ? args[4] : diaryPath(c, store));
  const FileResult appended = file.Append(record);
  if (!appended.ok) return fail(c, appended.error);
  return kOk;
}

}  // namespace

int runDiary(Context& c, std::span<const std::string> args) {
  if (args.empty()) return usage(c, kDiaryUsage);
  if (args[0] == "list") return cmdList(c, args.subspan(1));
  if (args[0] == "add") return cmdAdd(c, args.subspan(1));
  return usage(c, kDiaryUsage);
}

}  // namespace zelvor::ctl
