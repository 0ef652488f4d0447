#include "platform/qt/qt_message_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace zelvor {
namespace {

QMessageBox::Icon iconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MsgAnswer QtMessageBoxes::show(const MessageBoxRequest& request) {
  QMessageBox box;
  box.setIcon(iconOf(request.icon));
  box.setWindowTitle(QString::fromStdString(request.caption.empty() ? std::string("Zelvor") : request.caption));
  box.setText(QString::fromStdString(request.text));
  box.setTextFormat(Qt::PlainText);
  if (request.systemModal) box.setWindowFlag(Qt::WindowStaysOnTopHint);

  std::map<QAbstractButton*, MsgAnswer> answers;
  auto add = [&](const char* text, QMessageBox::ButtonRole role, MsgAnswer answer) {
    QPushButton* b = box.addButton(QString::fromUtf8(text), role);
    answers[b] = answer;
    return b;
  };
  QPushButton* escape = nullptr;
  switch (request.buttons) {
    case MsgButtons::Ok:
      escape = add("Aceptar", QMessageBox::AcceptRole, MsgAnswer::Ok);
      break;
    case MsgButtons::OkCancel:
      add("Aceptar", QMessageBox::AcceptRole, MsgAnswer::Ok);
      escape = add("Cancelar", QMessageBox::RejectRole, MsgAnswer::Cancel);
      break;
    case MsgButtons::YesNo:
      add("Sí", QMessageBox::YesRole, MsgAnswer::Yes);
      escape = add("No", QMessageBox::NoRole, MsgAnswer::No);
      break;
    case MsgButtons::YesNoCancel:
      add("Sí", QMessageBox::YesRole, MsgAnswer::Yes);
      add("No", QMessageBox::NoRole, MsgAnswer::No);
      escape = add("Cancelar", QMessageBox::RejectRole, MsgAnswer::Cancel);
      break;
  }
  box.setEscapeButton(escape);
  box.exec();
  const auto it = answers.find(box.clickedButton());
  if (it != answers.end()) return it->second;
  // Closed by the window manager: the escape answer.
  return answers.count(escape) != 0 ? answers[escape] : MsgAnswer::Cancel;
}

}  // namespace zelvor
