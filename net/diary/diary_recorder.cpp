#include "net/diary/diary_recorder.h"

#include "net/diary/connection_file.h"
#include "net/diary/connection_location.h"

namespace zelvor::diary {

void DiaryRecorder::BeginRecord(std::string_view connection, std::string_view modem) {
  if (held_) return;
  CItemDiario r;
  r.connection = CutName(connection);
  r.modem = CutName(modem);
  r.start = clock_.now();
  held_ = std::move(r);
}

bool DiaryRecorder::EndRecord() {
  if (!held_) return false;
  CItemDiario record = std::move(*held_);
  held_.reset();
  if (store_.ReadConfigInt(kDedoVuvKey, kDeshabilitarRegistro) == 1) return false;
  record.duration = clock_.now() - record.start;
  ConnectionFile file(store_.files(), ConnectionFilePath(store_, show_));
  return file.Append(record).ok;
}

std::optional<std::int64_t> DiaryRecorder::ConnectedSince() const {
  if (!held_) return std::nullopt;
  return held_->start;
}

}  // namespace zelvor::diary
