#include "platform/qt/qt_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <xcb/xtest.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

#include "platform/qt/virtual_keys.h"

namespace zelvor {
namespace {

constexpr int kRecheckMs = 1500;
// Nothing outside the suite is trusted: a format larger than this is left out.
constexpr qsizetype kMaxFormatBytes = 64 * 1024 * 1024;

bool isToolkitPrivate(const QString& type) { return type.startsWith(QLatin1String("application/x-qt-")); }

}  // namespace

QtClipboard::QtClipboard(QtEventLoop& loop, X11Connection* x11) : loop_(loop), x11_(x11) {
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { changed(); });
  recheck_.setInterval(kRecheckMs);
  QObject::connect(&recheck_, &QTimer::timeout, this, [this] { recheck(); });
}

void QtClipboard::watch(WindowHandle target) {
  target_ = target;
  if (target_ == kNoWindow) {
    recheck_.stop();
    return;
  }
  lastSeen_ = fingerprint();
  recheck_.start();
}

QString QtClipboard::fingerprint() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return {};
  QCryptographicHash hash(QCryptographicHash::Sha1);
  const QStringList formats = data->formats();
  for (const QString& f : formats) hash.addData(f.toUtf8());
  hash.addData(data->text().toUtf8());
  return QString::fromLatin1(hash.result().toHex());
}

void QtClipboard::changed() {
  lastSeen_ = fingerprint();
  if (target_ == kNoWindow) return;
  loop_.post(target_, msg::ClipboardChanged, 0, QGuiApplication::clipboard()->ownsClipboard() ? 1 : 0);
}

void QtClipboard::recheck() {
  if (target_ == kNoWindow) return;
  if (fingerprint() != lastSeen_) changed();
}

ClipboardContent QtClipboard::read() {
  ClipboardContent content;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return content;
  bool textDone = false;
  bool imageDone = false;
  for (const QString& type : data->formats()) {
    if (isToolkitPrivate(type)) continue;
    if (type.startsWith(QLatin1String("text/plain")) || type == QLatin1String("UTF8_STRING") ||
        type == QLatin1String("TEXT") || type == QLatin1String("STRING")) {
      // The several spellings of plain text come back as one UTF-8 text.
      if (textDone) continue;
      textDone = true;
      const QByteArray utf8 = data->text().toUtf8();
      if (utf8.size() <= kMaxFormatBytes) content.push_back({kClipboardText, {utf8.begin(), utf8.end()}});
      continue;
    }
    if (type.startsWith(QLatin1String("image/")) && data->hasImage()) {
      if (imageDone) continue;
      imageDone = true;
      const QImage image = qvariant_cast<QImage>(data->imageData());
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (!image.isNull() && image.save(&buffer, "PNG") && png.size() <= kMaxFormatBytes) {
        content.push_back({"image/png", {png.begin(), png.end()}});
      }
      continue;
    }
    const QByteArray bytes = data->data(type);
    if (bytes.size() <= kMaxFormatBytes) content.push_back({type.toStdString(), {bytes.begin(), bytes.end()}});
  }
  return content;
}

bool QtClipboard::write(const ClipboardContent& content) {
  auto* data = new QMimeData;
  for (const ClipboardFormat& f : content) {
    const QByteArray bytes(reinterpret_cast<const char*>(f.data.data()), static_cast<qsizetype>(f.data.size()));
    if (f.type == kClipboardText) {
      data->setText(QString::fromUtf8(bytes));
    } else if (f.type == "image/png") {
      const QImage image = QImage::fromData(bytes, "PNG");
      if (!image.isNull()) data->setImageData(image);
    } else {
      data->setData(QString::fromStdString(f.type), bytes);
    }
  }
  QGuiApplication::clipboard()->setMimeData(data);
  return true;
}

bool QtClipboard::pasteIntoActiveWindow() {
  if (x11_ == nullptr) return false;
  xcb_connection_t* c = x11_->connection();
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
  if (symbols == nullptr) return false;
  std::unique_ptr<xcb_keycode_t, decltype(&std::free)> control(
      xcb_key_symbols_get_keycode(symbols, vk::toKeysym(vk::Control)), &std::free);
  std::unique_ptr<xcb_keycode_t, decltype(&std::free)> v(xcb_key_symbols_get_keycode(symbols, vk::toKeysym(vk::V)),
                                                          &std::free);
  xcb_key_symbols_free(symbols);
  if (!control || !v || control.get()[0] == 0 || v.get()[0] == 0) return false;
  const xcb_keycode_t ctrlCode = control.get()[0];
  const xcb_keycode_t vCode = v.get()[0];
  xcb_void_cookie_t last{};
  for (const auto& [type, code] : {std::pair{XCB_KEY_PRESS, ctrlCode}, std::pair{XCB_KEY_PRESS, vCode},
                                   std::pair{XCB_KEY_RELEASE, vCode}, std::pair{XCB_KEY_RELEASE, ctrlCode}}) {
    last = xcb_test_fake_input_checked(c, static_cast<std::uint8_t>(type), code, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0,
                                       0, 0);
  }
  xcb_generic_error_t* error = xcb_request_check(c, last);
  const bool ok = error == nullptr;
  std::free(error);
  x11_->drain();
  return ok;
}

}  // namespace zelvor
