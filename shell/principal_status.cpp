// What the main window tells another process: the status listing, and the
// requests of zelvorctl and of a second start.

#include <charconv>
#include <cstdio>

#include "platform/hotkeys.h"
#include "platform/messages.h"
#include "shell/hotkey_names.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

std::string field(const std::string& text) { return StatusField(text); }

std::string imageText(const CTrayIcon& icon) {
  const ImageRef& i = icon.image();
  if (i.pixels) return "pixels";
  if (!i.file.empty()) return "file:" + std::to_string(i.index);
  switch (i.strip) {
    case ImageStrip::Utility: return "utility:" + std::to_string(i.index);
    case ImageStrip::Product: return "product:" + std::to_string(i.index);
    case ImageStrip::Small: return "small:" + std::to_string(i.index);
    case ImageStrip::Blink: return "blink:" + std::to_string(i.index);
    case ImageStrip::Large: return "large:" + std::to_string(i.index);
    case ImageStrip::Dial: return "dial:" + std::to_string(i.index);
    case ImageStrip::None: break;
  }
  return "none";
}

void iconLine(std::string& out, const CTrayIcon& icon) {
  if (!icon.shown()) return;
  out += "icon\t" + std::to_string(icon.id()) + "\t" + field(icon.title()) + "\t" + field(icon.tip()) +
         "\t" + imageText(icon) + "\t" + (icon.inTray() ? "tray" : "bar") + "\n";
}

void itemLines(std::string& out, const std::vector<MenuItem>& items, int depth) {
  for (const auto& m : items) {
    std::string flags;
    const auto flag = [&](const char* f) { flags += (flags.empty() ? "" : ",") + std::string(f); };
    if (m.kind == MenuItem::Kind::Separator) flag("separator");
    if (m.kind == MenuItem::Kind::Submenu) flag("submenu");
    if (m.checked) flag("checked");
    if (m.grayed) flag("grayed");
    if (flags.empty()) flags = "-";
    out += "item\t" + std::to_string(depth) + "\t" + std::to_string(m.id) + "\t" + flags + "\t" +
           field(m.text) + "\n";
    if (m.kind == MenuItem::Kind::Submenu) itemLines(out, m.children, depth + 1);
  }
}

bool parseInt(std::string_view text, int& value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

std::string StatusField(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string CPrincipalDlg::StatusReport() {
  std::string out;
  for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) iconLine(out, *builtIn_.at(id));
  for (const auto& i : shortcuts_) iconLine(out, *i);
  for (const auto& i : raroMenus_) iconLine(out, *i);
  iconLine(out, *builtIn_.at(icon_id::DeveRevazoz));
  if (Utility* deve = app_.utility(UtilityKind::DeveRevazoz)) {
    for (CTrayIcon* i : deve->ownIcons()) {
      if (i != nullptr) iconLine(out, *i);
    }
  }
  for (UtilityKind k : kListOrder) {
    const Utility* u = app_.utility(k);
    if (u == nullptr) continue;
    for (const auto& record : u->statusRecords()) {
      std::string line;
      for (const std::string& f : record) line += (line.empty() ? "" : "\t") + field(f);
      out += line + "\n";
    }
  }
  for (const auto& w : app_.dialogs().windows()) {
    const bool visible = w.handle == kNoWindow || app_.dialogs().isVisible(w.handle);
    out += "window\t" + field(w.model->className) + "\t" + field(w.model->title) + "\t" +
           (visible ? "visible" : "hidden") + "\n";
  }
  for (const auto& [id, h] : hotkeys_) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(id));
    out += std::string("hotkey\t") + hex + "\t" + field(KeyName(h.binding)) + "\t" +
           (h.registered                               ? "registered"
            : app_.desktop().hotkeys.canGrab() ? "taken"
                                               : "unavailable") +
           "\n";
  }
  if (lastHotkey_ >= 0) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(lastHotkey_));
    out += std::string("pressed\t") + hex + "\n";
  }
  if (openMenu_) {
    out += "menu\t" + field(openMenu_->title) + "\n";
    itemLines(out, openMenu_->items, 0);
  }
  return out;
}

std::string CPrincipalDlg::HandleControlRequest(const std::string& line) {
  std::vector<std::string_view> words;
  std::string_view rest(line);
  while (!rest.empty()) {
    const auto start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    const auto end = rest.find(' ');
    words.push_back(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  if (words.empty()) return "error empty request\n";
  Desktop& d = app_.desktop();
  if (words[0] == "status" && words.size() == 1) return "ok\n" + StatusReport();
  if (words[0] == "quit" && words.size() == 1) {
    // Answered first; "Salir" runs as soon as the reply is on its way.
    d.loop.post(handle_, msg::Command, menu_id::Exit, 0);
    return "ok\n";
  }
  if (words[0] == "message" && words.size() == 2 && words[1] == "1324") {
    d.loop.post(handle_, msg::ShowProductMenu, 0, 0);
    return "ok\n";
  }
  if (words[0] == "command" && words.size() == 3) {
    int iconId = 0, command = 0;
    if (!parseInt(words[1], iconId) || !parseInt(words[2], command) || iconId < 1 ||
        iconId > 0xFFFF || command < 0 || command > 255) {
      return "error ICON must be an icon id (1 to 65535) and COMMAND a number from 0 to 255\n";
    }
    // Delivered as the hotkey itself would be, so the reply never waits for
    // a window the command opens.
    d.loop.post(handle_, msg::HotKey, iconId * 256 + command, 0);
    return "ok\n";
  }
  return "error unknown request: " + field(line) + "\n";
}

void CPrincipalDlg::OnControlRequest(std::intptr_t number) {
  SingleInstance& instance = app_.instance();
  const auto line = instance.request(number);
  if (!line) return;
  instance.answer(number, HandleControlRequest(*line));
}

}  // namespace zelvor
