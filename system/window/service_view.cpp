#include "system/window/service_view.h"

#include <algorithm>

#include "platform/ui_types.h"

namespace zelvor {
namespace {

constexpr std::size_t kState = 2;
constexpr std::size_t kStartType = 3;
constexpr Colour kActiveText = rgb(0, 0, 192);
constexpr Colour kListText = 0xFFFFFFFF;

bool valid(const Control& list, int row) { return row >= 0 && static_cast<std::size_t>(row) < list.rows.size(); }

std::string lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

void SetServiceRowState(ListRow& row, int state, int startType) {
  row.data = ServiceRowData(state, startType);
  row.cells[kState] = ServiceStateText(state);
  row.cells[kStartType] = StartTypeText(startType);
  row.textColour = state == service_state::Stopped ? kListText : kActiveText;
}

std::vector<ListColumn> ServiceView::Columns() {
  return {{"Nombre", 120, false},
          {"Identificador", 70, false},
          {"Estado", 70, false},
          {"Tipo de inicio", 70, false},
          {"Archivo ejecutable", 200, false}};
}

void ServiceView::Fill(Control& list) {
  std::vector<ServiceRecord> services = manager_.services();
  std::stable_sort(services.begin(), services.end(), [](const ServiceRecord& a, const ServiceRecord& b) {
    return lower(a.displayName) < lower(b.displayName);
  });
  list.rows.clear();
  for (const ServiceRecord& s : services) {
    ListRow r;
    r.cells = {s.displayName, s.name, "", "", s.executablePath};
    SetServiceRowState(r, s.state, s.startType);
    list.rows.push_back(std::move(r));
  }
  list.value = -1;
}

bool ServiceView::Refresh(Control& list) {
  bool changed = false;
  for (ListRow& r : list.rows) {
    const auto state = manager_.state(r.cells[1]);
    const int shown = static_cast<int>(r.data / 65536);
    if (!state || *state == shown) continue;
    SetServiceRowState(r, *state, static_cast<int>(r.data % 65536));
    changed = true;
  }
  return changed;
}

int ServiceView::StateOfRow(const Control& list, int row) {
  return valid(list, row) ? static_cast<int>(list.rows[static_cast<std::size_t>(row)].data / 65536) : service_state::Unknown;
}

int ServiceView::StartTypeOfRow(const Control& list, int row) {
  return valid(list, row) ? static_cast<int>(list.rows[static_cast<std::size_t>(row)].data % 65536) : -1;
}

std::string ServiceView::NameOfRow(const Control& list, int row) {
  return valid(list, row) ? list.rows[static_cast<std::size_t>(row)].cells[1] : std::string{};
}

int ServiceView::CurrentState(const Control& list, int row) {
  if (!valid(list, row)) return service_state::Unknown;
  return manager_.state(NameOfRow(list, row)).value_or(StateOfRow(list, row));
}

ServiceResult ServiceView::Run(Control& list, int row, ServiceCommand command) {
  if (!valid(list, row)) return {false, ""};
  const std::string name = NameOfRow(list, row);
  ListRow& r = list.rows[static_cast<std::size_t>(row)];
  const int startType = StartTypeOfRow(list, row);
  using enum ServiceCommand;
  ServiceResult result;
  switch (command) {
    case Start:
      result = manager_.start(name);
      if (result.ok) SetServiceRowState(r, service_state::Starting, startType);
      break;
    case Stop:
    case Restart:
      result = manager_.stop(name);
      if (result.ok) SetServiceRowState(r, service_state::Stopping, startType);
      break;
    case Pause:
      result = manager_.pause(name);
      if (result.ok) SetServiceRowState(r, service_state::Pausing, startType);
      break;
    case Resume:
      result = manager_.resume(name);
      if (result.ok) SetServiceRowState(r, service_state::Resuming, startType);
      break;
    case Automatic:
    case Manual:
    case Disable: {
      const int type = command == Automatic ? service_start::Automatic
                       : command == Manual  ? service_start::Manual
                                            : service_start::Disabled;
      result = manager_.setStartType(name, type);
      if (result.ok) SetServiceRowState(r, StateOfRow(list, row), type);
      break;
    }
    case Uninstall:
      result = manager_.remove(name);
      if (result.ok) list.rows.erase(list.rows.begin() + row);
      break;
  }
  return result;
}

}  // namespace zelvor
