#pragma once
// The conditions of the automatic shutdown's tabs 1 to 3, one tick a
// second: a span of time, a quiet processor, a quiet network. Each keeps a
// count of the seconds still to go; the window shows it and acts when a
// tick says the condition is met.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/net_counters.h"

namespace zelvor::shutdown {

// "%Dd %Hh %Mm %Ss": whole days, then hours, minutes and seconds with two digits.
[[nodiscard]] std::string SpanText(std::int64_t seconds);

inline constexpr int kMaxSpinValue = 32000;

// "Tiempo": met on the (T + 1)-th tick of a span of T seconds.
class TimeSpanCondition {
 public:
  int days = 0, hours = 0, minutes = 0, seconds = 0;

  void Start();
  void Stop() { counter_ = 0; }
  [[nodiscard]] bool Tick();
  [[nodiscard]] std::int64_t Remaining() const { return counter_; }

 private:
  std::int64_t counter_ = 0;
};

// "Uso de CPU": the usage stayed below the threshold for the whole span; a
// second at the threshold or above starts the span again.
class CpuQuietCondition {
 public:
  int threshold = 5;  // percent
  int minutes = 0, seconds = 30;

  void Start();
  void Stop() { counter_ = 0; }
  [[nodiscard]] bool Tick(int usage);
  [[nodiscard]] std::int64_t Remaining() const { return counter_; }
  [[nodiscard]] int LastUsage() const { return lastUsage_; }

 private:
  std::int64_t counter_ = 0;
  int lastUsage_ = 0;
};

// Received and sent totals over every interface but the loopback, in KB.
struct TrafficTotals {
  double receivedKb = 0;
  double sentKb = 0;
};
[[nodiscard]] std::optional<TrafficTotals> ReadTrafficTotals(NetCounters& counters);

// "Tráfico en la red": the rates, measured over three seconds, stayed
// below the chosen thresholds for the whole span. With neither box set the
// network never counts as quiet.
class TrafficQuietCondition {
 public:
  static constexpr int kMeasureSeconds = 3;

  bool downloadOn = true, uploadOn = true;
  int downloadKbs = 1, uploadKbs = 1;
  int minutes = 0, seconds = 30;

  void Start(const TrafficTotals& baseline);
  void Stop();
  // totals: read now; nullopt when the counters could not be read (the
  // condition does not move then).
  [[nodiscard]] bool Tick(const std::optional<TrafficTotals>& totals);
  // Whether this tick is one that measures (the window reads the counters only then).
  [[nodiscard]] bool MeasuresNext() const { return checks_ + 1 > kMeasureSeconds - 1; }
  [[nodiscard]] std::int64_t Remaining() const { return counter_; }
  [[nodiscard]] double DownloadRate() const { return downloadRate_; }
  [[nodiscard]] double UploadRate() const { return uploadRate_; }
  [[nodiscard]] bool Measured() const { return downloadRate_ >= 0 || uploadRate_ >= 0; }

 private:
  [[nodiscard]] bool Quiet() const;
  [[nodiscard]] std::int64_t Span() const { return static_cast<std::int64_t>(minutes) * 60 + seconds; }

  std::int64_t counter_ = 0;
  int checks_ = 0;
  TrafficTotals previous_;
  double downloadRate_ = -1, uploadRate_ = -1;
};

}  // namespace zelvor::shutdown
