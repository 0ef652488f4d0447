#include "net/dedovuv/dial_window.h"

#include <memory>

#include "launchers/entry_lists.h"

namespace zelvor::dedovuv {
namespace {

constexpr int kMaxCredential = 256;

std::string_view IconName(dialup::LogIcon icon) {
  switch (icon) {
    case dialup::LogIcon::Arrow: return "arrow";
    case dialup::LogIcon::Done: return "done";
    case dialup::LogIcon::Connected: return "connected";
    case dialup::LogIcon::Cross: return "cross";
    case dialup::LogIcon::None: break;
  }
  return "none";
}

// Log rows keep their icon in the row's data, so a done mark changes the
// icon without touching the text.
constexpr std::uint64_t Data(dialup::LogIcon icon) { return static_cast<std::uint64_t>(icon); }

// The log's pictures in the dial strip.
int ImageOf(dialup::LogIcon icon) {
  switch (icon) {
    case dialup::LogIcon::Arrow: return 0;
    case dialup::LogIcon::Done: return 1;
    case dialup::LogIcon::Connected: return 2;
    case dialup::LogIcon::Cross: return 3;
    case dialup::LogIcon::None: break;
  }
  return -1;
}

void PutPixel(Bitmap& b, int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
  b.pixels[static_cast<std::size_t>(y * b.width + x)] = argb;
}

}  // namespace

int AnimationFrame(std::uint64_t step) {
  // A ping-pong over the four frames: 0 1 2 3 2 1, then again.
  constexpr int kCycle[] = {0, 1, 2, 3, 2, 1};
  return kCycle[step % 6];
}

namespace {

std::shared_ptr<const Bitmap> DrawFrame(int frame) {
  auto b = std::make_shared<Bitmap>();
  b->width = b->height = 32;
  b->pixels.assign(32 * 32, 0);
  // The handset: a dark block at the lower left.
  for (int y = 20; y < 30; ++y) {
    for (int x = 2; x < 10; ++x) PutPixel(*b, x, y, 0xFF303030u);
  }
  // Waves: quarter rings of growing radius, one more per frame.
  for (int w = 1; w <= frame; ++w) {
    const int r = 6 + w * 6;
    for (int x = 0; x <= r; ++x) {
      for (int y = 0; y <= r; ++y) {
        const int d = x * x + y * y;
        if (d >= (r - 1) * (r - 1) && d <= r * r) PutPixel(*b, 6 + x, 25 - y, 0xFF1F6FC9u);
      }
    }
  }
  return b;
}

}  // namespace

ImageRef AnimationPicture(int frame) {
  static const std::shared_ptr<const Bitmap> kFrames[4] = {DrawFrame(0), DrawFrame(1), DrawFrame(2),
                                                           DrawFrame(3)};
  return ImageRef::fromPixels(kFrames[frame < 0 || frame > 3 ? 0 : frame]);
}

CDialWindow::CDialWindow(DialogHost& host, EventLoop& loop, ShellHelpers& helpers, ConfigStore& store,
                         Owner owner)
    : host_(host), loop_(loop), helpers_(helpers), store_(store), owner_(std::move(owner)) {
  Build();
  self_ = loop_.addTarget(*this);
  window_ = host_.create(*this);
}

CDialWindow::~CDialWindow() {
  loop_.removeTarget(self_);
  host_.destroy(window_);
}

void CDialWindow::Build() {
  title = "Conectar con ";
  className = "CDedoVuvDlg";
  helpContext = help_context::DedoVuv;
  root = Control::make(ControlKind::Column);
  Control tabs = Control::make(ControlKind::Tabs, dial_id::Tabs);
  tabs.items = {"Autenticación", "Programas a ejecutar", "Estado"};

  Control auth = Control::make(ControlKind::Column);
  auth.add(Control::make(ControlKind::Label, 0, "Nombre de &usuario:"));
  Control user = Control::make(ControlKind::Edit, dial_id::UserName);
  user.maxLength = kMaxCredential;
  auth.add(std::move(user));
  auth.add(Control::make(ControlKind::Label, 0, "Co&ntraseña:"));
  Control password = Control::make(ControlKind::Edit, dial_id::Password);
  password.password = true;
  password.maxLength = kMaxCredential;
  auth.add(std::move(password));
  auth.add(Control::make(ControlKind::CheckBox, dial_id::SavePassword, "&Guardar contraseña."));
  auth.add(Control::make(ControlKind::CheckBox, dial_id::AutoConnect, "C&onectar automáticamente."));
  tabs.add(std::move(auth));

  Control programs = Control::make(ControlKind::Column);
  Control list = Control::make(ControlKind::ListView, dial_id::Programs);
  list.columns = {{"Programas", 260, false}};
  list.checkBoxes = true;
  list.value = -1;
  list.size = {280, 120};
  programs.add(std::move(list));
  programs.add(Control::make(ControlKind::Button, dial_id::RunNow, "&Ejecutar ahora"));
  tabs.add(std::move(programs));

  Control state = Control::make(ControlKind::Column);
  Control log = Control::make(ControlKind::ListView, dial_id::Log);
  log.columns = {{"", 260, false}};
  log.listImages = ImageStrip::Dial;
  log.value = -1;
  log.size = {280, 120};
  state.add(std::move(log));
  tabs.add(std::move(state));
  root.add(std::move(tabs));

  Control status = Control::make(ControlKind::Row);
  Control picture = Control::make(ControlKind::Image, dial_id::Picture);
  picture.image = AnimationPicture(0);
  picture.size = {32, 32};
  status.add(std::move(picture));
  status.add(Control::make(ControlKind::Label, dial_id::Status));
  root.add(std::move(status));

  Control buttons = Control::make(ControlKind::Row);
  Control connect = Control::make(ControlKind::Button, dial_id::Connect, "&Conectar");
  connect.isDefault = true;
  buttons.add(std::move(connect));
  buttons.add(Control::make(ControlKind::Button, dial_id::Cancel, "Cancelar"));
  root.add(std::move(buttons));
}

void CDialWindow::Refresh() { host_.update(window_); }

bool CDialWindow::visible() { return shown_; }

void CDialWindow::show() {
  shown_ = true;
  animationStep_ = 0;
  SetFrame(0);
  helpers_.ShowAnimated(window_);
  loop_.setTimer(self_, kAnimationTimer, kAnimationMs);
}

void CDialWindow::hide() {
  if (!shown_) return;
  shown_ = false;
  loop_.killTimer(self_, kAnimationTimer);
  helpers_.HideAnimated(window_, false);
}

void CDialWindow::onTimer(int timerId) {
  if (timerId != kAnimationTimer || !shown_) return;
  SetFrame(AnimationFrame(++animationStep_));
}

void CDialWindow::SetFrame(int frame) {
  frame_ = frame;
  find(dial_id::Picture)->image = AnimationPicture(frame);
  Refresh();
}

void CDialWindow::setTitle(const std::string& text) {
  title = text;
  Refresh();
}

void CDialWindow::setStatus(const std::string& status) {
  find(dial_id::Status)->text = status;
  Refresh();
}

void CDialWindow::setFieldsEnabled(bool enabled) {
  for (int id : {dial_id::UserName, dial_id::Password, dial_id::SavePassword, dial_id::AutoConnect,
                 dial_id::Connect}) {
    find(id)->enabled = enabled;
  }
  Refresh();
}

void CDialWindow::showTab(dialup::DialTab tab) {
  find(dial_id::Tabs)->value = static_cast<int>(tab);
  Refresh();
}

void CDialWindow::setFields(const dialup::DialFields& f) {
  find(dial_id::UserName)->text = f.userName;
  find(dial_id::Password)->text = f.password;
  find(dial_id::SavePassword)->checked = f.savePassword;
  find(dial_id::AutoConnect)->checked = f.autoConnect;
  edited_ = false;
  Refresh();
}

dialup::DialFields CDialWindow::fields() {
  dialup::DialFields f;
  f.userName = find(dial_id::UserName)->text;
  f.password = find(dial_id::Password)->text;
  f.edited = edited_;
  f.savePassword = find(dial_id::SavePassword)->checked;
  f.autoConnect = find(dial_id::AutoConnect)->checked;
  return f;
}

void CDialWindow::loadPrograms(bool load) {
  Control& list = *find(dial_id::Programs);
  list.rows.clear();
  programsLoaded_ = load;
  if (load) {
    int n = 0;
    for (const ListElement& e : LoadPrograms(store_.registry(), EntryList::ConnectPrograms)) {
      ListRow row;
      row.cells = {e.separator ? std::string("---------------") : e.entry.description};
      row.checked = !e.separator;
      row.data = static_cast<std::uint64_t>(++n);
      list.rows.push_back(std::move(row));
    }
  }
  list.enabled = load;
  find(dial_id::RunNow)->enabled = load;
  Refresh();
}

std::vector<bool> CDialWindow::checkedPrograms() const {
  std::vector<bool> checked;
  if (!programsLoaded_) return checked;
  for (const ListRow& row : root.find(dial_id::Programs)->rows) checked.push_back(row.checked);
  return checked;
}

void CDialWindow::disablePrograms() {
  find(dial_id::Programs)->enabled = false;
  find(dial_id::RunNow)->enabled = false;
  Refresh();
}

void CDialWindow::clearLog() {
  find(dial_id::Log)->rows.clear();
  Refresh();
}

void CDialWindow::addLogLine(const std::string& text, dialup::LogIcon icon) {
  Control& log = *find(dial_id::Log);
  ListRow row;
  row.cells = {text};
  row.image = ImageOf(icon);
  row.data = Data(icon);
  log.rows.push_back(std::move(row));
  // Scrolled into view: the last line is the focused one.
  log.value = static_cast<int>(log.rows.size()) - 1;
  Refresh();
}

void CDialWindow::markLastLineDone() {
  Control& log = *find(dial_id::Log);
  if (log.rows.empty() || log.rows.back().data != Data(dialup::LogIcon::Arrow)) return;
  log.rows.back().data = Data(dialup::LogIcon::Done);
  log.rows.back().image = ImageOf(dialup::LogIcon::Done);
  Refresh();
}

std::vector<std::string> CDialWindow::logLines() const {
  std::vector<std::string> lines;
  for (const ListRow& row : root.find(dial_id::Log)->rows) {
    const auto icon = static_cast<dialup::LogIcon>(row.data);
    lines.push_back(std::string(IconName(icon)) + " " + (row.cells.empty() ? std::string() : row.cells[0]));
  }
  return lines;
}

void CDialWindow::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::Changed &&
      (event.controlId == dial_id::UserName || event.controlId == dial_id::Password)) {
    edited_ = true;
    return;
  }
  if (event.kind != ControlEvent::Kind::Clicked) return;
  switch (event.controlId) {
    case dial_id::Connect:
      if (owner_.connect) owner_.connect();
      break;
    case dial_id::Cancel:
      if (owner_.close) owner_.close();
      break;
    case dial_id::RunNow:
      if (owner_.runNow) owner_.runNow();
      break;
    default: break;
  }
}

bool CDialWindow::onCloseRequest() {
  if (owner_.close) owner_.close();
  return false;  // the owner hides it; the window lives as long as Dedo Vuv
}

}  // namespace zelvor::dedovuv
