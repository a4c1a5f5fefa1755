#include "core/ui/WindowInteraction.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/ComputationWarningsWindow.h"
#include "core/ui/CriticalMessageWindow.h"
#include "core/ui/ListChoiceWindow.h"
#include "core/ui/MessageWindow.h"
#include "core/ui/NumberQuestionWindow.h"
#include "core/ui/PbnDealsNoticeWindow.h"
#include "core/ui/Printer.h"
#include "core/ui/ProgramSearchNoticeWindow.h"
#include "core/ui/TextQuestionWindow.h"
#include "core/ui/TournamentChoiceWindow.h"
#include "core/ui/WindowStyle.h"
#include "core/ui/YesNoQuestionWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHash>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

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

// The generic question: the text and one button per answer; Enter clicks the
// first button, Esc and the close box give the cancel code.
int askGenericChoice(const Choice& choice) {
  QDialog dialog;
  dialog.setWindowTitle(choice.caption);
  ui::StyleWindow(&dialog);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(choice.text, &dialog);
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  layout->addLayout(row);
  int answer = choice.cancelCode;
  for (qsizetype i = 0; i < choice.buttons.size(); ++i) {
    auto* button = new QPushButton(choice.buttons[i], &dialog);
    if (i == 0) button->setDefault(true);
    const int code = i < choice.codes.size() ? choice.codes[i] : static_cast<int>(i) + 1;
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &answer, code] {
      answer = code;
      dialog.accept();
    });
    row->addWidget(button);
  }
  dialog.exec();
  return answer;
}

template <typename Window>
Window* noticeWindow() {
  static QPointer<Window> window;
  if (!window) window = new Window;
  return window;
}

void registerCoreWindows() {
  RegisterChoiceWindow(forms::YesNoQuestion, [](const Choice& c) {
    TForm91 window;
    if (!c.caption.isEmpty()) window.setWindowTitle(c.caption);
    return window.ask(c.text, c.extra.value(QStringLiteral("defaultNo")).toBool());
  });
  RegisterChoiceWindow(forms::ComputationWarnings, [](const Choice& c) {
    TForm22 window;
    window.setText(c.text);
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
  RegisterChoiceWindow(forms::PbnDealsNotice, [](const Choice& c) {
    TForm88 window;
    window.setText(c.text);
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
  RegisterListWindow(forms::TournamentChoice, [](const ListChoice& c) {
    TForm83 window;
    return window.ask(c);
  });
  RegisterListWindow(forms::ListChoice, [](const ListChoice& c) {
    TForm82 window;
    return window.ask(c.caption, c.lines);
  });
  RegisterTextWindow(forms::NumberQuestion, [](const TextQuestion& q) {
    TForm25 window;
    return window.ask(q.caption, q.prompt, q.text);
  });
  RegisterTextWindow(forms::TextQuestion, [](const TextQuestion& q) {
    TForm40 window;
    return window.ask(q.caption, q.prompt, q.text);
  });
  flowWindows().notices.insert(
      forms::ProgramSearchNotice,
      {[](const QString& text) { noticeWindow<TForm95>()->showText(text); }, [] { noticeWindow<TForm95>()->hide(); }});
  flowWindows().notices.insert(forms::CriticalMessage,
                               {[](const QString& text) { noticeWindow<TForm114>()->showText(text); },
                                [] { noticeWindow<TForm114>()->hide(); }});
}

class WindowInteraction : public Interaction {
 public:
  void beep() override { QApplication::beep(); }
  void pause(int milliseconds) override { QThread::msleep(static_cast<unsigned long>(milliseconds)); }
  void showMessage(const QString& text) override { TForm26::showText(text); }
  void showSystemMessage(const QString& text) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Talvaron"), text, QMessageBox::Ok);
    StyleWindow(&box);
    box.exec();
  }
  int choose(const Choice& choice) override {
    if (auto w = choiceWindows().value(choice.form)) return w(choice);
    return askGenericChoice(choice);
  }
  int chooseLine(const ListChoice& choice) override {
    if (auto w = listWindows().value(choice.form)) return w(choice);
    QInputDialog dialog;
    dialog.setWindowTitle(choice.caption);
    dialog.setLabelText(choice.headings.join('\n'));
    dialog.setComboBoxItems(choice.lines);
    dialog.setComboBoxEditable(false);
    StyleWindow(&dialog);
    if (dialog.exec() != QDialog::Accepted) return 0;
    return static_cast<int>(choice.lines.indexOf(dialog.textValue())) + 1;
  }
  std::optional<QString> askText(const TextQuestion& question) override {
    if (auto w = textWindows().value(question.form)) return w(question);
    QInputDialog dialog;
    dialog.setWindowTitle(question.caption);
    dialog.setLabelText(question.prompt);
    dialog.setTextValue(question.text);
    StyleWindow(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
  }
  std::optional<QString> chooseFile(const PathQuestion& question) override {
    const QString file = QFileDialog::getOpenFileName(nullptr, question.caption, question.folder, question.filter);
    if (file.isEmpty()) return std::nullopt;
    return file;
  }
  std::optional<QString> chooseFolder(const PathQuestion& question) override {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, question.caption, question.folder);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
  }
};

}  // namespace

void RegisterChoiceWindow(const QString& form, ChoiceWindow window) { choiceWindows().insert(form, std::move(window)); }
void RegisterListWindow(const QString& form, ListWindow window) { listWindows().insert(form, std::move(window)); }
void RegisterTextWindow(const QString& form, TextWindow window) { textWindows().insert(form, std::move(window)); }

bool HasRegisteredWindow(const QString& form) {
  return choiceWindows().contains(form) || listWindows().contains(form) || textWindows().contains(form) ||
         flowWindows().notices.contains(form);
}

QStringList MissingInstalls() {
  QStringList missing = EmptyFaces();
  for (const QLatin1String form : forms::askedByRoutines)
    if (!HasRegisteredWindow(form)) missing << QStringLiteral("window of form ") + form;
  return missing;
}

void InstallWindowInteraction() {
  static WindowInteraction instance;
  static const bool registered = [] {
    registerCoreWindows();
    return true;
  }();
  (void)registered;
  InstallTextPrinter();
  setInteraction(&instance);
}

}  // namespace ui
