// The tip of the day, the input box and the progress window as the Qt
// binding shows them: the tip's panel is painted white with its text, the
// input field takes no more than the limit, and the progress window's
// owner is a disabled Qt window that comes back when the window goes, while
// stepping keeps Qt's loop running.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <random>

#include "platform/messages.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/dialogs/input_box.h"
#include "shell/dialogs/progress_dlg.h"
#include "shell/dialogs/shell_windows.h"
#include "shell/dialogs/tip_dlg.h"
#include "shell/store/install_defaults.h"
#include "shell/zelvor_app.h"
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

class NoComponents : public UtilityFactory {
 public:
  std::unique_ptr<Utility> createUtility(UtilityKind, CZelvorApp&) override { return nullptr; }
  std::unique_ptr<ShellWindow> createWindow(WindowKind kind, CZelvorApp& app) override {
    return kind == WindowKind::Tip ? MakeTipWindow(app) : nullptr;
  }
};

class ShellDialogsOnQt : public ::testing::Test {
 protected:
  ShellDialogsOnQt()
      : folder((std::filesystem::temp_directory_path() /
                ("zelvor-dialogs-qt-" + std::to_string(std::random_device{}())))
                   .string() + "/"),
        sim(folder) {
    std::filesystem::create_directories(folder);
  }
  ~ShellDialogsOnQt() override { std::filesystem::remove_all(folder); }

  QtDesktop& desktop = sharedDesktop();
  std::string folder;
  SimPlatform sim;
};

TEST_F(ShellDialogsOnQt, TheTipIsPaintedOnWhiteAndItsButtonsWork) {
  SimInstanceWorld world;
  SimSingleInstance instance(world, 1);
  NoComponents factory;
  CZelvorApp app(sim.platform(), desktop.desktop(), instance, factory);
  ASSERT_TRUE(InstallDefaults(app.store(), {}).installed);
  app.OpenWindow(WindowKind::Tip);
  auto* tip = dynamic_cast<CTipDlg*>(app.window(WindowKind::Tip));
  ASSERT_NE(tip, nullptr);
  ModelWindow* window = ShownWindowOfClass("CTipDlg");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle().toStdString(), "Zelvor - Sugerencia del día");
  auto* box = Widget<QCheckBox>(*window, tip_control::ShowAtStart);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isChecked());

  QWidget* panel = window->widgetFor(tip_control::Panel);
  ASSERT_NE(panel, nullptr);
  const QImage shot = panel->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // White inside the frame, and dark ink where the heading and the tip are.
  EXPECT_EQ(shot.pixelColor(4, shot.height() - 4), QColor(255, 255, 255));
  int ink = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 2; x < shot.width() - 2; ++x) {
      if (shot.pixelColor(x, y).lightness() < 100) ++ink;
    }
  }
  EXPECT_GT(ink, 200) << "the heading and the tip are drawn";

  const int first = tip->currentTip();
  QTest::mouseClick(Widget<QPushButton>(*window, tip_control::Next), Qt::LeftButton);
  EXPECT_NE(tip->currentTip(), first);

  box->click();
  QTest::mouseClick(Widget<QPushButton>(*window, tip_control::Close), Qt::LeftButton);
  EXPECT_TRUE(waitUntil([] { return ShownWindowOfClass("CTipDlg") == nullptr; }));
  EXPECT_EQ(app.store().ReadConfigString("", "SugerenciasAlInicio"), "0");
}

TEST_F(ShellDialogsOnQt, TheInputFieldTakesNoMoreThanTheLimit) {
  std::string text = "Hoy";
  CInputBox box(desktop.dialogs(), kNoWindow, "Nombre:", "Cambiar el nombre", text, 6);
  QTimer::singleShot(0, [] {
    ModelWindow* w = ShownWindowOfClass("CInputBox");
    ASSERT_NE(w, nullptr);
    auto* edit = Widget<QLineEdit>(*w, input_control::Text);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text().toStdString(), "Hoy");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "Manana temprano");
    EXPECT_EQ(edit->text().toStdString(), "Manan");
    QTest::mouseClick(Widget<QPushButton>(*w, input_control::Ok), Qt::LeftButton);
  });
  EXPECT_TRUE(box.DoModal());
  EXPECT_EQ(text, "Manan");
}

TEST_F(ShellDialogsOnQt, TheOwnerIsDisabledWhileProgressRunsAndStepsKeepTheLoopGoing) {
  WindowModel owner;
  owner.className = "COwnerWindow";
  owner.root.add(Control::make(ControlKind::Label, 1, "Dueño"));
  const WindowHandle ownerHandle = desktop.dialogs().create(owner);
  desktop.dialogs().show(ownerHandle);
  ModelWindow* ownerWindow = desktop.dialogs().window(ownerHandle);
  ASSERT_NE(ownerWindow, nullptr);
  testing::RecordingTarget target;
  const WindowHandle t = desktop.loop().addTarget(target);
  {
    ProgressOptions options;
    options.lowest = 0;
    options.highest = 50;
    options.step = 5;
    options.text = "Copiando...";
    options.offerCancel = true;
    CProgressDlg progress(desktop.dialogs(), desktop.loop(), ownerHandle, options);
    EXPECT_FALSE(ownerWindow->isEnabled());
    ModelWindow* w = ShownWindowOfClass("CProgressDlg");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle().toStdString(), "Zelvor");

    desktop.loop().post(t, msg::TipClosed, 7, 8);
    progress.StepIt();
    EXPECT_TRUE(target.has(msg::TipClosed, 7, 8)) << "stepping delivered the waiting message";
    progress.StepIt();
    EXPECT_EQ(Widget<QProgressBar>(*w, progress_control::Bar)->value(), 10);

    // A press that Qt queues arrives during the next step.
    QPushButton* cancel = Widget<QPushButton>(*w, progress_control::Cancel);
    ASSERT_NE(cancel, nullptr);
    QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
    progress.SetPos(30);
    EXPECT_TRUE(progress.cancelled());
  }
  EXPECT_TRUE(ownerWindow->isEnabled());
  desktop.loop().removeTarget(t);
  desktop.dialogs().destroy(ownerHandle);
}

}  // namespace
}  // namespace zelvor
