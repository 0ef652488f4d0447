#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/x11_paste.h"
#include "platform/qt/x11_selection_reader.h"

namespace zelvor {
namespace {

constexpr int kRecheckMs = 1500;
// Without our own X connection Qt reads each type itself; past this budget
// the types left are not asked for.
constexpr qint64 kQtReadBudgetMs = 2000;
constexpr qsizetype kMaxFormatBytes = 64 * 1024 * 1024;

}  // namespace

QtClipboard::QtClipboard(QtEventLoop& loop, X11Connection* x11)
    : loop_(loop), x11_(x11), table_(std::make_unique<ClipboardFormatTable>(memoryStore_, "Formats")) {
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { changed(); });
  recheck_.setInterval(kRecheckMs);
  QObject::connect(&recheck_, &QTimer::timeout, this, [this] { recheck(); });
}

QtClipboard::~QtClipboard() {
  cancel_ = true;
  if (reader_.joinable()) reader_.join();
}

void QtClipboard::useFormatStore(Registry& registry, std::string keyPath) {
  table_ = std::make_unique<ClipboardFormatTable>(registry, std::move(keyPath));
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
  // Only the list of types: asking for data here would wait on the owner.
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const QString& f : data->formats()) hash.addData(f.toUtf8());
  if (QGuiApplication::clipboard()->ownsClipboard()) hash.addData(QByteArrayLiteral("own"));
  return QString::fromLatin1(hash.result().toHex());
}

void QtClipboard::changed() {
  lastSeen_ = fingerprint();
  if (suppressing_ || target_ == kNoWindow) return;
  // The suite's own content was kept when it was written.
  if (QGuiApplication::clipboard()->ownsClipboard()) return;
  startRead();
}

void QtClipboard::recheck() {
  if (target_ == kNoWindow) return;
  if (fingerprint() != lastSeen_) changed();
}

void QtClipboard::startRead() {
  if (x11_ == nullptr) {
    readThroughQt();
    return;
  }
  if (reading_) {
    pending_ = true;
    return;
  }
  if (reader_.joinable()) reader_.join();
  reading_ = true;
  reader_ = std::thread([this] {
    const SelectionRead r = ReadClipboardSelection(SelectionDeadlines{}, cancel_);
    Snapshot s;
    s.status = r.ok ? ClipboardRead::Status::Read : ClipboardRead::Status::Unavailable;
    s.formats = r.formats;
    QMetaObject::invokeMethod(this, [this, s = std::move(s)]() mutable { finishRead(std::move(s)); },
                              Qt::QueuedConnection);
  });
}

void QtClipboard::readThroughQt() {
  Snapshot s;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data != nullptr) {
    s.status = ClipboardRead::Status::Read;
    QElapsedTimer spent;
    spent.start();
    bool text = false;
    for (const QString& type : data->formats()) {
      if (spent.elapsed() > kQtReadBudgetMs) break;
      const std::string name = type.toStdString();
      if (!ClipboardFormatTable::IsDataType(name)) continue;
      if (ClipboardFormatTable::IsTextType(name)) {
        if (text) continue;
        text = true;
        const QByteArray utf8 = data->text().toUtf8();
        if (utf8.size() <= kMaxFormatBytes) s.formats.push_back({std::string(kMimeText), {utf8.begin(), utf8.end()}});
        continue;
      }
      const QByteArray bytes = data->data(type);
      if (bytes.size() <= kMaxFormatBytes) s.formats.push_back({name, {bytes.begin(), bytes.end()}});
    }
  }
  finishRead(std::move(s));
}

void QtClipboard::finishRead(Snapshot snapshot) {
  reading_ = false;
  if (snapshot.status == ClipboardRead::Status::Read && ClipboardFormatTable::IsConcealed(snapshot.formats)) {
    snapshot.status = ClipboardRead::Status::Concealed;
    snapshot.formats.clear();
  }
  snapshot_ = std::move(snapshot);
  if (target_ != kNoWindow) loop_.post(target_, msg::ClipboardChanged, 0, snapshot_.own ? 1 : 0);
  if (pending_) {
    pending_ = false;
    startRead();
  }
}

ClipboardRead QtClipboard::read() {
  if (target_ == kNoWindow && !snapshot_.own) {
    // Unwatched: what the clipboard holds now, through Qt.
    readThroughQt();
  }
  ClipboardRead r;
  r.status = snapshot_.status;
  if (r.status != ClipboardRead::Status::Read) return r;
  r.formats = snapshot_.own ? snapshot_.numbered : table().ToNumbers(snapshot_.formats);
  return r;
}

bool QtClipboard::write(const ClipboardContent& content, ChangeReport report) {
  auto* data = new QMimeData;
  for (MimeFormat& f : table().ToTypes(content)) {
    QByteArray bytes(reinterpret_cast<const char*>(f.data.data()), static_cast<qsizetype>(f.data.size()));
    if (f.type == kMimeText) {
      data->setText(QString::fromUtf8(bytes));
    } else {
      data->setData(QString::fromStdString(f.type), bytes);
    }
  }
  suppressing_ = true;
  QGuiApplication::clipboard()->setMimeData(data);
  suppressing_ = false;
  lastSeen_ = fingerprint();
  if (report == ChangeReport::Report) {
    Snapshot s;
    s.status = ClipboardRead::Status::Read;
    s.numbered = content;
    s.own = true;
    finishRead(std::move(s));
  }
  return true;
}

PasteResult QtClipboard::pasteIntoActiveWindow() {
  if (x11_ == nullptr) return PasteResult::Unavailable;
  return PasteIntoWindowBelow(*x11_);
}

std::string QtClipboard::formatName(std::uint32_t format) { return table().NameOf(format); }

}  // namespace zelvor
