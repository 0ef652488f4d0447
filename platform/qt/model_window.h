#pragma once
// A window that shows a window model: its control tree laid out
// automatically, its style as window flags, its events reported back.

#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QSizeGrip>
#include <QVBoxLayout>

#include <memory>
#include <optional>
#include <vector>

#include "platform/qt/control_widgets.h"
#include "platform/window_model.h"

namespace zelvor {

class ModelWindow final : public QDialog {
 public:
  ModelWindow(WindowModel& model, const ImagePixmaps& images);

  // The model changed: rebuild when its shape changed, else sync in place.
  void refresh();
  void repaintCanvases() { tree_.repaintCanvases(); }
  [[nodiscard]] WindowModel& model() { return model_; }
  [[nodiscard]] const ControlTree& controls() const { return tree_; }
  // The widget showing the control with this id; null when none.
  [[nodiscard]] QWidget* widgetFor(int controlId) const;
  // The suite let go of the window (it is deleted later): from now on
  // nothing of it reaches the model, which may be gone before the widgets.
  void detach() { detached_ = true; }

  // Called when a close was allowed (the host decides what closing means).
  std::function<void()> onClosed;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void applyStyle();
  void applySurface();
  void applyAccelerators();
  void placeSizeGrip();
  [[nodiscard]] bool isAccelerator(const QKeyEvent& key) const;
  void placeInitially();
  void rebuild();
  void rebuildMenuBar();
  void report(const ControlPath& path, const std::function<void(Control&)>& change, const ControlEvent& event);

  WindowModel& model_;
  ControlTree tree_;
  QVBoxLayout* layout_;
  QPointer<QWidget> content_;
  QPointer<QMenuBar> menuBar_;
  std::vector<Accelerator> accelerators_;  // those the shortcuts were made for
  std::vector<QShortcut*> shortcuts_;
  QPointer<QSizeGrip> sizeGrip_;
  // A drag of the surface moved by hand where the window manager cannot:
  // the pointer's offset from the window's corner.
  std::optional<QPoint> dragOffset_;
  bool placed_ = false;
  bool detached_ = false;
  // The menus the bar was last made from: a refresh that changes none of
  // them leaves the bar (and a menu the user has open) alone.
  std::optional<std::vector<MenuItem>> builtMenus_;
};

}  // namespace zelvor
