#pragma once
// Prices of calls with the default tariffs and holidays, in Central European
// time. The unit tests price them in process; the zelvorctl test stores them
// with "diary add" and expects "diary list" to print the same prices.

#include <array>
#include <cstdint>
#include <string_view>

namespace zelvor::testing {

struct CostCase {
  std::string_view what;
  std::string_view start;  // local time, as "diary add" takes it
  std::int64_t duration;
  int tariff;                // index of the tariff that prices it
  std::string_view price;    // two decimals, '.' and no grouping
  std::string_view whole;    // with QuitarDecimales
};

// 2024-06-04 is a Tuesday, 2024-06-08 a Saturday, 2021-12-25 a Saturday.
inline constexpr std::array kCostCases{
    CostCase{"short call under Tiempo", "2024-06-04T10:00:00", 100, 0, "13.22", "13"},
    CostCase{"exactly Tiempo seconds", "2024-06-04T10:00:00", 160, 0, "13.22", "13"},
    CostCase{"one second past Tiempo", "2024-06-04T10:00:00", 161, 0, "17.86", "17"},
    CostCase{"normal tariff, 400 s", "2024-06-04T10:00:00", 400, 0, "31.78", "31"},
    CostCase{"evening tariff, 400 s", "2024-06-04T19:30:00", 400, 1, "20.82", "20"},
    CostCase{"17:59 to 18:01", "2024-06-04T17:59:00", 120, 0, "13.22", "13"},
    CostCase{"17:59 for 400 s, not split", "2024-06-04T17:59:00", 400, 0, "31.78", "31"},
    CostCase{"18:00 starts the evening", "2024-06-04T18:00:00", 400, 1, "20.82", "20"},
    CostCase{"07:59 is still night", "2024-06-04T07:59:00", 400, 1, "20.82", "20"},
    CostCase{"08:00 is day again", "2024-06-04T08:00:00", 400, 0, "31.78", "31"},
    CostCase{"crossing midnight", "2024-06-04T23:50:00", 1200, 1, "47.42", "47"},
    CostCase{"crossing midnight into 25 Dec", "2024-12-24T23:59:00", 3600, 1, "123.42", "123"},
    CostCase{"holiday 1 January", "2024-01-01T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 6 January", "2024-01-06T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 1 May", "2024-05-01T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 12 October", "2024-10-12T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 1 November", "2024-11-01T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 6 December", "2024-12-06T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 8 December", "2024-12-08T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"holiday 25 December", "2024-12-25T12:00:00", 400, 2, "20.82", "20"},
    CostCase{"Saturday", "2024-06-08T12:00:00", 400, 3, "20.82", "20"},
    CostCase{"Sunday", "2024-06-09T12:00:00", 400, 4, "20.82", "20"},
    CostCase{"Saturday 25 Dec at 07:00: first special", "2021-12-25T07:00:00", 400, 1, "20.82", "20"},
    CostCase{"ten hours on a working day", "2024-06-04T10:00:00", 36000, 0, "2787.94", "2787"},
};

}  // namespace zelvor::testing
