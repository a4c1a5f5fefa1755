#include "core/ui/WindowInteraction.h"

#include <QApplication>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace ui {
namespace {

QHash<QString, ChoiceWindow>& choiceWindows() {
  static QHash<QString, ChoiceWindow> w;
  return w;
}
QHash<QString, ListWindow>& listWindows() {
  static QHash<QString, ListWindow> w;
  return w;
}
QHash<QString, TextWindow>& textWindows() {
  static QHash<QString, TextWindow> w;
  return w;
}

class WindowInteraction : public Interaction {
 public:
  void beep() override { QApplication::beep(); }
  void pause(int milliseconds) override { QThread::msleep(static_cast<unsigned long>(milliseconds)); }
  void showMessage(const QString& text) override {
    QMessageBox::information(nullptr, QStringLiteral("Message"), text);
  }
  void showSystemMessage(const QString& text) override {
    QMessageBox::warning(nullptr, QStringLiteral("Talvaron"), text);
  }
  int choose(const Choice& choice) override {
    if (auto w = choiceWindows().value(choice.form)) return w(choice);
    QMessageBox box(QMessageBox::Question, choice.caption, choice.text);
    QList<QAbstractButton*> buttons;
    for (const QString& b : choice.buttons) buttons << box.addButton(b, QMessageBox::AcceptRole);
    if (!buttons.isEmpty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
    box.exec();
    const int index = static_cast<int>(buttons.indexOf(box.clickedButton()));
    if (index < 0) return choice.cancelCode;
    return index < choice.codes.size() ? choice.codes[index] : index + 1;
  }
  int chooseLine(const ListChoice& choice) override {
    if (auto w = listWindows().value(choice.form)) return w(choice);
    bool ok = false;
    const QString line = QInputDialog::getItem(nullptr, choice.caption, choice.headings.join('\n'), choice.lines, 0, false, &ok);
    return ok ? static_cast<int>(choice.lines.indexOf(line)) + 1 : 0;
  }
  std::optional<QString> askText(const TextQuestion& question) override {
    if (auto w = textWindows().value(question.form)) return w(question);
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, question.caption, question.prompt, QLineEdit::Normal, question.text, &ok);
    if (!ok) return std::nullopt;
    return text;
  }
};

}  // namespace

void RegisterChoiceWindow(const QString& form, ChoiceWindow window) { choiceWindows().insert(form, std::move(window)); }
void RegisterListWindow(const QString& form, ListWindow window) { listWindows().insert(form, std::move(window)); }
void RegisterTextWindow(const QString& form, TextWindow window) { textWindows().insert(form, std::move(window)); }

void InstallWindowInteraction() {
  static WindowInteraction instance;
  setInteraction(&instance);
}

}  // namespace ui
