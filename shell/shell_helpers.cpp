#include "shell/shell_helpers.h"

#include <cstdlib>

#include "platform/event_loop.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/tray_host.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {
namespace {

// The longest sound path the store's rules allow after expansion.
constexpr std::size_t kMaxPath = 260;

}  // namespace

std::string SoundEventKey(std::string_view event) {
  return "AppEvents\\Schemes\\Apps\\.Default\\" + std::string(event) + "\\.current";
}

std::string ExpandEnvironment(std::string_view text, const EnvironmentLookup& lookup) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('%', i);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(i, open - i));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    const auto value = name.empty() || !lookup ? std::nullopt : lookup(name);
    if (value) {
      out += *value;
      i = close + 1;
    } else {
      // Unknown names stay as written, and the closing % may open the next one.
      out.append(text.substr(open, close - open));
      i = close;
    }
  }
  out.append(text.substr(i));
  return out;
}

EnvironmentLookup ProcessEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    const char* v = std::getenv(std::string(name).c_str());
    if (v == nullptr) return std::nullopt;
    return std::string(v);
  };
}

ShellHelpers::ShellHelpers(TrackedDialogs& dialogs, Desktop desktop, ConfigStore& store,
                           Files& files, Launcher& launcher, int osGeneration,
                           EnvironmentLookup environment)
    : dialogs_(dialogs),
      desktop_(desktop),
      store_(store),
      files_(files),
      launcher_(launcher),
      osGeneration_(osGeneration),
      environment_(std::move(environment)) {}

Rect ShellHelpers::ZoomEnd() {
  if (store_.ReadConfigInt("", root_value::MostrarBarra) != 0 && bar_ != kNoWindow) {
    return dialogs_.geometry(bar_);
  }
  Rect r = desktop_.tray.area();
  if (r.width() <= 0 || r.height() <= 0) return {};
  // A strip one pixel wide at the middle of the notification area.
  r.left = r.right - (r.right - r.left) / 2;
  r.right = r.left + 1;
  return r;
}

void ShellHelpers::ShowAnimated(WindowHandle window) {
  if (!dialogs_.isVisible(window)) {
    const Rect from = ZoomEnd();
    if (from.width() > 0 || from.height() > 0) dialogs_.zoom(from, dialogs_.geometry(window));
    PlayEventSound("RestoreUp");
  }
  dialogs_.show(window);
  dialogs_.activate(window);
}

void ShellHelpers::HideAnimated(WindowHandle window, bool destroy) {
  if (dialogs_.isVisible(window)) {
    const Rect to = ZoomEnd();
    if (to.width() > 0 || to.height() > 0) dialogs_.zoom(dialogs_.geometry(window), to);
    PlayEventSound("Minimize");
  }
  if (destroy) {
    dialogs_.destroy(window);
  } else {
    dialogs_.hide(window);
  }
}

DialogHost::Animation ShellHelpers::PanelAnimation() const {
  const int setting = store_.ReadConfigInt("", root_value::AnimacionMenus);
  if (setting <= 0) return DialogHost::Animation::None;
  if (setting >= 2 && osGeneration_ >= 6) return DialogHost::Animation::Fade;
  return DialogHost::Animation::Roll;
}

void ShellHelpers::ShowPanelAtCursor(WindowHandle window, int width, int height) {
  WindowModel* model = dialogs_.model(window);
  if (model == nullptr) return;
  const Rect current = dialogs_.geometry(window);
  if (width == -1) width = current.width();
  if (height == -1) height = current.height();
  const Point p = desktop_.screen.cursor();
  // The bottom-right corner goes to the pointer when there is room.
  const int left = width < p.x ? p.x - width : p.x;
  const int top = height < p.y ? p.y - height : p.y;
  model->geometry = {left, top, left + width, top + height};
  model->style.topmost = true;
  const auto animation = PanelAnimation();
  if (animation == DialogHost::Animation::None) {
    dialogs_.update(window);
    dialogs_.show(window);
  } else {
    dialogs_.hide(window);
    dialogs_.update(window);
    // Rolls out of the pointer's corner: from the right when the panel lies
    // left of the pointer, from the bottom when it lies above it.
    dialogs_.showAnimated(window, animation, left >= p.x, top >= p.y);
  }
  dialogs_.repaint(window);
  PlayEventSound("MenuPopup");
}

void ShellHelpers::HidePanel(WindowHandle window) {
  const auto animation = PanelAnimation();
  if (animation == DialogHost::Animation::None) {
    dialogs_.hide(window);
    return;
  }
  const Rect g = dialogs_.geometry(window);
  dialogs_.hideAnimated(window, animation, !(g.left > g.width()), !(g.top > g.height()));
}

std::string ShellHelpers::ResolveSound(std::string_view fileOrEvent) {
  const std::string name(fileOrEvent);
  if (files_.exists(name)) return name;
  CRegKeyEx key(store_.registry());
  if (key.Open(Hive::CurrentUser, SoundEventKey(fileOrEvent)) != RegStatus::Ok) return {};
  const std::string file = ExpandEnvironment(key.GetString(""), environment_);
  // A path longer than the limit is not cut to some other file's name.
  if (file.empty() || file.size() > kMaxPath || !files_.exists(file)) return {};
  return file;
}

void ShellHelpers::PlayEventSound(std::string_view fileOrEvent, bool loop) {
  if (!desktop_.sound.available()) return;
  if (fileOrEvent.empty()) {
    desktop_.sound.stop();
    return;
  }
  const std::string file = ResolveSound(fileOrEvent);
  if (!file.empty()) (void)desktop_.sound.play(file, loop);
}

bool ShellHelpers::CanUseOpacity() {
  if (!canUseOpacity_) canUseOpacity_ = dialogs_.canUseOpacity();
  return *canUseOpacity_;
}

void ShellHelpers::SetWindowOpacity(WindowHandle window, int percent) {
  if (!CanUseOpacity()) return;
  WindowModel* model = dialogs_.model(window);
  if (model == nullptr) return;
  // The binding applies percent × 255 / 100 as the alpha; 100 is opaque and
  // drops the translucency altogether.
  model->style.opacity = percent >= 100 ? 100 : std::max(percent, 0);
  dialogs_.update(window);
}

void ShellHelpers::OpenHelp(int context) {
  (void)context;  // The desktop's viewers open the file at its start page.
  const std::string file = HelpFile();
  if (!files_.exists(file)) return;
  (void)launcher_.launch({{"xdg-open", file}, {}});
}

int ShellHelpers::HelpContextOf(const WindowModel* foreground) {
  if (foreground == nullptr || foreground->helpContext == 0) return help_context::Default;
  return foreground->helpContext;
}

}  // namespace zelvor
