// The dialog renderer: every control kind shows the model's texts and
// state, and what the user does comes back into the model and its events.

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
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

#include "platform/qt/control_custom.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::sharedDesktop;
using testing::waitUntil;

enum Id {
  kLabel = 1, kCheck, kRadioA, kRadioB, kEdit, kMemo, kCombo, kList, kTree, kButton, kSlider, kSpin, kHotkey,
  kColour, kTime, kDate, kTabs, kProgress, kStatus, kCanvas, kImage, kGroup, kPageEdit,
};

class RecordingModel final : public WindowModel {
 public:
  void onEvent(const ControlEvent& e) override { events.push_back(e); }
  bool onCloseRequest() override {
    ++closeRequests;
    return allowClose;
  }
  [[nodiscard]] bool saw(ControlEvent::Kind kind, int id) const {
    return std::any_of(events.begin(), events.end(), [&](const ControlEvent& e) { return e.kind == kind && e.controlId == id; });
  }
  std::vector<ControlEvent> events;
  int closeRequests = 0;
  bool allowClose = true;
};

// A model that uses every control kind once.
void buildEveryKind(RecordingModel& m) {
  m.title = "Opciones de prueba";
  m.className = "CPruebaDlg";
  Control& group = m.root.add(Control::make(ControlKind::Column, kGroup, "General"));
  group.add(Control::make(ControlKind::Label, kLabel, "Nombre del equipo:"));
  Control check = Control::make(ControlKind::CheckBox, kCheck, "Mostrar al inicio");
  check.checked = true;
  group.add(check);
  Control& radios = group.add(Control::make(ControlKind::Row));
  Control a = Control::make(ControlKind::Radio, kRadioA, "Diario");
  a.checked = true;
  radios.add(a);
  radios.add(Control::make(ControlKind::Radio, kRadioB, "Semanal"));
  Control edit = Control::make(ControlKind::Edit, kEdit, "Zelvor");
  edit.maxLength = 20;
  group.add(edit);
  Control memo = Control::make(ControlKind::Edit, kMemo, "línea 1\nlínea 2");
  memo.multiLine = true;
  group.add(memo);
  Control combo = Control::make(ControlKind::Combo, kCombo);
  combo.items = {"Rojo", "Verde", "Azul"};
  combo.value = 1;
  group.add(combo);
  Control list = Control::make(ControlKind::ListView, kList);
  list.columns = {{"Archivo", 120, false}, {"Tamaño", 70, true}};
  list.rows = {{{"a.txt", "1 KB"}, 19, false, false, 11}, {{"b.zip", "20 KB"}, 16, true, false, 12}};
  list.checkBoxes = true;
  list.listImages = ImageStrip::Utility;
  list.value = -1;
  m.root.add(list);
  Control tree = Control::make(ControlKind::Tree, kTree);
  tree.nodes = {{"Escritorio principal", -1, true, 1, {{"Correo", -1, false, 2, {}}}}, {"Trabajo", -1, false, 3, {}}};
  tree.selectedPath = {0, 0};
  m.root.add(tree);
  Control& row = m.root.add(Control::make(ControlKind::Row));
  Control slider = Control::make(ControlKind::Slider, kSlider);
  slider.minimum = 0;
  slider.maximum = 100;
  slider.value = 40;
  row.add(slider);
  Control spin = Control::make(ControlKind::Spin, kSpin);
  spin.minimum = 1;
  spin.maximum = 60;
  spin.value = 5;
  row.add(spin);
  Control hotkey = Control::make(ControlKind::HotkeyField, kHotkey);
  hotkey.value = 'N' | (2 | 4) << 8;
  row.add(hotkey);
  Control colour = Control::make(ControlKind::ColourButton, kColour, "Color...");
  colour.colour = rgb(255, 255, 0);
  row.add(colour);
  Control time = Control::make(ControlKind::TimePicker, kTime);
  time.value = 13 * 3600 + 5 * 60 + 9;
  m.root.add(time);
  Control date = Control::make(ControlKind::TimePicker, kDate);
  date.showDate = true;
  date.value = 19723;  // 2024-01-01
  m.root.add(date);
  Control tabs = Control::make(ControlKind::Tabs, kTabs);
  tabs.items = {"Opciones", "Teclas"};
  tabs.value = 1;
  Control page1 = Control::make(ControlKind::Column);
  page1.add(Control::make(ControlKind::Edit, kPageEdit, "en la pestaña"));
  tabs.add(page1);
  tabs.add(Control::make(ControlKind::Column));
  m.root.add(tabs);
  Control progress = Control::make(ControlKind::Progress, kProgress);
  progress.value = 30;
  m.root.add(progress);
  Control canvas = Control::make(ControlKind::Canvas, kCanvas);
  canvas.size = {80, 40};
  canvas.paint = [](Canvas& c, Size s) {
    c.fillRect(Rect{0, 0, s.width, s.height}, rgb(255, 0, 0));
    c.text(Rect{0, 0, s.width, s.height}, "Hola", rgb(255, 255, 255), {}, Canvas::Align::Centre, false);
  };
  m.root.add(canvas);
  Control image = Control::make(ControlKind::Image, kImage);
  image.image = ImageRef::fromStrip(ImageStrip::Large, 0);
  m.root.add(image);
  Control& buttons = m.root.add(Control::make(ControlKind::Row));
  Control ok = Control::make(ControlKind::Button, kButton, "Aceptar");
  ok.isDefault = true;
  buttons.add(ok);
  Control status = Control::make(ControlKind::StatusBar, kStatus);
  status.items = {" Activado", "3 portapapeles"};
  m.root.add(status);
}

