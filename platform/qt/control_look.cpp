#include "platform/qt/control_look.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

#include "platform/qt/qt_canvas.h"

namespace zelvor {

Qt::Alignment toQtAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Centre: return Qt::AlignHCenter;
    case TextAlign::Right: return Qt::AlignRight;
    case TextAlign::Left: break;
  }
  return Qt::AlignLeft;
}

void applyTextLook(const Control& c, QWidget* w) {
  // A palette that sets only the model's roles: the rest stays inherited
  // from the window, and an unset colour returns to the desktop's.
  QPalette palette;
  if (c.textColour) {
    const QColor text = toQColor(*c.textColour);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
  }
  if (c.backColour) {
    const QColor back = toQColor(*c.backColour);
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Base, back);
  }
  w->setPalette(palette);
  w->setFont(c.font ? toQFont(*c.font, QApplication::font()) : QFont());

  const Qt::Alignment horizontal = toQtAlignment(c.align);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    // A label paints its own colour only when it has one; otherwise it shows the window through.
    label->setAutoFillBackground(c.backColour.has_value());
    label->setAlignment(horizontal | Qt::AlignVCenter);
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->setAlignment(horizontal | Qt::AlignVCenter);
    line->setFrame(!c.flat);
  } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
    // Plain-text documents align every paragraph by the document's default
    // option; the wrap mode in it belongs to the edit and stays.
    QTextOption option = multi->document()->defaultTextOption();
    if (option.alignment() != horizontal) {
      option.setAlignment(horizontal);
      multi->document()->setDefaultTextOption(option);
    }
    multi->setFrameShape(c.flat ? QFrame::NoFrame : QFrame::StyledPanel);
  }
}

std::optional<Colour> surfaceColour(const Control& root) {
  if (root.visible && root.backColour) return root.backColour;
  for (const Control& child : root.children) {
    if (auto colour = surfaceColour(child)) return colour;
  }
  return std::nullopt;
}

}  // namespace zelvor
