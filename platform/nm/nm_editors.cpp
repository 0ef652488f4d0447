#include "platform/nm/nm_editors.h"

#include <vector>

namespace zelvor::nm {

EditorOutcome OpenConnectionEditor(Launcher& launcher, EditorAction action, const std::string& uuid) {
  std::vector<std::vector<std::string>> candidates;
  switch (action) {
    case EditorAction::Create: candidates.push_back({"nm-connection-editor", "--create"}); break;
    case EditorAction::Edit:
      candidates.push_back(uuid.empty() ? std::vector<std::string>{"nm-connection-editor"}
                                        : std::vector<std::string>{"nm-connection-editor", "--edit=" + uuid});
      break;
    case EditorAction::ShowAll: candidates.push_back({"nm-connection-editor"}); break;
  }
  // The desktops' settings have no page per profile: they open on the list.
  candidates.push_back({"gnome-control-center", "network"});
  candidates.push_back({"kcmshell6", "kcm_networkmanagement"});
  candidates.push_back({"kcmshell5", "kcm_networkmanagement"});
  for (auto& argv : candidates) {
    if (launcher.launch(LaunchRequest{std::move(argv), ""}).ok) return EditorOutcome::Opened;
  }
  return EditorOutcome::NoEditor;
}

}  // namespace zelvor::nm
