#pragma once
// The two speed bars drawn into the 16 × 16 Dedo Vuv icon: download on rows
// 8–10, upload on rows 12–14, both from column 1.

#include <memory>

#include "platform/image.h"

namespace zelvor::traffic {

inline constexpr int kDedoVuvPicture = 13;  // the plain picture in the utility strip

// A ramp colours each column of a bar on its own; flat bars are one colour.
enum class BarStyle { Flat, Ramp };

// Whether the bars are ramps: the root value MostrarBarra is 1, or the
// system is of a generation that draws them so (3, or 7 and above).
[[nodiscard]] BarStyle BarStyleFor(int mostrarBarra, int osGeneration);

// The bars alone over transparent pixels; lengths are cut to 0 … 14.
[[nodiscard]] std::shared_ptr<const Bitmap> DrawIconBars(int downloadLength, int uploadLength, BarStyle style);

// The icon: the plain picture with the bars over it.
[[nodiscard]] ImageRef IconWithBars(int downloadLength, int uploadLength, BarStyle style);

}  // namespace zelvor::traffic
