#include "platform/qt/x11_hotkeys.h"

#include <cstdlib>
#include <memory>

#include "platform/messages.h"
#include "platform/qt/virtual_keys.h"

namespace zelvor {
namespace {

constexpr std::uint32_t kNumLockKeysym = 0xFF7F;

std::uint16_t xModifiersOf(std::uint32_t suite) {
  std::uint16_t m = 0;
  if ((suite & hotkey_mod::Alt) != 0) m |= XCB_MOD_MASK_1;
  if ((suite & hotkey_mod::Control) != 0) m |= XCB_MOD_MASK_CONTROL;
  if ((suite & hotkey_mod::Shift) != 0) m |= XCB_MOD_MASK_SHIFT;
  if ((suite & hotkey_mod::Win) != 0) m |= XCB_MOD_MASK_4;
  return m;
}

}  // namespace

X11Hotkeys::X11Hotkeys(QtEventLoop& loop, X11Connection* x11) : loop_(loop), x11_(x11) {
  if (x11_ == nullptr) return;
  symbols_ = xcb_key_symbols_alloc(x11_->connection());
  readLockMasks();
  x11_->addListener([this](const xcb_generic_event_t& e) { return onEvent(e); });
}

X11Hotkeys::~X11Hotkeys() {
  for (auto& [key, binding] : bindings_) ungrab(binding);
  if (x11_ != nullptr) x11_->flush();
  if (symbols_ != nullptr) xcb_key_symbols_free(symbols_);
}

void X11Hotkeys::readLockMasks() {
  // NumLock sits on whichever modifier the mapping puts it; usually Mod2.
  xcb_connection_t* c = x11_->connection();
  std::unique_ptr<xcb_keycode_t, decltype(&std::free)> numLock(xcb_key_symbols_get_keycode(symbols_, kNumLockKeysym),
                                                                &std::free);
  xcb_get_modifier_mapping_reply_t* reply =
      xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
  if (reply == nullptr || !numLock) {
    std::free(reply);
    return;
  }
  const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
  const int perModifier = reply->keycodes_per_modifier;
  for (int mod = 0; mod < 8; ++mod) {
    for (int k = 0; k < perModifier; ++k) {
      const xcb_keycode_t code = codes[mod * perModifier + k];
      for (const xcb_keycode_t* n = numLock.get(); code != 0 && *n != 0; ++n) {
        if (*n == code) numLockMask_ = static_cast<std::uint16_t>(1u << mod);
      }
    }
  }
  std::free(reply);
}

std::vector<std::uint16_t> X11Hotkeys::lockVariants() const {
  const auto caps = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK);
  return {0, caps, numLockMask_, static_cast<std::uint16_t>(caps | numLockMask_)};
}

bool X11Hotkeys::grab(Binding& binding) {
  const std::uint32_t keysym = vk::toKeysym(static_cast<int>(binding.virtualKey));
  if (keysym == 0 || symbols_ == nullptr) return false;
  std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(xcb_key_symbols_get_keycode(symbols_, keysym), &std::free);
  if (!codes || codes.get()[0] == 0) return false;
  binding.xModifiers = xModifiersOf(binding.modifiers);
  xcb_connection_t* c = x11_->connection();
  std::vector<std::pair<xcb_keycode_t, xcb_void_cookie_t>> cookies;
  for (const xcb_keycode_t* code = codes.get(); *code != 0; ++code) {
    for (const std::uint16_t locks : lockVariants()) {
      cookies.emplace_back(*code, xcb_grab_key_checked(c, 1, x11_->root(),
                                                       static_cast<std::uint16_t>(binding.xModifiers | locks), *code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
  }
  // Another client holding any variant (BadAccess) means the combination is taken.
  bool ok = true;
  for (auto& [code, cookie] : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
      ok = false;
      std::free(error);
    }
  }
  for (const xcb_keycode_t* code = codes.get(); *code != 0; ++code) binding.keycodes.push_back(*code);
  if (!ok) ungrab(binding);
  x11_->drain();
  return ok;
}

void X11Hotkeys::ungrab(Binding& binding) {
  if (x11_ == nullptr) return;
  for (const xcb_keycode_t code : binding.keycodes) {
    for (const std::uint16_t locks : lockVariants()) {
      xcb_ungrab_key(x11_->connection(), code, x11_->root(), static_cast<std::uint16_t>(binding.xModifiers | locks));
    }
  }
  binding.keycodes.clear();
  x11_->flush();
}

bool X11Hotkeys::registerHotkey(WindowHandle target, int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
  if (x11_ == nullptr) return false;
  unregisterHotkey(target, id);
  // One combination serves one registration, in this process as elsewhere.
  for (const auto& [key, b] : bindings_) {
    if (b.modifiers == modifiers && b.virtualKey == virtualKey) return false;
  }
  Binding binding{modifiers, virtualKey, 0, {}};
  if (!grab(binding)) return false;
  bindings_[{target, id}] = std::move(binding);
  return true;
}

void X11Hotkeys::unregisterHotkey(WindowHandle target, int id) {
  const auto it = bindings_.find({target, id});
  if (it == bindings_.end()) return;
  ungrab(it->second);
  bindings_.erase(it);
}

bool X11Hotkeys::onEvent(const xcb_generic_event_t& event) {
  const auto type = static_cast<std::uint8_t>(event.response_type & 0x7F);
  if (type == XCB_MAPPING_NOTIFY) {
    auto& mapping = reinterpret_cast<const xcb_mapping_notify_event_t&>(event);
    xcb_refresh_keyboard_mapping(symbols_, const_cast<xcb_mapping_notify_event_t*>(&mapping));
    if (mapping.request == XCB_MAPPING_POINTER) return false;
    // Key codes may now stand for other keys: grab every combination anew.
    for (auto& [key, binding] : bindings_) ungrab(binding);
    readLockMasks();
    for (auto& [key, binding] : bindings_) (void)grab(binding);
    return false;
  }
  if (type != XCB_KEY_PRESS) return false;
  const auto& press = reinterpret_cast<const xcb_key_press_event_t&>(event);
  const auto ignored = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLockMask_);
  const auto state = static_cast<std::uint16_t>(press.state & ~ignored & 0xFF);
  for (const auto& [key, binding] : bindings_) {
    if (binding.xModifiers != state) continue;
    for (const xcb_keycode_t code : binding.keycodes) {
      if (code != press.detail) continue;
      const auto lparam = static_cast<std::intptr_t>(binding.modifiers | binding.virtualKey << 16);
      loop_.post(key.first, msg::HotKey, key.second, lparam);
      return true;
    }
  }
  return false;
}

}  // namespace zelvor
