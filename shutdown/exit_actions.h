#pragma once
// The exit actions by code: the same numbers serve as menu commands,
// hotkey commands and automatic-shutdown choices.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/power.h"

namespace zelvor::shutdown {

inline constexpr int kOpenMenu = 0;
inline constexpr int kFirstSystemAction = 1;  // 1 … 7 end or pause the session
inline constexpr int kLastSystemAction = 7;
inline constexpr int kMsDosRestart = 7;
inline constexpr int kAutomaticShutdown = 8;
inline constexpr int kToggleBlock = 9;
inline constexpr int kRemoteShutdown = 10;
inline constexpr int kRemoteRestart = 11;

// What codes 1 … 7 are made of.
struct SystemAction {
  int code;
  std::string_view suffix;    // of the Confirmar… and BorrarTEMP… values
  std::string_view question;  // the confirmation
  std::string_view errorTitle;
  std::optional<PowerAction> power;  // none: not possible on this system
};

// nullopt for a code outside 1 … 7.
[[nodiscard]] std::optional<SystemAction> SystemActionOf(int code);

// The bit of a program entry's Flags that runs it before action code.
[[nodiscard]] constexpr std::uint32_t ProgramBit(int code, bool automatic) {
  return std::uint32_t{1} << (automatic ? code + 6 : code - 1);
}

inline constexpr std::string_view kTitle = "Dade Rive";
inline constexpr std::string_view kBlockedQuestion = "Está bloqueado el apagado del sistema. ¿Desea desbloquearlo?";
inline constexpr std::string_view kNoMsDosText = "Esta versión de Windows no soporta el modo MS-DOS.";
inline constexpr std::string_view kRefusedText = "Cancelado el apagado del sistema.";
inline constexpr std::string_view kBlockedLine = "Bloqueado el apagado del sistema";
inline constexpr std::string_view kAutomaticLinePrefix = "Apagado automático en ";

// Images of the Dade Rive icon in the utility strip.
inline constexpr int kNormalImage = 8;
inline constexpr int kAutomaticImage = 9;
inline constexpr int kBlockedImage = 10;

// Values under DadeRive.
inline constexpr std::string_view kWaitSecondsValue = "SegundosAEsperarProgramas";
inline constexpr std::string_view kConfirmPrefix = "Confirmar";
inline constexpr std::string_view kEmptyTempPrefix = "BorrarTEMP";

}  // namespace zelvor::shutdown
