#include "platform/qt/window_effects.h"

#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QVariantAnimation>

#include <functional>

namespace zelvor {
namespace {

constexpr int kZoomMs = 180;
constexpr int kPanelMs = 100;

// A hollow rectangle that moves over the desktop.
class ZoomFrame final : public QWidget {
 public:
  ZoomFrame()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Highlight));
  }
  void resizeEvent(QResizeEvent*) override {
    // Only a frame two pixels wide is drawn; the inside stays see-through.
    const QRegion outer(rect());
    setMask(outer.subtracted(QRegion(rect().adjusted(2, 2, -2, -2))));
  }
};

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, std::max(r.width(), 1), std::max(r.height(), 1)); }

}  // namespace

void zoomOutline(const Rect& from, const Rect& to, const DesktopAbilities& desktop) {
  if (!desktop.canPlaceWindows || from.width() <= 0 || to.width() <= 0) return;
  auto* frame = new ZoomFrame;
  frame->setGeometry(toQRect(from));
  frame->show();
  auto* anim = new QVariantAnimation(frame);
  anim->setDuration(kZoomMs);
  anim->setStartValue(toQRect(from));
  anim->setEndValue(toQRect(to));
  anim->setEasingCurve(QEasingCurve::InOutQuad);
  QObject::connect(anim, &QVariantAnimation::valueChanged, frame,
                   [frame](const QVariant& v) { frame->setGeometry(v.toRect()); });
  QObject::connect(anim, &QVariantAnimation::finished, frame, [frame] { frame->close(); });
  anim->start(QAbstractAnimation::DeleteWhenStopped);
}

namespace {

// The part of the window shown at progress t (0..1) when rolling from a corner.
QRegion rollRegion(const QSize& size, qreal t, bool fromLeft, bool fromTop) {
  const int w = std::max(1, static_cast<int>(size.width() * t));
  const int h = std::max(1, static_cast<int>(size.height() * t));
  const int x = fromLeft ? 0 : size.width() - w;
  const int y = fromTop ? 0 : size.height() - h;
  return QRegion(x, y, w, h);
}

void animate(QWidget& window, qreal from, qreal to, const std::function<void(qreal)>& step,
             const std::function<void()>& done) {
  auto* anim = new QVariantAnimation(&window);
  anim->setDuration(kPanelMs);
  anim->setStartValue(from);
  anim->setEndValue(to);
  QObject::connect(anim, &QVariantAnimation::valueChanged, &window, [step](const QVariant& v) { step(v.toReal()); });
  QObject::connect(anim, &QVariantAnimation::finished, &window, done);
  anim->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace

void showWithAnimation(QWidget& window, DialogHost::Animation animation, bool fromLeft, bool fromTop,
                       const DesktopAbilities& desktop) {
  QPointer<QWidget> w(&window);
  if (animation == DialogHost::Animation::Fade && desktop.canBlend) {
    const qreal target = window.windowOpacity();
    window.setWindowOpacity(0.0);
    window.show();
    animate(window, 0.0, target, [w](qreal o) { if (w) w->setWindowOpacity(o); },
            [w, target] { if (w) w->setWindowOpacity(target); });
    return;
  }
  if (animation != DialogHost::Animation::None && desktop.canPlaceWindows) {
    const QSize size = window.size();
    window.setMask(rollRegion(size, 0.0, fromLeft, fromTop));
    window.show();
    animate(window, 0.0, 1.0, [w, size, fromLeft, fromTop](qreal t) {
      if (w) w->setMask(rollRegion(size, t, fromLeft, fromTop));
    }, [w] { if (w) w->clearMask(); });
    return;
  }
  window.show();
}

void hideWithAnimation(QWidget& window, DialogHost::Animation animation, bool toLeft, bool toTop,
                       const DesktopAbilities& desktop) {
  QPointer<QWidget> w(&window);
  if (!window.isVisible()) return;
  if (animation == DialogHost::Animation::Fade && desktop.canBlend) {
    const qreal original = window.windowOpacity();
    animate(window, original, 0.0, [w](qreal o) { if (w) w->setWindowOpacity(o); }, [w, original] {
      if (!w) return;
      w->hide();
      w->setWindowOpacity(original);
    });
    return;
  }
  if (animation != DialogHost::Animation::None && desktop.canPlaceWindows) {
    const QSize size = window.size();
    animate(window, 1.0, 0.0, [w, size, toLeft, toTop](qreal t) {
      if (w) w->setMask(rollRegion(size, t, toLeft, toTop));
    }, [w] {
      if (!w) return;
      w->hide();
      w->clearMask();
    });
    return;
  }
  window.hide();
}

}  // namespace zelvor
