#include "platform/qt/common_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

#include "platform/qt/qt_canvas.h"

namespace zelvor {

QString toQtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (name.isEmpty() && patterns.isEmpty()) break;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    // Qt reads the patterns from the last parentheses of the name.
    if (const auto open = name.lastIndexOf(QLatin1Char('(')); open > 0 && name.endsWith(QLatin1Char(')'))) {
      name = name.left(open).trimmed();
    }
    out << QStringLiteral("%1 (%2)").arg(name, patterns.simplified());
  }
  return out.join(QStringLiteral(";;"));
}

std::vector<std::string> runFileDialog(const DialogHost::FileDialog& d) {
  QFileDialog dialog(nullptr, QString::fromStdString(d.title), QString::fromStdString(d.initial), toQtFilter(d.filter));
  dialog.setAcceptMode(d.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (d.save) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmOverwrite);
  } else {
    dialog.setFileMode(d.multiple ? QFileDialog::ExistingFiles : (d.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
  }
  std::vector<std::string> chosen;
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (const QString& f : dialog.selectedFiles()) chosen.push_back(f.toStdString());
  return chosen;
}

std::string runFolderDialog(const std::string& title) {
  return QFileDialog::getExistingDirectory(nullptr, QString::fromStdString(title)).toStdString();
}

bool runColourDialog(Colour& colour) {
  const QColor chosen = QColorDialog::getColor(toQColor(colour));
  if (!chosen.isValid()) return false;
  colour = fromQColor(chosen);
  return true;
}

bool runFontDialog(Canvas::Font& font, Colour& colour) {
  (void)colour;  // the desktop's font dialog has no colour: the caller's colour stays
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, toQFont(font, QFont()));
  if (!ok) return false;
  font.family = chosen.family().toStdString();
  font.pointSize = chosen.pointSize();
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeOut = chosen.strikeOut();
  font.weight = chosen.weight();
  return true;
}

}  // namespace zelvor
