#include "platform/qt/rich_text.h"

#include <QRegularExpression>
#include <QUrl>

namespace zelvor {

RichText toQtRichText(const std::string& suiteHtml) {
  RichText out;
  QString html = QString::fromStdString(suiteHtml);
  static const QRegularExpression ilst(QStringLiteral(R"(<ilst\s+index\s*=\s*["']?(-?\d+)["']?\s*/?>)"),
                                       QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression rule(QStringLiteral(R"(<hr(?:\s+color\s*=\s*["']?([#\w]+)["']?)?\s*/?>)"),
                                       QRegularExpression::CaseInsensitiveOption);
  QString result;
  qsizetype last = 0;
  for (auto it = ilst.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    result += html.mid(last, m.capturedStart() - last);
    const int index = m.captured(1).toInt();
    out.imageIndices.push_back(index);
    result += QStringLiteral("<img src=\"ilst:%1\" width=\"16\" height=\"16\">").arg(index);
    last = m.capturedEnd();
  }
  result += html.mid(last);

  // Qt's rule takes no colour: draw it as a one-pixel table cell instead.
  QString ruled;
  last = 0;
  for (auto it = rule.globalMatch(result); it.hasNext();) {
    const auto m = it.next();
    ruled += result.mid(last, m.capturedStart() - last);
    const QString colour = m.captured(1).isEmpty() ? QStringLiteral("gray") : m.captured(1);
    ruled += QStringLiteral(
                 "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" style=\"margin-top:2px;margin-bottom:2px\">"
                 "<tr><td style=\"background-color:%1; font-size:1px\" height=\"1\"></td></tr></table>")
                 .arg(colour.toHtmlEscaped());
    last = m.capturedEnd();
  }
  ruled += result.mid(last);
  ruled.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
  ruled.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  out.html = ruled;
  return out;
}

QString richLabelHtml(const std::string& suiteHtml) {
  static const QRegularExpression image(QStringLiteral(R"(<img src="ilst:[^>]*>)"));
  return toQtRichText(suiteHtml).html.remove(image);
}

void loadRichText(QTextDocument& doc, const std::string& suiteHtml, const ImageStrips& strips, ImageStrip strip,
                  qreal devicePixelRatio) {
  const RichText text = toQtRichText(suiteHtml);
  for (int index : text.imageIndices) {
    const QPixmap pm = strips.pixmap(strip, index, devicePixelRatio);
    if (!pm.isNull()) doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("ilst:%1").arg(index)), pm.toImage());
  }
  doc.setHtml(text.html);
}

}  // namespace zelvor
