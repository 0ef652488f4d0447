#pragma once
// The hover tooltip and the pop-up notice, both rich-text pop-up windows.

#include <QTextDocument>
#include <QWidget>

#include <deque>
#include <memory>
#include <string>

#include "platform/notice.h"
#include "platform/qt/image_strips.h"

namespace zelvor {

// A frameless pop-up that shows one rich text.
class RichPopup final : public QWidget {
 public:
  RichPopup(const ImageStrips& strips, bool clickHides);
  void setContent(const std::string& suiteHtml, ImageStrip strip);
  [[nodiscard]] const QTextDocument& document() const { return doc_; }
  std::function<void()> onClicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const ImageStrips& strips_;
  QTextDocument doc_;
  bool clickHides_;
};

class QtNotices final : public Notices {
 public:
  explicit QtNotices(const ImageStrips& strips);
  ~QtNotices() override;

  void showTooltip(const std::string& html, Point at) override;
  void hideTooltip() override;
  [[nodiscard]] bool tooltipVisible() override;
  void showNotice(const std::string& html, Point corner) override;
  void hideNotice() override;
  [[nodiscard]] bool noticeVisible() override;
  void setTagStrip(ImageStrip strip) override { strip_ = strip; }

  // The windows, for tests.
  [[nodiscard]] RichPopup& tooltipWindow() { return *tooltip_; }
  [[nodiscard]] RichPopup& noticeWindow() { return *notice_; }
  [[nodiscard]] std::size_t waitingNotices() const { return waiting_.size(); }

 private:
  struct Pending {
    std::string html;
    Point corner;
  };
  void present(const Pending& notice);
  void showNextWaiting();

  ImageStrip strip_ = ImageStrip::Utility;
  std::unique_ptr<RichPopup> tooltip_;
  std::unique_ptr<RichPopup> notice_;
  std::deque<Pending> waiting_;
};

}  // namespace zelvor