template <typename W>
W* widget(ModelWindow& w, int id) {
  auto* found = dynamic_cast<W*>(w.widgetFor(id));
  EXPECT_NE(found, nullptr) << "control " << id;
  return found;
}

class DialogRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    buildEveryKind(model);
    handle = dialogs().create(model);
    dialogs().show(handle);
    window = dialogs().window(handle);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
  }
  void TearDown() override { dialogs().destroy(handle); }
  static QtDialogHost& dialogs() { return sharedDesktop().dialogs(); }

  RecordingModel model;
  WindowHandle handle = kNoWindow;
  ModelWindow* window = nullptr;
};

TEST_F(DialogRenderer, ShowsEveryKindWithTheModelsTextsAndState) {
  EXPECT_EQ(window->windowTitle().toStdString(), "Opciones de prueba");
  EXPECT_EQ(window->objectName().toStdString(), "CPruebaDlg");
  EXPECT_EQ(widget<QGroupBox>(*window, kGroup)->title().toStdString(), "General");
  EXPECT_EQ(widget<QLabel>(*window, kLabel)->text().toStdString(), "Nombre del equipo:");
  EXPECT_TRUE(widget<QCheckBox>(*window, kCheck)->isChecked());
  EXPECT_TRUE(widget<QRadioButton>(*window, kRadioA)->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(*window, kRadioB)->isChecked());
  EXPECT_EQ(widget<QLineEdit>(*window, kEdit)->text().toStdString(), "Zelvor");
  EXPECT_EQ(widget<QLineEdit>(*window, kEdit)->maxLength(), 20);
  EXPECT_EQ(widget<QPlainTextEdit>(*window, kMemo)->toPlainText().toStdString(), "línea 1\nlínea 2");
  EXPECT_EQ(widget<QComboBox>(*window, kCombo)->currentText().toStdString(), "Verde");
  auto* list = widget<QTreeWidget>(*window, kList);
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->headerItem()->text(1).toStdString(), "Tamaño");
  EXPECT_EQ(list->topLevelItem(1)->text(0).toStdString(), "b.zip");
  EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Checked);
  EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
  EXPECT_TRUE(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
  auto* tree = widget<QTreeWidget>(*window, kTree);
  EXPECT_EQ(tree->topLevelItemCount(), 2);
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(0).toStdString(), "Correo");
  EXPECT_EQ(widget<QSlider>(*window, kSlider)->value(), 40);
  EXPECT_EQ(widget<QSpinBox>(*window, kSpin)->value(), 5);
  EXPECT_EQ(widget<HotkeyEdit>(*window, kHotkey)->text().toStdString(), "Ctrl + Alt + N");
  EXPECT_EQ(widget<ColourButton>(*window, kColour)->colour(), rgb(255, 255, 0));
  EXPECT_EQ(widget<QTimeEdit>(*window, kTime)->time(), QTime(13, 5, 9));
  EXPECT_EQ(widget<QDateEdit>(*window, kDate)->date(), QDate(2024, 1, 1));
  auto* tabs = widget<QTabWidget>(*window, kTabs);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "Opciones");
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(widget<QLineEdit>(*window, kPageEdit)->text().toStdString(), "en la pestaña");
  EXPECT_EQ(widget<QProgressBar>(*window, kProgress)->value(), 30);
  auto* status = widget<QStatusBar>(*window, kStatus);
  ASSERT_NE(status->findChild<QLabel*>(QStringLiteral("part1")), nullptr);
  EXPECT_EQ(status->findChild<QLabel*>(QStringLiteral("part1"))->text().toStdString(), "3 portapapeles");
  auto* button = widget<QPushButton>(*window, kButton);
  EXPECT_EQ(button->text().toStdString(), "Aceptar");
  EXPECT_TRUE(button->isDefault());
  EXPECT_FALSE(widget<QLabel>(*window, kImage)->pixmap().isNull());
  // The canvas paints through the model's drawing code.
  const QImage canvas = window->widgetFor(kCanvas)->grab().toImage();
  EXPECT_EQ(canvas.pixelColor(2, 2), QColor(255, 0, 0));
  // Laid out readably: nothing is squeezed below its own size.
  for (const auto& b : window->controls().bound()) {
    if (!b.widget->isVisible()) continue;
    EXPECT_GE(b.widget->width(), b.widget->minimumSizeHint().width() - 1) << b.widget->metaObject()->className();
  }
}

