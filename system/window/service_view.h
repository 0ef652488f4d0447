#pragma once
// The system services view: every service sorted by the name users read,
// with its identifier, state, start type and program; states re-read
// every 4 seconds; commands through the system's service manager.

#include <string>
#include <vector>

#include "platform/service_manager.h"
#include "platform/window_model.h"
#include "system/service_texts.h"

namespace zelvor {

class ServiceView {
 public:
  explicit ServiceView(ServiceManager& manager) : manager_(manager) {}

  static constexpr const char* kTitle = "Zivi Duvaza - Servicios del sistema";
  [[nodiscard]] static std::vector<ListColumn> Columns();

  void Fill(Control& list);
  // Re-reads each row's state; true when one changed.
  bool Refresh(Control& list);
  // The state a row shows and its start type, from its key.
  [[nodiscard]] static int StateOfRow(const Control& list, int row);
  [[nodiscard]] static int StartTypeOfRow(const Control& list, int row);
  [[nodiscard]] static std::string NameOfRow(const Control& list, int row);
  // Asks the manager for the row's current state (the one the menus go by).
  [[nodiscard]] int CurrentState(const Control& list, int row);

  // Carries out a command on a row and shows its outcome in the row (the
  // removed service's row goes). Restart only stops here: the caller
  // starts the service a second later.
  [[nodiscard]] ServiceResult Run(Control& list, int row, ServiceCommand command);

 private:
  ServiceManager& manager_;
};

// A row's look: stopped services in the list's colours, the others in blue.
void SetServiceRowState(ListRow& row, int state, int startType);

}  // namespace zelvor
