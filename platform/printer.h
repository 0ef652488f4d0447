#pragma once
// Printing: a document is a run of pages drawn through the canvas
// interface, in the printer's own device units.

#include <memory>
#include <string>

#include "platform/ui_types.h"
#include "platform/window_model.h"

namespace zelvor {

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // Device units per inch, and the printable page in device units.
  [[nodiscard]] virtual int dpiX() = 0;
  [[nodiscard]] virtual int dpiY() = 0;
  [[nodiscard]] virtual Size pageSize() = 0;
  // Starts a page (the first page is open from the start of the job).
  [[nodiscard]] virtual bool newPage() = 0;
  // Draws on the current page. Font sizes are in points.
  [[nodiscard]] virtual Canvas& canvas() = 0;
  // A line of the given width in device units.
  virtual void penLine(Point a, Point b, Colour colour, int width) = 0;
  // Ends the document; false when the printer or the file failed.
  [[nodiscard]] virtual bool finish() = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // Asks the user for a printer (or a PDF file) and starts a document named
  // documentName; null when the user cancelled or printing is not possible.
  [[nodiscard]] virtual std::unique_ptr<PrintJob> begin(const std::string& documentName) = 0;
  // Starts a document written to a PDF file without asking.
  [[nodiscard]] virtual std::unique_ptr<PrintJob> beginPdf(const std::string& documentName,
                                                           const std::string& pdfPath) = 0;
};

}  // namespace zelvor
