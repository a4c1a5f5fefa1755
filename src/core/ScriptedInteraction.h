#pragma once
// The interaction of the tests: answers come from a queue given beforehand;
// every text shown, question asked and beep is recorded. A question with no
// answer left in the queue, or of another kind than the next answer, throws
// std::logic_error naming it, so a test never hangs on a question it did not
// expect.
#include "core/Interaction.h"

#include <QList>

#include <deque>
#include <variant>

namespace ui {

class ScriptedInteraction : public Interaction {
 public:
  struct Cancel {};
  using Answer = std::variant<int, QString, Cancel>;

  // Installs itself for its lifetime (and puts the previous one back).
  ScriptedInteraction();
  ~ScriptedInteraction() override;

  ScriptedInteraction& answer(int code);          // the next choose() / chooseLine()
  ScriptedInteraction& answerText(QString text);  // the next askText()
  ScriptedInteraction& answerCancel();            // the next askText() or picker is cancelled
  ScriptedInteraction& answerPath(QString path);  // the next chooseFile() / chooseFolder()
  bool allAnswered() const { return answers_.empty(); }

  void beep() override;
  void pause(int milliseconds) override;
  void showMessage(const QString& text) override;
  void showSystemMessage(const QString& text) override;
  int choose(const Choice& choice) override;
  int chooseLine(const ListChoice& choice) override;
  std::optional<QString> askText(const TextQuestion& question) override;
  std::optional<QString> chooseFile(const PathQuestion& question) override;
  std::optional<QString> chooseFolder(const PathQuestion& question) override;

  // What happened, in order: "beep", "message: <text>", "system: <text>",
  // "choice: <text>", "list: <caption>", "text: <prompt>", "pause: <ms>",
  // "file: <caption>", "folder: <caption>".
  QStringList events;
  QStringList messages;   // texts of showMessage and showSystemMessage
  QStringList questions;  // texts of the questions asked
  QList<Choice> choices;  // the button questions asked, whole
  QList<ListChoice> lists;
  QList<TextQuestion> textQuestions;
  QList<PathQuestion> pathQuestions;  // files and folders asked
  int beeps = 0;
  int pausedMs = 0;

  // Beeps recorded immediately before the first message containing text.
  int beepsBefore(const QString& text) const;

 private:
  Answer next(const QString& what);
  std::optional<QString> pickPath(const QString& kind, const PathQuestion& question);
  std::deque<Answer> answers_;
  Interaction* previous_ = nullptr;
};

}  // namespace ui
