#include "net/diary/connection_file.h"

#include <algorithm>
#include <span>

namespace zelvor::diary {
namespace {

// Records read per file access: large enough that opening the file is
// rare, small enough to keep memory flat for any file size.
constexpr std::uint64_t kRecordsPerChunk = 4096;

CItemDiario decodeAt(std::string_view bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
  return DecodeRecord(std::span<const std::uint8_t, kRecordSize>(p, kRecordSize));
}

}  // namespace

std::uint64_t ParseRecords(std::string_view bytes, const RecordVisitor& visit) {
  const std::uint64_t whole = bytes.size() / kRecordSize;
  for (std::uint64_t i = 0; i < whole; ++i) {
    if (!visit(i, decodeAt(bytes, static_cast<std::size_t>(i * kRecordSize)))) return i + 1;
  }
  return whole;
}

std::uint64_t ConnectionFile::RecordCount() const {
  return files_.fileSize(path_).value_or(0) / kRecordSize;
}

ReadResult ConnectionFile::ReadRecords(const RecordVisitor& visit) const {
  ReadResult result;
  if (!files_.fileSize(path_)) {
    if (FileResult created = files_.appendToFile(path_, {}); !created.ok) {
      return {false, created.error, 0, 0};
    }
  }
  result.count = RecordCount();
  std::uint64_t number = 0;
  while (number < result.count) {
    const std::uint64_t want = std::min(kRecordsPerChunk, result.count - number);
    const auto chunk = files_.readRange(path_, number * kRecordSize, want * kRecordSize);
    if (!chunk) {
      result.ok = false;
      result.error = CannotReadMessage();
      return result;
    }
    bool goOn = true;
    const std::uint64_t whole = chunk->size() / kRecordSize;
    for (std::uint64_t i = 0; i < whole && goOn; ++i) {
      goOn = visit(number, decodeAt(*chunk, static_cast<std::size_t>(i * kRecordSize)));
      ++number;
      ++result.read;
    }
    // A short chunk means the file shrank while it was read.
    if (!goOn || whole < want) break;
  }
  return result;
}

FileResult ConnectionFile::Append(const CItemDiario& record) {
  const RecordBytes bytes = EncodeRecord(record);
  // After a write that was cut short the file ends in a partial record.
  // Appending right behind it would shift this record and every later one
  // off the 152-byte grid, so the partial one is first completed with
  // zeros (it stays in the file, where the diary window can delete it).
  const std::uint64_t partial = files_.fileSize(path_).value_or(0) % kRecordSize;
  std::string out(partial == 0 ? 0 : static_cast<std::size_t>(kRecordSize - partial), '\0');
  out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return files_.appendToFile(path_, out);
}

FileResult ConnectionFile::DeleteRecords(std::vector<std::uint64_t> numbers) {
  std::sort(numbers.begin(), numbers.end());
  const std::uint64_t count = RecordCount();
  std::string kept;
  std::size_t next = 0;  // index into numbers
  for (std::uint64_t first = 0; first < count; first += kRecordsPerChunk) {
    const std::uint64_t want = std::min(kRecordsPerChunk, count - first);
    const auto chunk = files_.readRange(path_, first * kRecordSize, want * kRecordSize);
    if (!chunk || chunk->size() < want * kRecordSize) {
      return FileResult::failure(CannotReadMessage());
    }
    for (std::uint64_t i = 0; i < want; ++i) {
      const std::uint64_t number = first + i;
      while (next < numbers.size() && numbers[next] < number) ++next;
      if (next < numbers.size() && numbers[next] == number) continue;
      kept.append(*chunk, static_cast<std::size_t>(i * kRecordSize), kRecordSize);
    }
  }
  return files_.replaceAtomically(path_, kept);
}

}  // namespace zelvor::diary
