#pragma once
// The percentage bars of the memory and disk capacity: how full a row is
// and the colour that warns of little free space.

#include <cstdint>

#include "platform/ui_types.h"

namespace zelvor {

inline constexpr Colour kBarStartColour = rgb(0, 0, 192);
inline constexpr Colour kBarWarningColour = rgb(128, 0, 0);
inline constexpr Colour kBarNormalColour = rgb(0, 128, 0);

// How a warning threshold (`MemoriaLibre`, `EspacioLibre`) is measured
// (`MedidaMem`, `MedidaDiscos`).
enum class ThresholdUnit : int { Megabytes = 0, Percent = 1 };

// used × 100 ÷ total, truncated; 0 for an empty total.
[[nodiscard]] int UsedPercent(std::uint32_t used, std::uint32_t total);

// Dark red when the free amount is below the threshold, else dark green.
// In megabytes the row's free megabytes are compared; in percent, 100 less
// the used percentage. Any unit other than 1 counts as megabytes.
[[nodiscard]] Colour CapacityBarColour(std::uint32_t freeMegabytes, int usedPercent, int threshold, int unit);

}  // namespace zelvor
