#include "shell/utilities.h"

namespace zelvor {

std::optional<UtilityKind> utilityOfIcon(int iconId) {
  for (const auto& u : kUtilities) {
    if (u.iconId != 0 && u.iconId == iconId) return u.kind;
  }
  return std::nullopt;
}

}  // namespace zelvor
