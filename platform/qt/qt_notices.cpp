#include "platform/qt/qt_notices.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/qt/rich_text.h"

namespace zelvor {
namespace {

constexpr int kPadding = 6;
constexpr int kMaxTextWidth = 420;

QScreen* screenNear(QPoint p) {
  QScreen* s = QGuiApplication::screenAt(p);
  return s != nullptr ? s : QGuiApplication::primaryScreen();
}

}  // namespace

RichPopup::RichPopup(const ImageStrips& strips, bool clickHides)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      strips_(strips),
      clickHides_(clickHides) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_QuitOnClose, false);
  doc_.setDocumentMargin(0);
}

void RichPopup::setContent(const std::string& suiteHtml, ImageStrip strip) {
  doc_.setDefaultFont(font());
  doc_.setTextWidth(-1);
  loadRichText(doc_, suiteHtml, strips_, strip, devicePixelRatioF());
  // Long texts wrap at a readable width instead of running across the screen.
  if (doc_.idealWidth() > kMaxTextWidth) doc_.setTextWidth(kMaxTextWidth);
  else doc_.setTextWidth(doc_.idealWidth());
  const QSizeF s = doc_.size();
  resize(static_cast<int>(s.width()) + 2 * kPadding + 2, static_cast<int>(s.height()) + 2 * kPadding + 2);
  update();
}

void RichPopup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette pal = palette();
  p.fillRect(rect(), pal.color(QPalette::ToolTipBase));
  p.setPen(pal.color(QPalette::ToolTipText).lighter(160));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.translate(kPadding + 1, kPadding + 1);
  QAbstractTextDocumentLayout::PaintContext ctx;
  ctx.palette.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
  doc_.documentLayout()->draw(&p, ctx);
}

void RichPopup::mousePressEvent(QMouseEvent*) {
  if (!clickHides_) return;
  if (onClicked) onClicked();
}

QtNotices::QtNotices(const ImageStrips& strips)
    : tooltip_(std::make_unique<RichPopup>(strips, false)), notice_(std::make_unique<RichPopup>(strips, true)) {
  tooltip_->setAttribute(Qt::WA_TransparentForMouseEvents);
  // The click arrives inside the notice's own handler: hide after it returns.
  notice_->onClicked = [this] { QTimer::singleShot(0, notice_.get(), [this] { hideNotice(); }); };
}

QtNotices::~QtNotices() = default;

void QtNotices::showTooltip(const std::string& html, Point at) {
  tooltip_->setContent(html, strip_);
  // Below and right of the pointer, as tooltips sit, but always on the screen.
  QPoint pos(at.x, at.y + 20);
  if (QScreen* s = screenNear(QPoint(at.x, at.y))) {
    const QRect area = s->availableGeometry();
    if (pos.x() + tooltip_->width() > area.right()) pos.setX(area.right() - tooltip_->width());
    if (pos.y() + tooltip_->height() > area.bottom()) pos.setY(at.y - tooltip_->height() - 4);
    pos.setX(std::max(pos.x(), area.left()));
    pos.setY(std::max(pos.y(), area.top()));
  }
  tooltip_->move(pos);
  tooltip_->show();
  tooltip_->raise();
}

void QtNotices::hideTooltip() { tooltip_->hide(); }
bool QtNotices::tooltipVisible() { return tooltip_->isVisible(); }

void QtNotices::present(const Pending& notice) {
  notice_->setContent(notice.html, strip_);
  notice_->move(notice.corner.x - notice_->width(), notice.corner.y - notice_->height());
  notice_->show();
  notice_->raise();
}

void QtNotices::showNotice(const std::string& html, Point corner) {
  if (notice_->isVisible()) {
    waiting_.push_back({html, corner});
    return;
  }
  present({html, corner});
}

void QtNotices::hideNotice() {
  notice_->hide();
  showNextWaiting();
}

void QtNotices::showNextWaiting() {
  if (waiting_.empty()) return;
  const Pending next = waiting_.front();
  waiting_.pop_front();
  present(next);
}

bool QtNotices::noticeVisible() { return notice_->isVisible(); }

}  // namespace zelvor
