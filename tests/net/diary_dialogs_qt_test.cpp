// The tariff and holiday dialogs as the Qt binding shows them: a user
// clicks rows and buttons and types, the widgets show the model's texts in
// the dialogs' formats, and Aceptar writes the store.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "net/diary/holiday_dialog.h"
#include "net/diary/tariff_dialog.h"
#include "platform/sim/sim_message_boxes.h"
#include "tests/net/diary_sandbox.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor::diary {
namespace {

namespace td = tariff_dialog;
namespace hd = holiday_dialog;

QWidget* shownWindow(const char* className) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String(className) && w->isVisible()) return w;
  }
  return nullptr;
}

template <typename W>
W* control(QWidget* window, int id) {
  auto* w = window->findChild<W*>(QStringLiteral("c%1").arg(id));
  EXPECT_NE(w, nullptr) << "control " << id;
  return w;
}

void clickRow(QTreeWidget* list, int row) {
  const QRect r = list->visualItemRect(list->topLevelItem(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

class DiaryDialogsOnQt : public zelvor::testing::DiarySandbox {
 protected:
  DiaryDialogsOnQt() { sim.clock.setNow(local(2023, 7, 14, 10, 0)); }

  // Runs the user's steps once the dialog's modal loop runs; a dialog the
  // steps leave open (a failed check) is ended after a while.
  void whileModal(WindowModel& dialog, std::function<void()> steps) {
    QTimer::singleShot(0, std::move(steps));
    watchdog_ = std::make_unique<QTimer>();
    watchdog_->setSingleShot(true);
    QObject::connect(watchdog_.get(), &QTimer::timeout, [this, &dialog] {
      ADD_FAILURE() << dialog.className << " was left open";
      desktop.dialogs().endModal(dialog, 2);
    });
    watchdog_->start(20000);
  }

  QtDesktop& desktop = zelvor::testing::sharedDesktop();
  SimMessageBoxes boxes;

 private:
  // Stopped with the test, before the dialog it watches goes.
  std::unique_ptr<QTimer> watchdog_;
};

TEST_F(DiaryDialogsOnQt, RowsClickedFillTheEditorsAndModificarSaves) {
  CTarifasDlg dialog(store, sim.locale, sim.clock, desktop.dialogs(), boxes);
  whileModal(dialog, [&] {
    QWidget* window = shownWindow("CTarifasDlg");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "Configuración de las tarifas telefónicas");
    auto* list = control<QTreeWidget>(window, td::kList);
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->headerItem()->text(4).toStdString(), "Tiempo hasta aplicarla");
    EXPECT_EQ(list->topLevelItem(1)->text(2).toStdString(), "18:00");
    clickRow(list, 1);
    EXPECT_EQ(control<QLineEdit>(window, td::kCoste)->text().toStdString(), "1,90");
    EXPECT_EQ(control<QTimeEdit>(window, td::kStart)->text().toStdString(), "18:00");
    EXPECT_EQ(control<QTimeEdit>(window, td::kEnd)->text().toStdString(), "08:00");
    EXPECT_FALSE(control<QComboBox>(window, td::kWeekday)->isEnabled());
    ASSERT_TRUE(control<QPushButton>(window, td::kModify)->isEnabled());
    // The list shows the row the user clicked as selected.
    list = control<QTreeWidget>(window, td::kList);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 1);
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());

    auto* coste = control<QLineEdit>(window, td::kCoste);
    coste->setFocus();
    coste->selectAll();
    QTest::keyClicks(coste, "2,75");
    QTest::mouseClick(control<QPushButton>(window, td::kModify), Qt::LeftButton);
    EXPECT_EQ(control<QTreeWidget>(window, td::kList)->topLevelItem(1)->text(5).toStdString(), "2,75 €");
    EXPECT_TRUE(boxes.shown.empty());
    QTest::mouseClick(control<QPushButton>(window, td::kOk), Qt::LeftButton);
  });
  const TariffDialogResult result = dialog.DoModal();
  EXPECT_TRUE(result.accepted);
  EXPECT_TRUE(result.tariffsWritten);
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas\\ 2", "Coste"), "2.75");
}

TEST_F(DiaryDialogsOnQt, TheHolidayPickerSpeaksSpanishAndFollowsTheSelection) {
  CFestivosDlg dialog(store, sim.clock, desktop.dialogs(), boxes);
  whileModal(dialog, [&] {
    QWidget* window = shownWindow("CFestivosDlg");
    ASSERT_NE(window, nullptr);
    auto* picker = control<QDateEdit>(window, hd::kDate);
    EXPECT_EQ(picker->text().toStdString(), "14 de julio");
    auto* list = control<QTreeWidget>(window, hd::kList);
    ASSERT_EQ(list->topLevelItemCount(), 8);
    EXPECT_TRUE(list->isHeaderHidden());
    clickRow(list, 7);
    EXPECT_EQ(picker->text().toStdString(), "25 de diciembre");
    // The buttons sit under the picker, not spread down the window.
    auto* add = control<QPushButton>(window, hd::kAdd);
    EXPECT_LT(add->y() - picker->y(), 3 * picker->height());
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "La fecha que se intenta agregar ya está incluida en la lista.");
    QTest::mouseClick(control<QPushButton>(window, hd::kRemove), Qt::LeftButton);
    EXPECT_EQ(control<QTreeWidget>(window, hd::kList)->topLevelItemCount(), 7);
    QTest::mouseClick(control<QPushButton>(window, hd::kOk), Qt::LeftButton);
  });
  EXPECT_TRUE(dialog.DoModal());
  EXPECT_EQ(LoadHolidays(store).size(), 7u);
  EXPECT_EQ(LoadHolidays(store).back(), (CItemFestivo{8, 12}));
}

}  // namespace
}  // namespace zelvor::diary
