#pragma once
// The record of the connection that is up: begun when it is established,
// written to the connection file when it ends.

#include <cstdint>
#include <optional>
#include <string_view>

#include "net/diary/diary_message.h"
#include "net/diary/item_diario.h"
#include "platform/clock.h"
#include "shell/store/config_store.h"

namespace zelvor::diary {

class DiaryRecorder {
 public:
  DiaryRecorder(ConfigStore& store, Clock& clock, ShowMessage show)
      : store_(store), clock_(clock), show_(std::move(show)) {}

  // Holds a new record starting now; a record already held is kept.
  void BeginRecord(std::string_view connection, std::string_view modem);

  // Ends the held record: unless DeshabilitarRegistro is 1 its duration is
  // set and it is appended to the connection file. The record is dropped
  // in any case; a file that cannot be written loses it, as documented.
  // Returns whether a record was written.
  bool EndRecord();

  // Drops the held record without writing it.
  void DiscardRecord() { held_.reset(); }

  [[nodiscard]] bool HasRecord() const { return held_.has_value(); }
  // The start of the held record (the tooltip's "Conectado: ..." time).
  [[nodiscard]] std::optional<std::int64_t> ConnectedSince() const;

 private:
  ConfigStore& store_;
  Clock& clock_;
  ShowMessage show_;
  std::optional<CItemDiario> held_;
};

}  // namespace zelvor::diary
