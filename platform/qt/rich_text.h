#pragma once
// The suite's small HTML as Qt rich text: <ilst index=N> becomes an image
// drawn from a strip, <hr color=C> a coloured rule, a line feed a break.

#include <QString>
#include <QTextDocument>

#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/qt/image_strips.h"

namespace zelvor {

struct RichText {
  QString html;                    // for QTextDocument
  std::vector<int> imageIndices;   // every <ilst> index, in order
};

[[nodiscard]] RichText toQtRichText(const std::string& suiteHtml);

// The text for a rich-text label, which has no image resources: the strip
// images are left out, the rest as toQtRichText gives it.
[[nodiscard]] QString richLabelHtml(const std::string& suiteHtml);

// Fills doc with the text and the images it names from strip.
void loadRichText(QTextDocument& doc, const std::string& suiteHtml, const ImageStrips& strips, ImageStrip strip,
                  qreal devicePixelRatio);

}  // namespace zelvor
