#pragma once
#include "platform/printer.h"
#include "platform/qt/image_pixmaps.h"

namespace zelvor {

// Printing through QPrinter: the print dialog offers the system's printers
// and "Print to File (PDF)".
class QtPrinter final : public Printer {
 public:
  explicit QtPrinter(const ImagePixmaps& images) : images_(images) {}
  [[nodiscard]] std::unique_ptr<PrintJob> begin(const std::string& documentName) override;
  [[nodiscard]] std::unique_ptr<PrintJob> beginPdf(const std::string& documentName,
                                                   const std::string& pdfPath) override;

 private:
  const ImagePixmaps& images_;
};

}  // namespace zelvor
