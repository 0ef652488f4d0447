// The connection-file reader over arbitrary bytes: every whole record is
// read, names stay within their fields, a record written back reads the
// same, and pricing whatever was read neither overflows nor crashes.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/default_max_len.h"
#include "net/diary/connection_file.h"
#include "net/diary/cost_engine.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_locale.h"

namespace {

using namespace zelvor;
using namespace zelvor::diary;

TariffSettings defaultTariffs() {
  const CItemTarifa normal{-1, true, 0, 0, 0, 0, 160, 4.64, 13.22};
  const CItemTarifa evening{-1, false, 18, 8, 0, 0, 160, 1.90, 13.22};
  const CItemTarifa holiday{0, true, 18, 8, 0, 0, 160, 1.90, 13.22};
  return {{normal, evening, holiday}, false};
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// Several hundred records, not the two dozen of libFuzzer's own guess.
constexpr std::size_t kMaxInput = 512 * kRecordSize;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SimClock clock(0, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  static SimLocale locale;
  static const CostEngine engine(clock, locale, defaultTariffs(), {{25, 12}, {1, 1}});

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::uint64_t expected = 0;
  const std::uint64_t visited = ParseRecords(bytes, [&](std::uint64_t number, const CItemDiario& r) {
    check(number == expected++);
    check(r.modem.size() <= kMaxNameBytes && r.connection.size() <= kMaxNameBytes);
    check(r.modem.find('\0') == std::string::npos && r.connection.find('\0') == std::string::npos);
    const RecordBytes again = EncodeRecord(r);
    check(DecodeRecord(again) == r);
    check(engine.ChooseTariff(r.start) >= 0);
    (void)engine.FormatCost(engine.Cost(r));
    return true;
  });
  check(visited == size / kRecordSize);
  return 0;
}