TEST_F(DialogRenderer, UserEditsComeBackIntoTheModelAndItsEvents) {
  widget<QCheckBox>(*window, kCheck)->click();
  EXPECT_FALSE(model.find(kCheck)->checked);
  EXPECT_TRUE(model.saw(ControlEvent::Kind::Clicked, kCheck));

  widget<QRadioButton>(*window, kRadioB)->click();
  EXPECT_TRUE(model.find(kRadioB)->checked);
  EXPECT_FALSE(model.find(kRadioA)->checked);

  auto* edit = widget<QLineEdit>(*window, kEdit);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Nuevo");
  EXPECT_EQ(model.find(kEdit)->text, "Nuevo");
  EXPECT_TRUE(model.saw(ControlEvent::Kind::Changed, kEdit));

  auto* combo = widget<QComboBox>(*window, kCombo);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(model.find(kCombo)->value, 2);
  EXPECT_EQ(model.find(kCombo)->text, "Azul");

  auto* list = widget<QTreeWidget>(*window, kList);
  list->topLevelItem(0)->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(model.find(kList)->rows[0].checked);
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_EQ(model.find(kList)->value, 1);
  EXPECT_TRUE(model.find(kList)->rows[1].selected);

  auto* tree = widget<QTreeWidget>(*window, kTree);
  tree->setCurrentItem(tree->topLevelItem(1));
  EXPECT_EQ(model.find(kTree)->selectedPath, (std::vector<int>{1}));

  widget<QSpinBox>(*window, kSpin)->setValue(9);
  EXPECT_EQ(model.find(kSpin)->value, 9);

  auto* hotkey = widget<HotkeyEdit>(*window, kHotkey);
  QTest::keyClick(hotkey, Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(model.find(kHotkey)->value, 0x74 | 1 << 8);

  widget<QTimeEdit>(*window, kTime)->setTime(QTime(7, 30, 0));
  EXPECT_EQ(model.find(kTime)->value, 7 * 3600 + 30 * 60);
  widget<QTabWidget>(*window, kTabs)->setCurrentIndex(0);
  EXPECT_EQ(model.find(kTabs)->value, 0);

  QTest::mouseClick(window->widgetFor(kCanvas), Qt::RightButton, {}, QPoint(10, 12));
  const auto down = std::find_if(model.events.begin(), model.events.end(), [](const ControlEvent& e) {
    return e.kind == ControlEvent::Kind::MouseDown && e.controlId == kCanvas;
  });
  ASSERT_NE(down, model.events.end());
  EXPECT_EQ(down->x, 10);
  EXPECT_EQ(down->y, 12);
  EXPECT_EQ(down->button, 2);

  QTest::mouseClick(widget<QPushButton>(*window, kButton), Qt::LeftButton);
  EXPECT_TRUE(model.saw(ControlEvent::Kind::Clicked, kButton));
}

TEST_F(DialogRenderer, UpdateShowsModelChangesAndRebuildsForNewControls) {
  QWidget* editBefore = window->widgetFor(kEdit);
  model.find(kEdit)->text = "Cambiado";
  model.find(kCheck)->enabled = false;
  model.find(kProgress)->value = 75;
  model.find(kList)->rows.push_back({{"c.iso", "700 MB"}, -1, false, false, 13});
  model.find(kStatus)->items[0] = " Desactivado";
  model.title = "Otro título";
  dialogs().update(handle);
  // Same shape: the widgets stay (keeping focus and cursor), their contents change.
  EXPECT_EQ(window->widgetFor(kEdit), editBefore);
  EXPECT_EQ(widget<QLineEdit>(*window, kEdit)->text().toStdString(), "Cambiado");
  EXPECT_FALSE(widget<QCheckBox>(*window, kCheck)->isEnabled());
  EXPECT_EQ(widget<QProgressBar>(*window, kProgress)->value(), 75);
  EXPECT_EQ(widget<QTreeWidget>(*window, kList)->topLevelItemCount(), 3);
  EXPECT_EQ(window->windowTitle().toStdString(), "Otro título");
  // Programmatic changes are not reported as the user's.
  EXPECT_FALSE(model.saw(ControlEvent::Kind::Changed, kEdit));

  model.root.add(Control::make(ControlKind::Label, 99, "Nueva etiqueta"));
  dialogs().update(handle);
  EXPECT_EQ(widget<QLabel>(*window, 99)->text().toStdString(), "Nueva etiqueta");
}

TEST_F(DialogRenderer, AListShowsItsViewDetailsListOrIcons) {
  auto* list = widget<QTreeWidget>(*window, kList);
  struct Case {
    int view;
    bool header, secondColumn;
    int iconSide;
  } cases[] = {{0, false, false, 32}, {1, false, false, 16}, {2, false, false, 16}, {3, true, true, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view);
    model.find(kList)->listView = c.view;
    dialogs().update(handle);
    EXPECT_EQ(list->isHeaderHidden(), !c.header);
    EXPECT_EQ(list->isColumnHidden(1), !c.secondColumn);
    EXPECT_EQ(list->iconSize(), QSize(c.iconSide, c.iconSide));
    EXPECT_EQ(list->topLevelItemCount(), 2);  // every view shows every row
  }
}

TEST_F(DialogRenderer, StyleFlagsAndOpacityReachTheWindow) {
  EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  model.style.topmost = true;
  model.style.caption = false;
  model.style.toolWindow = true;
  model.style.opacity = 60;
  dialogs().update(handle);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_NEAR(window->windowOpacity(), 0.6, 0.01);
  EXPECT_TRUE(window->isVisible()) << "changing flags must not hide a shown window";
  model.style.opacity = 100;
  dialogs().update(handle);
  EXPECT_NEAR(window->windowOpacity(), 1.0, 0.01);
}

TEST_F(DialogRenderer, CloseAsksTheModelFirst) {
  model.allowClose = false;
  window->close();
  EXPECT_EQ(model.closeRequests, 1);
  EXPECT_TRUE(dialogs().isVisible(handle));
  model.allowClose = true;
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_EQ(model.closeRequests, 2);
  EXPECT_FALSE(dialogs().isVisible(handle));
}

class ModalModel final : public WindowModel {
 public:
  explicit ModalModel(DialogHost& host) : host_(host) {
    root.add(Control::make(ControlKind::Button, 1, "Aceptar"));
  }
  void onEvent(const ControlEvent& e) override {
    if (e.kind == ControlEvent::Kind::Clicked) host_.endModal(*this, 7);
  }

 private:
  DialogHost& host_;
};

TEST(DialogHostModal, RunModalReturnsTheCodeGivenToEndModalWhileTimersRun) {
  QtDesktop& d = sharedDesktop();
  ModalModel model(d.dialogs());
  testing::RecordingTarget target;
  const WindowHandle t = d.loop().addTarget(target);
  d.loop().setTimer(t, 1, 5);
  QTimer::singleShot(50, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* b = w->findChild<QPushButton*>(QStringLiteral("c1")); b != nullptr && w->isVisible()) b->click();
    }
  });
  EXPECT_EQ(d.dialogs().runModal(model), 7);
  EXPECT_FALSE(target.timers.empty());
  d.loop().removeTarget(t);
}

}  // namespace
}  // namespace zelvor
