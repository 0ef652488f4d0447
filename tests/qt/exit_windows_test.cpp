// The time trigger's windows on the Qt desktop: the countdown warning runs
// modally on Qt's own loop with its one-second timer, and the trigger's
// page reacts to real widgets (check boxes, the weekday list's check
// marks, the time picker in "HH:mm").

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include "exit/countdown_window.h"
#include "exit/scheduler_page_window.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_registry.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::sharedDesktop;
using testing::waitUntil;

ModelWindow* ShownWindowOfClass(const char* className) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String(className) && w->isVisible()) return dynamic_cast<ModelWindow*>(w);
  }
  return nullptr;
}

template <typename W>
W* Widget(ModelWindow& window, int id) {
  W* w = qobject_cast<W*>(window.widgetFor(id));
  if (w == nullptr) ADD_FAILURE() << "no widget for control " << id;
  return w;
}

TEST(QtCountdownWarning, ShowsTheCountAndRunsOutOnQtsLoop) {
  QtDesktop& d = sharedDesktop();
  CountdownWindowPresenter presenter(d.dialogs(), d.loop());
  CAvisoDlg dialog(1, "Apagar el sistema", "El sistema se apagará.", 6);
  std::string firstLine, windowTitle;
  int barMaximum = -1;
  bool iconDrawn = false;
  QTimer::singleShot(300, [&] {
    ModelWindow* w = ShownWindowOfClass(CountdownWindowPresenter::kClassName);
    if (w == nullptr) return;
    windowTitle = w->windowTitle().toStdString();
    firstLine = Widget<QLabel>(*w, countdown_control::Remaining)->text().toStdString();
    barMaximum = Widget<QProgressBar>(*w, countdown_control::Progress)->maximum();
    iconDrawn = !Widget<QLabel>(*w, countdown_control::Icon)->pixmap().isNull();
  });
  presenter.RunModal(dialog);
  EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Accepted);
  EXPECT_EQ(windowTitle, "Apagar el sistema");
  EXPECT_EQ(firstLine, "Quedan 1 segundos");
  EXPECT_EQ(barMaximum, 1);
  EXPECT_TRUE(iconDrawn);
  EXPECT_EQ(ShownWindowOfClass(CountdownWindowPresenter::kClassName), nullptr);
}

TEST(QtCountdownWarning, EscapeAndCancelarCancel) {
  QtDesktop& d = sharedDesktop();
  CountdownWindowPresenter presenter(d.dialogs(), d.loop());
  for (const bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancelar");
    CAvisoDlg dialog(30, "c", "m", 5);
    QTimer::singleShot(200, [&] {
      ModelWindow* w = ShownWindowOfClass(CountdownWindowPresenter::kClassName);
      if (w == nullptr) return;
      if (escape) {
        QTest::keyClick(w, Qt::Key_Escape);
      } else {
        QTest::mouseClick(Widget<QPushButton>(*w, countdown_control::Cancel), Qt::LeftButton);
      }
    });
    presenter.RunModal(dialog);
    EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Cancelled);
    EXPECT_EQ(dialog.Remaining(), 30);
  }
}

TEST(QtSchedulerPage, RealWidgetsEditThePageAndAceptarStoresIt) {
  QtDesktop& d = sharedDesktop();
  SimRegistry registry;
  SimClock clock;
  CScheduler scheduler({registry, clock}, scheduler_setup::AutomaticDisconnect());
  SchedulerPageWindow page(scheduler, d.dialogs(), "Dedo Vuv");
  page.Open();
  ModelWindow* w = d.dialogs().window(page.Handle());
  ASSERT_NE(w, nullptr);
  const SchedulerPageView& view = page.View();
  using C = SchedulerControl;
  auto* kinds = Widget<QComboBox>(*w, view.IdOf(C::KindList));
  auto* weekdays = Widget<QTreeWidget>(*w, view.IdOf(C::WeekdayList));
  auto* time = Widget<QTimeEdit>(*w, view.IdOf(C::TimePicker));
  ASSERT_TRUE(kinds && weekdays && time);
  EXPECT_EQ(time->displayFormat().toStdString(), "HH:mm");
  EXPECT_EQ(Widget<QCheckBox>(*w, view.IdOf(C::EnableBox))->text().toStdString(), "Desconectar automáticamente:");
  EXPECT_FALSE(kinds->isEnabled());

  Widget<QCheckBox>(*w, view.IdOf(C::EnableBox))->click();
  EXPECT_TRUE(kinds->isEnabled());
  EXPECT_FALSE(weekdays->isEnabled());
  kinds->setCurrentIndex(2);
  emit kinds->activated(2);
  EXPECT_TRUE(weekdays->isEnabled());
  // Each check mark the user sets reaches the page; the list keeps its rows.
  weekdays->topLevelItem(1)->setCheckState(0, Qt::Checked);
  weekdays->topLevelItem(6)->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(scheduler.Page().WeekdayChecked(1));
  EXPECT_TRUE(scheduler.Page().WeekdayChecked(6));
  EXPECT_EQ(weekdays->topLevelItemCount(), 7);
  time->setTime(QTime(22, 5));

  QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("c%1").arg(SchedulerPageWindow::kConfirmId)),
                    Qt::LeftButton);
  EXPECT_FALSE(page.IsOpen());
  CRegKeyEx key(registry);
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath("DedoVuv\\Scheduler2")), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("Enable"), 1u);
  EXPECT_EQ(key.GetDword("Start"), 2u);
  EXPECT_EQ(key.GetDword("Weekday"), 32u + 1u);  // Tuesday (today's, set already) and Sunday
  EXPECT_EQ(key.GetDword("Hour"), 22u);
  EXPECT_EQ(key.GetDword("Minute"), 5u);
  // The window goes once Qt's loop has run.
  EXPECT_TRUE(waitUntil([] { return ShownWindowOfClass(SchedulerPageWindow::kClassName) == nullptr; }));
}

}  // namespace
}  // namespace zelvor
