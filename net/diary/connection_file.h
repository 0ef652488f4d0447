#pragma once
// The connection file: CItemDiario records one after another, oldest first.
// Its record count is its length / 152; a trailing partial record (a write
// cut short) is ignored, never read as a record.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net/diary/item_diario.h"
#include "platform/files.h"

namespace zelvor::diary {

// Called for each record with its record number (0-based position in the
// file); returning false stops the reading.
using RecordVisitor = std::function<bool(std::uint64_t number, const CItemDiario& record)>;

// Visits every whole record of bytes in order; returns how many it visited.
std::uint64_t ParseRecords(std::string_view bytes, const RecordVisitor& visit);

struct ReadResult {
  bool ok = true;
  std::string error;        // why the file could not be read
  std::uint64_t count = 0;  // whole records in the file when the reading began
  std::uint64_t read = 0;   // records visited
};

class ConnectionFile {
 public:
  ConnectionFile(Files& files, std::string path) : files_(files), path_(std::move(path)) {}

  [[nodiscard]] const std::string& path() const { return path_; }

  // The number of whole records, for a progress display; 0 when missing.
  [[nodiscard]] std::uint64_t RecordCount() const;

  // Opens the file for reading (creating it empty when it is missing) and
  // visits its records in order. Records appended while it reads are left
  // for the next reading.
  [[nodiscard]] ReadResult ReadRecords(const RecordVisitor& visit) const;

  // Appends one record; the file is created when missing, never truncated.
  [[nodiscard]] FileResult Append(const CItemDiario& record);

  // Rewrites the file without the records with these numbers (any order,
  // numbers past the end ignored). The file is replaced atomically, so a
  // failure leaves it as it was. A trailing partial record is dropped.
  [[nodiscard]] FileResult DeleteRecords(std::vector<std::uint64_t> numbers);

 private:
  [[nodiscard]] std::string CannotReadMessage() const { return "No se puede leer el archivo " + path_ + "."; }
  Files& files_;
  std::string path_;
};

}  // namespace zelvor::diary
