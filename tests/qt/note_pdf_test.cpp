// A note printed for real: the Qt print job writes a PDF whose pages are
// the line printer's.

#include <QFile>
#include <QTemporaryDir>

#include "notes/note_print.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

int pdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  if (!bytes.startsWith("%PDF")) return -1;
  // Page objects are written uncompressed; "/Type /Pages" is the tree, not a page.
  return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page/"));
}

TEST(NotePdf, OneLinerIsOnePageAndALongNoteRunsOn) {
  QtDesktop& desktop = testing::sharedDesktop();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  notes::NoteRecord record = notes::BuiltInNoteRecord();
  record.title = "Nota impresa";
  record.textColor = 0x000000FF;

  const QString shortPath = dir.filePath(QStringLiteral("corta.pdf"));
  auto job = desktop.printer().beginPdf("Zelvor", shortPath.toStdString());
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(notes::PrintNote(*job, record, "Comprar pan"));
  job.reset();
  EXPECT_EQ(pdfPages(shortPath), 1);

  std::string text;
  for (int i = 0; i < 300; ++i) text += "Línea " + std::to_string(i) + "\r\n";
  const QString longPath = dir.filePath(QStringLiteral("larga.pdf"));
  job = desktop.printer().beginPdf("Zelvor", longPath.toStdString());
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(notes::PrintNote(*job, record, text));
  job.reset();
  EXPECT_GT(pdfPages(longPath), 1);
}

}  // namespace
}  // namespace zelvor
