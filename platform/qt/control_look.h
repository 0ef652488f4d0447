#pragma once
// How labels and edits look when their model sets colours, a font, an
// alignment or no frame; unset, each keeps the desktop's own look.

#include <QWidget>

#include <optional>

#include "platform/window_model.h"

namespace zelvor {

[[nodiscard]] Qt::Alignment toQtAlignment(TextAlign align);
// Applies textColour, backColour, font, align and flat of a Label or Edit.
void applyTextLook(const Control& c, QWidget* w);
// The colour a caption-less window paints behind its controls: the first
// backColour of its tree, so that a note is one colour from edge to edge.
[[nodiscard]] std::optional<Colour> surfaceColour(const Control& root);

}  // namespace zelvor
