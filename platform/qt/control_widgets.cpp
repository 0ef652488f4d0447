#include "platform/qt/control_widgets.h"

#include <QCheckBox>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include "platform/qt/percent_bar_delegate.h"
#include <QVBoxLayout>

#include <algorithm>

#include "platform/qt/control_custom.h"
#include "platform/qt/control_fill.h"

namespace zelvor {

ControlTree::ControlTree(const ImagePixmaps& images, Reporter report, bool draggableSurface)
    : images_(images), report_(std::move(report)), draggableSurface_(draggableSurface) {}

std::string ControlTree::shapeOf(const Control& c) {
  std::string s = std::to_string(static_cast<int>(c.kind)) + ":" + std::to_string(c.id);
  if (c.kind == ControlKind::Tabs || c.kind == ControlKind::StatusBar) s += "/" + std::to_string(c.items.size());
  if (c.kind == ControlKind::Edit) s += c.multiLine ? "m" : "s";
  if (c.kind == ControlKind::TimePicker) s += c.showDate ? "d" : "t";
  if (c.kind == ControlKind::ListView) s += "#" + std::to_string(c.columns.size());
  s += "(";
  for (const Control& child : c.children) s += shapeOf(child) + ",";
  return s + ")";
}

QWidget* ControlTree::build(const Control& root) {
  ++generation_;
  bound_.clear();
  shape_ = shapeOf(root);
  // The caller syncs once the widgets have their parent (a parentless
  // widget made visible would become a window of its own).
  return buildControl(root, {});
}

void ControlTree::emitChange(const ControlPath& path, std::function<void(Control&)> change, ControlEvent event) {
  if (syncing_) return;
  report_(path, change, event);
}

QWidget* ControlTree::buildContainer(const Control& c, const ControlPath& path) {
  QWidget* box = nullptr;
  if (c.kind == ControlKind::Column && !c.text.empty()) {
    box = new QGroupBox(stripMnemonic(c.text));
  } else {
    box = new QWidget;
  }
  QBoxLayout* layout = c.kind == ControlKind::Row ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                                                  : static_cast<QBoxLayout*>(new QVBoxLayout(box));
  if (c.kind == ControlKind::Row || c.text.empty()) layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(tight_ ? 0 : c.kind == ControlKind::Row ? 8 : 6);
  // A row of buttons alone is a dialog's button row: it sits on the right.
  const bool buttonRow = c.kind == ControlKind::Row && !c.children.empty() &&
                         std::all_of(c.children.begin(), c.children.end(),
                                     [](const Control& k) { return k.kind == ControlKind::Button; });
  if (buttonRow) layout->addStretch(1);
  QLabel* pendingBuddy = nullptr;
  for (std::size_t i = 0; i < c.children.size(); ++i) {
    ControlPath childPath = path;
    childPath.push_back(static_cast<int>(i));
    QWidget* child = buildControl(c.children[i], childPath);
    if (pendingBuddy != nullptr && child->focusPolicy() != Qt::NoFocus) pendingBuddy->setBuddy(child);
    pendingBuddy = qobject_cast<QLabel*>(child);
    const ControlKind k = c.children[i].kind;
    // Lists, trees, multi-line edits, tabs and canvases take the room there is.
    // A canvas given a width in a row (a drawn button) keeps that width.
    const bool fixedCanvas = k == ControlKind::Canvas && c.kind == ControlKind::Row && c.children[i].size.width > 0;
    if (fixedCanvas) child->setSizePolicy(QSizePolicy::Fixed, child->sizePolicy().verticalPolicy());
    const bool grows = k == ControlKind::ListView || k == ControlKind::Tree || k == ControlKind::Tabs ||
                       (k == ControlKind::Canvas && !fixedCanvas) ||
                       (k == ControlKind::Edit && c.children[i].multiLine) ||
                       (c.kind == ControlKind::Row && (k == ControlKind::Edit || k == ControlKind::Combo ||
                                                       k == ControlKind::Slider || k == ControlKind::Column));
    layout->addWidget(child, grows ? 1 : 0);
  }
  // A column stacks its children from the top: height it is given beyond
  // theirs (beside a taller neighbour in a row) stays below them, unless a
  // child that grows takes it.
  if (c.kind == ControlKind::Column) layout->addStretch(0);
  return box;
}

QWidget* ControlTree::buildListView(const Control& c, const ControlPath&) {
  auto* view = new QTreeWidget;
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setAlternatingRowColors(true);
  view->setSelectionMode(c.multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->header()->setStretchLastSection(true);
  view->setIconSize(QSize(16, 16));
  // A right click is reported to the model, which may open a menu of its own.
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  view->setItemDelegate(new PercentBarDelegate(view));
  return view;
}

QWidget* ControlTree::buildTree(const Control&, const ControlPath&) {
  auto* view = new QTreeWidget;
  view->setHeaderHidden(true);
  view->setColumnCount(1);
  view->setIconSize(QSize(16, 16));
  return view;
}

QWidget* ControlTree::buildControl(const Control& c, const ControlPath& path) {
  QWidget* w = nullptr;
  const QString text = QString::fromStdString(c.text);
  switch (c.kind) {
    case ControlKind::Column:
    case ControlKind::Row: w = buildContainer(c, path); break;
    case ControlKind::Label: {
      auto* label = new QLabel(text.contains(QLatin1Char('&')) ? text : text);
      label->setTextFormat(c.richText ? Qt::RichText : Qt::PlainText);
      label->setWordWrap(!c.richText && (text.size() > 60 || text.contains(QLatin1Char('\n'))));
      w = label;
      break;
    }
    case ControlKind::CheckBox: w = new QCheckBox(text); break;
    case ControlKind::Radio: w = new QRadioButton(text); break;
    case ControlKind::Edit:
      if (c.multiLine) {
        auto* edit = new QPlainTextEdit;
        edit->setTabChangesFocus(true);
        w = edit;
      } else {
        w = new QLineEdit;
      }
      break;
    case ControlKind::Combo: {
      auto* combo = new QComboBox;
      combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      w = combo;
      break;
    }
    case ControlKind::ListView: w = buildListView(c, path); break;
    case ControlKind::Tree: w = buildTree(c, path); break;
    case ControlKind::Button: w = new QPushButton(text); break;
    case ControlKind::Slider: w = new QSlider(Qt::Horizontal); break;
    case ControlKind::Spin: w = new QSpinBox; break;
    case ControlKind::HotkeyField: w = new HotkeyEdit; break;
    case ControlKind::ColourButton: w = new ColourButton(text); break;
    case ControlKind::TimePicker:
      if (c.showDate) {
        auto* date = new QDateEdit;
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        // Month and day names speak the suite's language, like every text of it.
        date->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
        w = date;
      } else {
        auto* time = new QTimeEdit;
        time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        w = time;
      }
      break;
    case ControlKind::Tabs: {
      auto* tabs = new QTabWidget;
      // Every page title stays readable: the window grows instead of scrolling the tabs.
      tabs->setUsesScrollButtons(false);
      for (std::size_t i = 0; i < c.children.size(); ++i) {
        ControlPath childPath = path;
        childPath.push_back(static_cast<int>(i));
        QWidget* page = buildControl(c.children[i], childPath);
        auto* holder = new QWidget;
        auto* l = new QVBoxLayout(holder);
        l->setContentsMargins(9, 9, 9, 9);
        l->addWidget(page);
        const std::string& title = i < c.items.size() ? c.items[i] : c.children[i].text;
        tabs->addTab(holder, stripMnemonic(title));
      }
      w = tabs;
      break;
    }
    case ControlKind::Progress: {
      auto* bar = new QProgressBar;
      bar->setTextVisible(false);
      w = bar;
      break;
    }
    case ControlKind::StatusBar: {
      auto* bar = new QStatusBar;
      bar->setSizeGripEnabled(false);
      for (std::size_t i = 0; i < c.items.size(); ++i) {
        auto* part = new QLabel;
        part->setObjectName(QStringLiteral("part%1").arg(i));
        bar->addWidget(part, i == 0 ? 1 : 0);
      }
      w = bar;
      break;
    }
    case ControlKind::Canvas: w = new CanvasWidget(images_, c.paint); break;
    case ControlKind::Image: {
      auto* label = new QLabel;
      label->setAlignment(Qt::AlignCenter);
      w = label;
      break;
    }
  }
  if (c.id != 0) w->setObjectName(QStringLiteral("c%1").arg(c.id));
  bound_.push_back({path, c.kind, w});
  connectSignals(c, path, w);
  connectContextMenu(c, path, w);
  return w;
}

void ControlTree::connectContextMenu(const Control& c, const ControlPath& path, QWidget* w) {
  // In a caption-less window (a note) the right click and the menu key on
  // a control open the window's own menu, also over an edit, whose editing
  // menu it replaces. Ordinary dialogs keep the desktop's behaviour: their
  // owners react to clicks and changes and would take a right click for one.
  const ControlKind k = c.kind;
  const bool reports = k == ControlKind::Label || k == ControlKind::Canvas || k == ControlKind::Image ||
                       k == ControlKind::ListView || k == ControlKind::Tree || k == ControlKind::StatusBar ||
                       k == ControlKind::Progress || k == ControlKind::Edit;
  if (!draggableSurface_ || !reports) return;
  w->setContextMenuPolicy(Qt::CustomContextMenu);
  const std::uint64_t gen = generation_;
  const int id = c.id;
  QObject::connect(w, &QWidget::customContextMenuRequested, w, [=, this](const QPoint& pos) {
    if (gen != generation_) return;
    // Scroll areas report the point in their viewport.
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    const QPoint global = (area != nullptr ? area->viewport() : w)->mapToGlobal(pos);
    ControlEvent e;
    e.kind = ControlEvent::Kind::ContextMenu;
    e.controlId = id;
    e.x = global.x();
    e.y = global.y();
    if (auto* view = qobject_cast<QTreeWidget*>(w); view != nullptr && k == ControlKind::ListView) {
      e.row = view->indexAt(pos).isValid() ? view->indexOfTopLevelItem(view->itemAt(pos)) : -1;
    }
    emitChange(path, [](Control&) {}, e);
  });
}

void ControlTree::connectSignals(const Control& c, const ControlPath& path, QWidget* w) {
  const std::uint64_t gen = generation_;
  const int id = c.id;
  auto change = [this, gen, path](std::function<void(Control&)> apply, ControlEvent event) {
    if (gen != generation_) return;
    emitChange(path, std::move(apply), event);
  };
  auto event = [id](ControlEvent::Kind kind, int row = -1) {
    ControlEvent e;
    e.kind = kind;
    e.controlId = id;
    e.row = row;
    return e;
  };
  switch (c.kind) {
    case ControlKind::CheckBox:
      QObject::connect(static_cast<QCheckBox*>(w), &QCheckBox::toggled, w, [=, this](bool on) {
        change([on](Control& m) { m.checked = on; }, event(ControlEvent::Kind::Clicked));
      });
      break;
    case ControlKind::Radio:
      QObject::connect(static_cast<QRadioButton*>(w), &QRadioButton::toggled, w, [=, this](bool on) {
        if (!on || gen != generation_ || path.empty()) return;
        // The radios of one container form one group; the model says so too.
        ControlPath parentPath(path.begin(), path.end() - 1);
        const auto self = static_cast<std::size_t>(path.back());
        emitChange(parentPath, [self](Control& parent) {
          for (std::size_t i = 0; i < parent.children.size(); ++i) {
            if (parent.children[i].kind == ControlKind::Radio) parent.children[i].checked = i == self;
          }
        }, event(ControlEvent::Kind::Clicked));
      });
      break;
    case ControlKind::Button:
      QObject::connect(static_cast<QPushButton*>(w), &QPushButton::clicked, w, [=, this](bool on) {
        // A toggle button reports its new state; a plain one only the press.
        const bool toggle = static_cast<QPushButton*>(w)->isCheckable();
        change([on, toggle](Control& m) {
          if (toggle) m.checked = on;
        }, event(ControlEvent::Kind::Clicked));
      });
      break;
    case ControlKind::Edit:
      if (auto* line = qobject_cast<QLineEdit*>(w)) {
        QObject::connect(line, &QLineEdit::textEdited, w, [=, this](const QString& t) {
          change([t](Control& m) { m.text = t.toStdString(); }, event(ControlEvent::Kind::Changed));
        });
      } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(multi, &QPlainTextEdit::textChanged, w, [=, this] {
          const std::string t = multi->toPlainText().toStdString();
          change([t](Control& m) { m.text = t; }, event(ControlEvent::Kind::Changed));
        });
      }
      break;
    case ControlKind::Combo: {
      auto* combo = static_cast<QComboBox*>(w);
      QObject::connect(combo, &QComboBox::activated, w, [=, this](int index) {
        const std::string t = combo->currentText().toStdString();
        change([index, t](Control& m) { m.value = index; m.text = t; }, event(ControlEvent::Kind::Changed));
      });
      if (c.editable) {
        // Only what the user types: a choice from the list arrives as activated.
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, w, [=, this](const QString& t) {
          change([t](Control& m) { m.text = t.toStdString(); }, event(ControlEvent::Kind::Changed));
        });
      }
      break;
    }
    case ControlKind::ListView: {
      auto* view = static_cast<QTreeWidget*>(w);
      QObject::connect(view, &QTreeWidget::currentItemChanged, w, [=, this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        const int row = item != nullptr ? view->indexOfTopLevelItem(item) : -1;
        change([row](Control& m) { m.value = row; }, event(ControlEvent::Kind::Changed, row));
      });
      QObject::connect(view, &QTreeWidget::itemSelectionChanged, w, [=, this] {
        std::vector<bool> selected(static_cast<std::size_t>(view->topLevelItemCount()));
        for (int i = 0; i < view->topLevelItemCount(); ++i) selected[static_cast<std::size_t>(i)] = view->topLevelItem(i)->isSelected();
        change([selected](Control& m) {
          for (std::size_t i = 0; i < m.rows.size() && i < selected.size(); ++i) m.rows[i].selected = selected[i];
        }, event(ControlEvent::Kind::Changed, view->currentIndex().row()));
      });
      QObject::connect(view, &QTreeWidget::itemChanged, w, [=, this](QTreeWidgetItem* item, int column) {
        if (column != 0) return;
        const int row = view->indexOfTopLevelItem(item);
        const bool on = item->checkState(0) == Qt::Checked;
        change([row, on](Control& m) {
          if (row >= 0 && static_cast<std::size_t>(row) < m.rows.size()) m.rows[static_cast<std::size_t>(row)].checked = on;
        }, event(ControlEvent::Kind::Changed, row));
      });
      QObject::connect(view, &QTreeWidget::itemDoubleClicked, w, [=, this](QTreeWidgetItem* item, int) {
        const int row = view->indexOfTopLevelItem(item);
        change([](Control&) {}, event(ControlEvent::Kind::DoubleClicked, row));
      });
      QObject::connect(view, &QWidget::customContextMenuRequested, w, [=, this](const QPoint& at) {
        ControlEvent e = event(ControlEvent::Kind::MouseUp, view->indexOfTopLevelItem(view->itemAt(at)));
        e.button = 2;
        e.x = at.x();
        e.y = at.y();
        change([](Control&) {}, e);
      });
      QObject::connect(view->header(), &QHeaderView::sectionResized, w, [=, this](int section, int, int size) {
        change([section, size](Control& m) {
          if (section >= 0 && static_cast<std::size_t>(section) < m.columns.size()) m.columns[static_cast<std::size_t>(section)].width = size;
        }, ControlEvent{ControlEvent::Kind::Changed, -1});  // id -1: nobody reacts to a width
      });
      break;
    }
    case ControlKind::Tree: {
      auto* view = static_cast<QTreeWidget*>(w);
      QObject::connect(view, &QTreeWidget::currentItemChanged, w, [=, this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        const std::vector<int> p = item != nullptr ? treePathOf(item) : std::vector<int>{};
        change([p](Control& m) { m.selectedPath = p; }, event(ControlEvent::Kind::Changed));
      });
      QObject::connect(view, &QTreeWidget::itemDoubleClicked, w,
                       [=, this](QTreeWidgetItem*, int) { change([](Control&) {}, event(ControlEvent::Kind::DoubleClicked)); });
      auto expansion = [=, this](QTreeWidgetItem* item, bool open) {
        const std::vector<int> p = treePathOf(item);
        change([p, open](Control& m) {
          if (TreeNode* n = nodeAt(m.nodes, p)) n->expanded = open;
        }, ControlEvent{ControlEvent::Kind::Changed, -1});
      };
      QObject::connect(view, &QTreeWidget::itemExpanded, w, [=, this](QTreeWidgetItem* i) { expansion(i, true); });
      QObject::connect(view, &QTreeWidget::itemCollapsed, w, [=, this](QTreeWidgetItem* i) { expansion(i, false); });
      break;
    }
    case ControlKind::Slider:
      QObject::connect(static_cast<QSlider*>(w), &QSlider::valueChanged, w, [=, this](int v) {
        change([v](Control& m) { m.value = v; }, event(ControlEvent::Kind::Changed));
      });
      break;
    case ControlKind::Spin:
      QObject::connect(static_cast<QSpinBox*>(w), &QSpinBox::valueChanged, w, [=, this](int v) {
        change([v](Control& m) { m.value = v; }, event(ControlEvent::Kind::Changed));
      });
      break;
    case ControlKind::HotkeyField:
      static_cast<HotkeyEdit*>(w)->onChanged = [=, this](int v) {
        change([v](Control& m) { m.value = v; }, event(ControlEvent::Kind::Changed));
      };
      break;
    case ControlKind::ColourButton:
      static_cast<ColourButton*>(w)->onChanged = [=, this](Colour colour) {
        change([colour](Control& m) { m.colour = colour; }, event(ControlEvent::Kind::Changed));
      };
      break;
    case ControlKind::TimePicker:
      if (auto* date = qobject_cast<QDateEdit*>(w); date != nullptr && c.showDate) {
        QObject::connect(date, &QDateEdit::dateChanged, w, [=, this](QDate d) {
          const int days = static_cast<int>(QDate(1970, 1, 1).daysTo(d));
          change([days](Control& m) { m.value = days; }, event(ControlEvent::Kind::Changed));
        });
      } else if (auto* time = qobject_cast<QTimeEdit*>(w)) {
        QObject::connect(time, &QTimeEdit::timeChanged, w, [=, this](QTime t) {
          const int seconds = t.msecsSinceStartOfDay() / 1000;
          change([seconds](Control& m) { m.value = seconds; }, event(ControlEvent::Kind::Changed));
        });
      }
      break;
    case ControlKind::Tabs:
      QObject::connect(static_cast<QTabWidget*>(w), &QTabWidget::currentChanged, w, [=, this](int page) {
        change([page](Control& m) { m.value = page; }, event(ControlEvent::Kind::Changed));
      });
      break;
    case ControlKind::Canvas:
      static_cast<CanvasWidget*>(w)->onInput = [=, this](ControlEvent::Kind kind, int x, int y, int button, int key) {
        ControlEvent e = event(kind);
        e.x = x;
        e.y = y;
        e.button = button;
        e.key = key;
        change([](Control&) {}, e);
      };
      break;
    default:
      break;
  }
}

}  // namespace zelvor
