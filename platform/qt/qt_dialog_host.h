#pragma once
// Shows window models as Qt dialogs.

#include <QEventLoop>

#include <map>
#include <memory>
#include <optional>

#include "platform/dialog_host.h"
#include "platform/qt/model_window.h"
#include "platform/qt/window_effects.h"

namespace zelvor {

class QtDialogHost final : public DialogHost {
 public:
  QtDialogHost(const ImagePixmaps& images, DesktopAbilities desktop);
  ~QtDialogHost() override;

  [[nodiscard]] WindowHandle create(WindowModel& model) override;
  void destroy(WindowHandle window) override;
  void show(WindowHandle window) override;
  void hide(WindowHandle window) override;
  [[nodiscard]] bool isVisible(WindowHandle window) override;
  void activate(WindowHandle window) override;
  void setEnabled(WindowHandle window, bool enabled) override;
  void update(WindowHandle window) override;
  void repaint(WindowHandle window) override;
  [[nodiscard]] Rect geometry(WindowHandle window) override;
  void editAction(WindowHandle window, int controlId, EditAction action) override;
  [[nodiscard]] EditState editState(WindowHandle window, int controlId) override;
  [[nodiscard]] int textHeight(WindowHandle window, int controlId) override;
  int runModal(WindowModel& model) override;
  void endModal(WindowModel& model, int code) override;
  void zoom(const Rect& from, const Rect& to) override;
  void showAnimated(WindowHandle window, Animation animation, bool fromLeft, bool fromTop) override;
  void hideAnimated(WindowHandle window, Animation animation, bool toLeft, bool toTop) override;
  [[nodiscard]] bool canUseOpacity() override { return desktop_.canBlend; }
  [[nodiscard]] std::vector<std::string> chooseFiles(const FileDialog& dialog) override;
  [[nodiscard]] std::string chooseFolder(const std::string& title) override;
  [[nodiscard]] bool chooseColour(Colour& colour) override;
  [[nodiscard]] bool chooseFont(Canvas::Font& font, Colour& colour) override;

  // The Qt window of a handle, for tests; null when there is none.
  [[nodiscard]] ModelWindow* window(WindowHandle handle) const;

 private:
  struct Modal {
    QEventLoop* loop = nullptr;
    std::optional<int> code;  // ended before the loop ran
  };
  // Window handles come from their own range, apart from the event loop's targets.
  WindowHandle nextHandle_ = 0x100000;
  const ImagePixmaps& images_;
  DesktopAbilities desktop_;
  std::map<WindowHandle, std::unique_ptr<ModelWindow>> windows_;
  std::map<WindowModel*, Modal> modals_;
};

}  // namespace zelvor
