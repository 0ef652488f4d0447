#include "platform/qt/qt_printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/qt_canvas.h"

namespace zelvor {
namespace {

class QtPrintJob final : public PrintJob {
 public:
  QtPrintJob(std::unique_ptr<QPrinter> printer, const ImagePixmaps& images)
      : printer_(std::move(printer)), images_(images) {}

  [[nodiscard]] bool start() {
    if (!painter_.begin(printer_.get())) return false;
    canvas_ = std::make_unique<QtCanvas>(painter_, images_);
    return true;
  }
  int dpiX() override { return printer_->logicalDpiX(); }
  int dpiY() override { return printer_->logicalDpiY(); }
  Size pageSize() override {
    const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    return Size{page.width(), page.height()};
  }
  bool newPage() override { return printer_->newPage(); }
  Canvas& canvas() override { return *canvas_; }
  void penLine(Point a, Point b, Colour colour, int width) override {
    painter_.save();
    painter_.setPen(QPen(toQColor(colour), std::max(width, 1), Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(a.x, a.y, b.x, b.y);
    painter_.restore();
  }
  bool finish() override {
    if (!painter_.isActive()) return false;
    canvas_.reset();
    return painter_.end();
  }
  ~QtPrintJob() override {
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
  }

 private:
  std::unique_ptr<QPrinter> printer_;
  const ImagePixmaps& images_;
  QPainter painter_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace

std::unique_ptr<PrintJob> QtPrinter::begin(const std::string& documentName) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QString::fromStdString(documentName));
  QPrintDialog dialog(printer.get());
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  auto job = std::make_unique<QtPrintJob>(std::move(printer), images_);
  if (!job->start()) return nullptr;
  return job;
}

std::unique_ptr<PrintJob> QtPrinter::beginPdf(const std::string& documentName, const std::string& pdfPath) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QString::fromStdString(documentName));
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(pdfPath));
  auto job = std::make_unique<QtPrintJob>(std::move(printer), images_);
  if (!job->start()) return nullptr;
  return job;
}

}  // namespace zelvor
