#pragma once
// Printing as a test sees it: each document asked for is logged, and a
// test that wants pages hands over the job (by default the user cancels
// the printer dialog).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace zelvor {

class SimPrinter : public Printer {
 public:
  std::unique_ptr<PrintJob> begin(const std::string& documentName) override {
    documents.push_back(documentName);
    return makeJob ? makeJob() : nullptr;
  }
  std::unique_ptr<PrintJob> beginPdf(const std::string& documentName, const std::string& pdfPath) override {
    documents.push_back(documentName + " > " + pdfPath);
    return makeJob ? makeJob() : nullptr;
  }

  std::vector<std::string> documents;
  std::function<std::unique_ptr<PrintJob>()> makeJob;
};

}  // namespace zelvor
