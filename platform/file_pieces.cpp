#include "platform/file_pieces.h"

namespace zelvor {

PiecesRead ReadInPieces(Files& files, const std::string& path,
                        const std::function<void(std::string_view)>& feed, std::uint64_t pieceBytes) {
  if (!files.exists(path)) return PiecesRead::Missing;
  const auto size = files.fileSize(path);
  if (!size) return PiecesRead::Unreadable;
  std::uint64_t offset = 0;
  while (offset < *size) {
    const auto piece = files.readRange(path, offset, pieceBytes);
    if (!piece) return PiecesRead::Unreadable;
    if (piece->empty()) break;  // the file shrank while it was read
    feed(*piece);
    offset += piece->size();
  }
  return PiecesRead::Read;
}

}  // namespace zelvor
