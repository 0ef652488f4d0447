#pragma once
// Builds Qt widgets for a window model's control tree, keeps them in step
// with the model, and turns what the user does into model changes and
// events. A control is found again by its path of child indices from the
// root, so the owner may replace controls between updates.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/image_pixmaps.h"
#include "platform/window_model.h"

namespace zelvor {

using ControlPath = std::vector<int>;

class ControlTree {
 public:
  // report: apply the change to the control at path, then tell the model.
  using Reporter = std::function<void(const ControlPath& path, const std::function<void(Control&)>& change,
                                      const ControlEvent& event)>;
  ControlTree(const ImagePixmaps& images, Reporter report, bool draggableSurface);

  // Containers built from now on keep no room between their children
  // (a window whose model asks for margin 0).
  void setTight(bool tight) { tight_ = tight; }
  [[nodiscard]] bool tight() const { return tight_; }
  // Builds the widgets for root; the previous widgets' signals are ignored from now on.
  [[nodiscard]] QWidget* build(const Control& root);
  // Whether the model still has the shape the widgets were built for.
  [[nodiscard]] bool sameShape(const Control& root) const { return shapeOf(root) == shape_; }
  // Brings every widget in line with the model without rebuilding.
  void sync(const Control& root);
  // Repaints the canvas controls.
  void repaintCanvases();

  [[nodiscard]] static std::string shapeOf(const Control& root);
  [[nodiscard]] const ImagePixmaps& images() const { return images_; }

  struct Bound {
    ControlPath path;
    ControlKind kind;
    QWidget* widget;
  };
  [[nodiscard]] const std::vector<Bound>& bound() const { return bound_; }

 private:
  QWidget* buildControl(const Control& c, const ControlPath& path);
  QWidget* buildContainer(const Control& c, const ControlPath& path);
  QWidget* buildListView(const Control& c, const ControlPath& path);
  QWidget* buildTree(const Control& c, const ControlPath& path);
  void connectSignals(const Control& c, const ControlPath& path, QWidget* w);
  void connectContextMenu(const Control& c, const ControlPath& path, QWidget* w);
  void emitChange(const ControlPath& path, std::function<void(Control&)> change, ControlEvent event);
  void syncOne(const Control& c, QWidget* w);

  const ImagePixmaps& images_;
  Reporter report_;
  bool draggableSurface_;
  bool tight_ = false;
  std::vector<Bound> bound_;
  std::string shape_;
  std::uint64_t generation_ = 0;
  bool syncing_ = false;
};

}  // namespace zelvor
