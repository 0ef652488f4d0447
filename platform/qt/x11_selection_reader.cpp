#include "platform/qt/x11_selection_reader.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace zelvor {
namespace {

using Clock = std::chrono::steady_clock;
// Nothing outside the suite is trusted: a type larger than this is left out.
constexpr std::size_t kMaxTypeBytes = 64u * 1024 * 1024;
constexpr std::size_t kMaxTypes = 64;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

class Session {
 public:
  Session(const SelectionDeadlines& d, const std::atomic<bool>& cancel)
      : deadlines_(d), cancel_(cancel), end_(Clock::now() + d.total) {}
  ~Session() {
    if (c_ != nullptr) xcb_disconnect(c_);
  }

  bool open() {
    int screenNumber = 0;
    c_ = xcb_connect(nullptr, &screenNumber);
    if (c_ == nullptr || xcb_connection_has_error(c_) != 0) return false;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) xcb_screen_next(&it);
    if (it.rem == 0) return false;
    window_ = xcb_generate_id(c_);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, it.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, it.data->root_visual, XCB_CW_EVENT_MASK, &events);
    clipboard_ = atom("CLIPBOARD");
    property_ = atom("ZELVOR_CLIPBOARD_READ");
    incr_ = atom("INCR");
    return clipboard_ != XCB_NONE && property_ != XCB_NONE;
  }

  xcb_atom_t atom(const std::string& name) {
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
    return r ? r->atom : XCB_NONE;
  }

  std::string atomName(xcb_atom_t a) {
    Reply<xcb_get_atom_name_reply_t> r(xcb_get_atom_name_reply(c_, xcb_get_atom_name(c_, a), nullptr));
    if (!r) return {};
    return std::string(xcb_get_atom_name_name(r.get()), static_cast<std::size_t>(xcb_get_atom_name_name_length(r.get())));
  }

  // The data of one target; nothing when the owner refused, went silent or sent too much.
  std::optional<std::vector<std::uint8_t>> convert(xcb_atom_t target, int& unitBytes) {
    xcb_delete_property(c_, window_, property_);
    xcb_convert_selection(c_, window_, clipboard_, target, property_, XCB_CURRENT_TIME);
    xcb_flush(c_);
    Reply<xcb_generic_event_t> notify = waitFor([&](const xcb_generic_event_t& e) {
      return (e.response_type & 0x7F) == XCB_SELECTION_NOTIFY &&
             reinterpret_cast<const xcb_selection_notify_event_t&>(e).requestor == window_;
    });
    if (!notify) return std::nullopt;
    if (reinterpret_cast<xcb_selection_notify_event_t*>(notify.get())->property == XCB_NONE) return std::nullopt;
    xcb_atom_t type = XCB_NONE;
    auto data = takeProperty(type, unitBytes);
    if (!data) return std::nullopt;
    if (type != incr_) return data;
    // INCR: each new value of the property is the next piece; an empty one ends it.
    std::vector<std::uint8_t> whole;
    for (;;) {
      Reply<xcb_generic_event_t> piece = waitFor([&](const xcb_generic_event_t& e) {
        if ((e.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
        const auto& p = reinterpret_cast<const xcb_property_notify_event_t&>(e);
        return p.window == window_ && p.atom == property_ && p.state == XCB_PROPERTY_NEW_VALUE;
      });
      if (!piece) return std::nullopt;
      auto chunk = takeProperty(type, unitBytes);
      if (!chunk) return std::nullopt;
      if (chunk->empty()) return whole;
      if (whole.size() + chunk->size() > kMaxTypeBytes) return std::nullopt;
      whole.insert(whole.end(), chunk->begin(), chunk->end());
    }
  }

  xcb_window_t owner() {
    Reply<xcb_get_selection_owner_reply_t> r(
        xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, clipboard_), nullptr));
    return r ? r->owner : XCB_NONE;
  }

 private:
  // Reads and deletes the property (deleting asks an INCR owner for the next piece).
  std::optional<std::vector<std::uint8_t>> takeProperty(xcb_atom_t& type, int& unitBytes) {
    constexpr std::uint32_t kWords = kMaxTypeBytes / 4 + 1;
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c_, xcb_get_property(c_, 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, kWords), nullptr));
    if (!r) return std::nullopt;
    if (r->bytes_after > 0) return std::nullopt;
    type = r->type;
    unitBytes = r->format / 8;
    const auto* v = static_cast<const std::uint8_t*>(xcb_get_property_value(r.get()));
    const auto n = static_cast<std::size_t>(xcb_get_property_value_length(r.get()));
    xcb_flush(c_);
    return std::vector<std::uint8_t>(v, v + n);
  }

  template <typename Match>
  Reply<xcb_generic_event_t> waitFor(Match match) {
    const auto answerBy = std::min(Clock::now() + deadlines_.perAnswer, end_);
    for (;;) {
      while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
        Reply<xcb_generic_event_t> event(e);
        if (match(*event)) return event;
      }
      if (xcb_connection_has_error(c_) != 0 || cancel_.load()) return nullptr;
      const auto now = Clock::now();
      if (now >= answerBy) return nullptr;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(answerBy - now).count();
      pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
      (void)::poll(&fd, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
  }

  SelectionDeadlines deadlines_;
  const std::atomic<bool>& cancel_;
  Clock::time_point end_;
  xcb_connection_t* c_ = nullptr;
  xcb_window_t window_ = 0;
  xcb_atom_t clipboard_ = XCB_NONE, property_ = XCB_NONE, incr_ = XCB_NONE;
};

}  // namespace

SelectionRead ReadClipboardSelection(const SelectionDeadlines& deadlines, const std::atomic<bool>& cancel) {
  SelectionRead out;
  Session s(deadlines, cancel);
  if (!s.open() || s.owner() == XCB_NONE) return out;
  int unit = 0;
  const auto targets = s.convert(s.atom("TARGETS"), unit);
  if (!targets || unit != 4) return out;
  out.ok = true;
  std::vector<std::string> names;
  for (std::size_t i = 0; i + 4 <= targets->size() && names.size() < kMaxTypes; i += 4) {
    xcb_atom_t a = 0;
    for (std::size_t k = 0; k < 4; ++k) a |= static_cast<xcb_atom_t>((*targets)[i + k]) << (8 * k);
    std::string name = s.atomName(a);
    if (ClipboardFormatTable::IsDataType(name)) names.push_back(std::move(name));
  }
  // Plain text comes in several spellings: the best one stands for all, at
  // the place of the first.
  std::string bestText;
  for (const char* spelling : {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain;charset=UTF-8", "text/plain",
                               "STRING", "TEXT"}) {
    if (bestText.empty() && std::find(names.begin(), names.end(), spelling) != names.end()) bestText = spelling;
  }
  bool text = false;
  for (const std::string& name : names) {
    const bool isText = ClipboardFormatTable::IsTextType(name);
    if (isText && text) continue;
    text = text || isText;
    const std::string& wanted = isText ? bestText : name;
    auto data = s.convert(s.atom(wanted), unit);
    if (!data) continue;
    if (wanted == "STRING") {
      // Latin-1 to UTF-8.
      std::vector<std::uint8_t> utf8;
      for (std::uint8_t c : *data) {
        if (c < 0x80) {
          utf8.push_back(c);
        } else {
          utf8.push_back(static_cast<std::uint8_t>(0xC0 | c >> 6));
          utf8.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
        }
      }
      data = std::move(utf8);
    }
    out.formats.push_back({isText ? std::string(kMimeText) : name, std::move(*data)});
  }
  return out;
}

}  // namespace zelvor
