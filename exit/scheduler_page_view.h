#pragma once
// The trigger's page as controls of a window model. A window that embeds
// the page (an owner's configuration window, or SchedulerPageWindow on its
// own) adds Build()'s tree to its model, passes the user's events to
// HandleEvent and shows the model again when it says so.
//
// The day field and its spin control are one Spin control here, as are
// the seconds field and its spin: toolkits have the pair as one widget.
// Both halves of each pair share the pair's enabling and visibility.

#include "exit/scheduler_page.h"
#include "platform/window_model.h"

namespace zelvor {

class SchedulerPageView {
 public:
  // The page's controls take the ids firstId .. firstId + kSchedulerControlCount - 1,
  // so that a window can hold two pages (connect and disconnect) side by side.
  SchedulerPageView(CSchedulerPage& page, int firstId) : page_(page), firstId_(firstId) {}

  [[nodiscard]] int IdOf(SchedulerControl control) const { return firstId_ + static_cast<int>(control); }
  // Whether a control id is one of this page's.
  [[nodiscard]] bool Owns(int controlId) const {
    return controlId >= firstId_ && controlId < firstId_ + kSchedulerControlCount;
  }

  // The page's controls, as one column, already showing the page.
  [[nodiscard]] Control Build() const;
  // Brings the values, texts, enabling and visibility of the page's
  // controls below root in line with the page.
  void Apply(Control& root) const;

  enum class EventResult {
    NotMine,       // the event is not about this page
    Changed,       // the page took the edit; the model changed: show it again
    ShownAlready,  // the page took the edit; the model already shows it
  };
  // Takes the user's edit from the model (the binding has updated the
  // control) into the page, then applies the page's rules to the model.
  [[nodiscard]] EventResult HandleEvent(const ControlEvent& event, Control& root);

 private:
  [[nodiscard]] Control Make(ControlKind kind, SchedulerControl control) const;

  CSchedulerPage& page_;
  int firstId_;
};

}  // namespace zelvor
