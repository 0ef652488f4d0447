#pragma once
// The two calendar files of the data folder: calendar1.dat holds the notes
// of one date, calendar2.dat those of every year. Each is replaced
// atomically (written beside it, flushed, renamed over it), so a crash in
// the middle of a save leaves the last save or this one, never a torn file.

#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_file.h"
#include "calendar/calendar_store.h"
#include "platform/file_result.h"
#include "platform/files.h"

namespace zelvor::calendar {

inline constexpr std::string_view kDatedFile = "calendar1.dat";
inline constexpr std::string_view kYearlyFile = "calendar2.dat";

class CalendarFiles {
 public:
  // dataFolder ends with the path separator.
  CalendarFiles(Files& files, const std::string& dataFolder)
      : files_(files),
        datedPath_(dataFolder + std::string(kDatedFile)),
        yearlyPath_(dataFolder + std::string(kYearlyFile)) {}

  [[nodiscard]] const std::string& path(NoteKind kind) const {
    return kind == NoteKind::Dated ? datedPath_ : yearlyPath_;
  }
  // The whole entries of a file; a missing, unreadable or truncated file
  // gives the entries it holds, and nothing is reported.
  [[nodiscard]] std::vector<CalendarEntry> Load(NoteKind kind) const;
  // Both lists into the store.
  void LoadInto(CalendarStore& store) const;
  [[nodiscard]] FileResult Write(NoteKind kind, const CalendarStore& store);

 private:
  Files& files_;
  std::string datedPath_;
  std::string yearlyPath_;
};

}  // namespace zelvor::calendar
