#pragma once
// Where the connection file lives.

#include <string>
#include <string_view>

#include "net/diary/diary_message.h"
#include "shell/store/config_store.h"

namespace zelvor::diary {

inline constexpr std::string_view kDedoVuvKey = "DedoVuv";
inline constexpr std::string_view kCarpetaRegistro = "CarpetaRegistro";
inline constexpr std::string_view kDeshabilitarRegistro = "DeshabilitarRegistro";
inline constexpr std::string_view kConnectionFileName = "conexion.dat";

// The connection file: CarpetaRegistro + "conexion.dat" when that folder
// exists; the suite's own folder + "conexion.dat" when CarpetaRegistro is
// empty, or, after telling the user through show, when the folder is
// missing. The check (and the message) repeat on every call.
[[nodiscard]] std::string ConnectionFilePath(const ConfigStore& store, const ShowMessage& show);

// The message for a configured folder that does not exist.
[[nodiscard]] DiaryMessage MissingFolderMessage(std::string_view folder);

}  // namespace zelvor::diary
