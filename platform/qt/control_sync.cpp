// Brings the widgets of a control tree in line with the model. Signals are
// blocked meanwhile: only the user's changes are reported back.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include "platform/qt/rich_text.h"
#include "platform/qt/control_custom.h"
#include "platform/qt/control_fill.h"
#include "platform/qt/control_look.h"
#include "platform/qt/control_widgets.h"

namespace zelvor {
namespace {

const Control* resolve(const Control& root, const ControlPath& path) {
  const Control* c = &root;
  for (int i : path) {
    if (i < 0 || static_cast<std::size_t>(i) >= c->children.size()) return nullptr;
    c = &c->children[static_cast<std::size_t>(i)];
  }
  return c;
}

void blockAll(QWidget* w, std::vector<std::unique_ptr<QSignalBlocker>>& blockers) {
  blockers.push_back(std::make_unique<QSignalBlocker>(w));
}

}  // namespace

void ControlTree::sync(const Control& root) {
  syncing_ = true;
  for (const Bound& b : bound_) {
    if (const Control* c = resolve(root, b.path)) syncOne(*c, b.widget);
  }
  syncing_ = false;
}

void ControlTree::repaintCanvases() {
  for (const Bound& b : bound_) {
    if (b.kind == ControlKind::Canvas) b.widget->update();
  }
}

void ControlTree::syncOne(const Control& c, QWidget* w) {
  std::vector<std::unique_ptr<QSignalBlocker>> blockers;
  blockAll(w, blockers);
  w->setEnabled(c.enabled);
  w->setToolTip(QString::fromStdString(c.tooltip));
  if (c.size.width > 0) w->setMinimumWidth(c.size.width);
  if (c.size.height > 0) w->setMinimumHeight(c.size.height);
  const QString text = QString::fromStdString(c.text);
  switch (c.kind) {
    case ControlKind::Label:
      static_cast<QLabel*>(w)->setText(c.richText ? richLabelHtml(c.text) : stripMnemonic(c.text));
      applyTextLook(c, w);
      break;
    case ControlKind::CheckBox: {
      auto* box = static_cast<QCheckBox*>(w);
      box->setText(text);
      box->setChecked(c.checked);
      break;
    }
    case ControlKind::Radio: {
      auto* radio = static_cast<QRadioButton*>(w);
      radio->setText(text);
      // An unchecked radio in an exclusive group can only be cleared by a checked sibling.
      radio->setAutoExclusive(false);
      radio->setChecked(c.checked);
      radio->setAutoExclusive(true);
      break;
    }
    case ControlKind::Edit:
      if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (line->text() != text) line->setText(text);
        line->setEchoMode(c.password ? QLineEdit::Password : QLineEdit::Normal);
        line->setReadOnly(c.readOnly);
        line->setMaxLength(c.maxLength > 0 ? c.maxLength : 32767);
      } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        if (multi->toPlainText() != text) multi->setPlainText(text);
        multi->setReadOnly(c.readOnly);
      }
      applyTextLook(c, w);
      break;
    case ControlKind::Combo: {
      auto* combo = static_cast<QComboBox*>(w);
      QStringList items;
      for (const auto& i : c.items) items << QString::fromStdString(i);
      QStringList current;
      for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
      if (current != items) {
        combo->clear();
        combo->addItems(items);
      }
      combo->setEditable(c.editable);
      combo->setCurrentIndex(c.value >= 0 && c.value < combo->count() ? c.value : -1);
      if (c.editable && combo->currentText() != text) combo->setEditText(text);
      break;
    }
    case ControlKind::ListView: fillListView(*static_cast<QTreeWidget*>(w), c, images_); break;
    case ControlKind::Tree: fillTree(*static_cast<QTreeWidget*>(w), c, images_); break;
    case ControlKind::Button: {
      auto* button = static_cast<QPushButton*>(w);
      button->setText(text);
      button->setDefault(c.isDefault);
      button->setAutoDefault(c.isDefault);
      button->setCheckable(c.checkable);
      if (c.checkable) button->setChecked(c.checked);
      if (!c.image.empty()) button->setIcon(images_.icon(c.image, 16));
      break;
    }
    case ControlKind::Slider: {
      auto* slider = static_cast<QSlider*>(w);
      slider->setRange(c.minimum, c.maximum);
      slider->setValue(c.value);
      break;
    }
    case ControlKind::Spin: {
      auto* spin = static_cast<QSpinBox*>(w);
      spin->setRange(c.minimum, c.maximum);
      spin->setValue(c.value);
      break;
    }
    case ControlKind::HotkeyField: {
      auto* field = static_cast<HotkeyEdit*>(w);
      field->setEmptyText(text);
      field->setValue(c.value);
      break;
    }
    case ControlKind::ColourButton: {
      auto* button = static_cast<ColourButton*>(w);
      button->setText(text);
      button->setColour(c.colour);
      break;
    }
    case ControlKind::TimePicker:
      if (auto* picker = qobject_cast<QDateTimeEdit*>(w)) {
        // The model's text is the display format; empty keeps the binding's own.
        const QString format = !c.text.empty() ? text
                               : c.showDate    ? QStringLiteral("dd/MM/yyyy")
                                               : QStringLiteral("HH:mm:ss");
        if (picker->displayFormat() != format) picker->setDisplayFormat(format);
      }
      if (auto* date = qobject_cast<QDateEdit*>(w); date != nullptr && c.showDate) {
        date->setDate(QDate(1970, 1, 1).addDays(c.value));
      } else if (auto* time = qobject_cast<QTimeEdit*>(w)) {
        time->setTime(QTime(0, 0).addSecs(c.value));
      }
      break;
    case ControlKind::Tabs: {
      auto* tabs = static_cast<QTabWidget*>(w);
      for (int i = 0; i < tabs->count() && static_cast<std::size_t>(i) < c.items.size(); ++i) {
        tabs->setTabText(i, stripMnemonic(c.items[static_cast<std::size_t>(i)]));
      }
      if (c.value >= 0 && c.value < tabs->count()) tabs->setCurrentIndex(c.value);
      break;
    }
    case ControlKind::Progress: {
      auto* bar = static_cast<QProgressBar*>(w);
      bar->setRange(c.minimum, c.maximum);
      bar->setValue(std::clamp(c.value, c.minimum, std::max(c.minimum, c.maximum)));
      break;
    }
    case ControlKind::StatusBar:
      for (std::size_t i = 0; i < c.items.size(); ++i) {
        if (auto* part = w->findChild<QLabel*>(QStringLiteral("part%1").arg(i))) {
          part->setText(QString::fromStdString(c.items[i]));
        }
      }
      break;
    case ControlKind::Canvas: {
      auto* canvas = static_cast<CanvasWidget*>(w);
      canvas->setPaint(c.paint);
      canvas->setHint(c.size.width > 0 && c.size.height > 0 ? QSize(c.size.width, c.size.height) : QSize());
      canvas->update();
      break;
    }
    case ControlKind::Image: {
      auto* label = static_cast<QLabel*>(w);
      const int side = c.size.width > 0 ? c.size.width : (c.image.strip == ImageStrip::Large ? 32 : 16);
      label->setPixmap(images_.pixmap(c.image, side, label->devicePixelRatioF()));
      break;
    }
    case ControlKind::Column:
      if (auto* group = qobject_cast<QGroupBox*>(w)) group->setTitle(stripMnemonic(c.text));
      break;
    case ControlKind::Row: break;
  }
  w->setVisible(c.visible);
}

}  // namespace zelvor
