#include "shell/tray_icon.h"

#include "platform/messages.h"

namespace zelvor {

std::string TipText(const std::string& title, const std::string& text) {
  std::string tip = text.empty() ? title : title + " - " + text;
  if (tip.size() <= kMaxTipBytes) return tip;
  std::size_t cut = kMaxTipBytes;
  // Never end inside a UTF-8 sequence: back up over continuation bytes.
  while (cut > 0 && (static_cast<unsigned char>(tip[cut]) & 0xC0) == 0x80) --cut;
  tip.resize(cut);
  return tip;
}

CTrayIcon::CTrayIcon(TrayHost& tray, EventLoop& loop, WindowHandle owner)
    : tray_(tray), loop_(loop), owner_(owner) {}

CTrayIcon::~CTrayIcon() {
  blink_.reset();
  stopped_.clear();
  if (added_) tray_.remove(id_);
}

void CTrayIcon::Init(int id, std::string title, const std::string& iconFile, int imageIndex,
                     bool separator) {
  id_ = id;
  title_ = std::move(title);
  text_.clear();
  tip_ = title_;
  separator_ = separator;
  shown_ = false;
  if (iconFile.empty()) {
    SetIconIndex(imageIndex);
  } else {
    SetIconFromFile(iconFile, imageIndex);
  }
}

void CTrayIcon::Show() {
  shown_ = true;
  if (!inTray_) return;  // a bar cell: the bar draws it
  if (added_) {
    (void)tray_.modify(id_, image_, desktopTip());
    return;
  }
  // A refused add is not reported; the icon simply is not there.
  added_ = tray_.add(id_, image_, desktopTip());
}

void CTrayIcon::Hide() {
  if (added_) tray_.remove(id_);
  added_ = false;
  shown_ = false;
}

void CTrayIcon::SetText(const std::string& text) {
  text_ = text;
  tip_ = TipText(title_, text_);
  modifyIfShown();
}

void CTrayIcon::SetIconIndex(int index) {
  if (index < 0) return;
  imageIndex_ = index;
  image_ = ImageRef::fromStrip(ImageStrip::Utility, index);
  modifyIfShown();
}

void CTrayIcon::SetIconHandle(ImageRef image) {
  imageIndex_ = -1;
  image_ = std::move(image);
  modifyIfShown();
}

void CTrayIcon::SetIconFromFile(const std::string& file, int index) {
  // Whether the file yields an icon is known only to the binding that reads
  // it; it shows image 3 of the small strip in its place when it does not.
  imageIndex_ = -1;
  image_ = ImageRef::fromFile(file, index);
  modifyIfShown();
}

void CTrayIcon::SetStripImage(ImageStrip strip, int index) {
  imageIndex_ = -1;
  image_ = ImageRef::fromStrip(strip, index);
  modifyIfShown();
}

void CTrayIcon::StartBlink() {
  if (blink_) return;
  stopped_.clear();  // workers stopped earlier have ended by now
  blink_ = std::make_unique<BlinkWorker>(loop_, owner_, id_, blinkInterval);
}

void CTrayIcon::StopBlink() {
  if (!blink_) return;
  blink_->postThreadMessage(msg::StopBlink);
  stopped_.push_back(std::move(blink_));
}

void CTrayIcon::ApplyBlinkStep(bool blinkImage) {
  showingBlink_ = blinkImage;
  if (!shown_ || !added_) return;
  (void)tray_.modify(id_, blinkImage ? ImageRef::fromStrip(ImageStrip::Blink, 0) : image_,
                     desktopTip());
}

void CTrayIcon::SetDesktopTip(bool on) {
  if (desktopTip_ == on) return;
  desktopTip_ = on;
  modifyIfShown();
}

void CTrayIcon::SetInTray(bool inTray) {
  if (inTray_ == inTray) return;
  if (!inTray && added_) {
    tray_.remove(id_);
    added_ = false;
  }
  inTray_ = inTray;
  if (shown_ && inTray_) Show();
}

void CTrayIcon::modifyIfShown() {
  if (!shown_ || !added_) return;
  (void)tray_.modify(id_, showingBlink_ ? ImageRef::fromStrip(ImageStrip::Blink, 0) : image_,
                     desktopTip());
}

}  // namespace zelvor
