#include "core/ScriptedInteraction.h"

#include <stdexcept>

namespace ui {
ScriptedInteraction::ScriptedInteraction() : previous_(installedInteraction()) { setInteraction(this); }

ScriptedInteraction::~ScriptedInteraction() { setInteraction(previous_); }

ScriptedInteraction& ScriptedInteraction::answer(int code) {
  answers_.emplace_back(code);
  return *this;
}

ScriptedInteraction& ScriptedInteraction::answerText(QString text) {
  answers_.emplace_back(std::move(text));
  return *this;
}

ScriptedInteraction& ScriptedInteraction::answerCancel() {
  answers_.emplace_back(Cancel{});
  return *this;
}

ScriptedInteraction& ScriptedInteraction::answerPath(QString path) { return answerText(std::move(path)); }

ScriptedInteraction::Answer ScriptedInteraction::next(const QString& what) {
  if (answers_.empty()) throw std::logic_error(("no scripted answer for: " + what).toStdString());
  Answer a = std::move(answers_.front());
  answers_.pop_front();
  return a;
}

void ScriptedInteraction::beep() {
  ++beeps;
  events << QStringLiteral("beep");
}

void ScriptedInteraction::pause(int milliseconds) {
  pausedMs += milliseconds;
  events << QStringLiteral("pause: %1").arg(milliseconds);
}

void ScriptedInteraction::showMessage(const QString& text) {
  messages << text;
  events << QStringLiteral("message: ") + text;
}

void ScriptedInteraction::showSystemMessage(const QString& text) {
  messages << text;
  events << QStringLiteral("system: ") + text;
}

int ScriptedInteraction::choose(const Choice& choice) {
  questions << choice.text;
  choices << choice;
  events << QStringLiteral("choice: ") + choice.text;
  const Answer a = next(QStringLiteral("choice \"%1\"").arg(choice.text));
  if (!std::holds_alternative<int>(a)) throw std::logic_error("scripted answer is not a button code: " + choice.text.toStdString());
  return std::get<int>(a);
}

int ScriptedInteraction::chooseLine(const ListChoice& choice) {
  questions << choice.caption;
  lists << choice;
  events << QStringLiteral("list: ") + choice.caption;
  const Answer a = next(QStringLiteral("list \"%1\"").arg(choice.caption));
  if (!std::holds_alternative<int>(a)) throw std::logic_error("scripted answer is not a line number: " + choice.caption.toStdString());
  return std::get<int>(a);
}

std::optional<QString> ScriptedInteraction::askText(const TextQuestion& question) {
  questions << question.prompt;
  textQuestions << question;
  events << QStringLiteral("text: ") + question.prompt;
  const Answer a = next(QStringLiteral("text \"%1\"").arg(question.prompt));
  if (std::holds_alternative<Cancel>(a)) return std::nullopt;
  if (!std::holds_alternative<QString>(a)) throw std::logic_error("scripted answer is not a text: " + question.prompt.toStdString());
  return std::get<QString>(a);
}

std::optional<QString> ScriptedInteraction::pickPath(const QString& kind, const PathQuestion& question) {
  questions << question.caption;
  pathQuestions << question;
  events << kind + QStringLiteral(": ") + question.caption;
  const Answer a = next(QStringLiteral("%1 \"%2\"").arg(kind, question.caption));
  if (std::holds_alternative<Cancel>(a)) return std::nullopt;
  if (!std::holds_alternative<QString>(a)) throw std::logic_error("scripted answer is not a path: " + question.caption.toStdString());
  return std::get<QString>(a);
}

std::optional<QString> ScriptedInteraction::chooseFile(const PathQuestion& question) {
  return pickPath(QStringLiteral("file"), question);
}

std::optional<QString> ScriptedInteraction::chooseFolder(const PathQuestion& question) {
  return pickPath(QStringLiteral("folder"), question);
}

int ScriptedInteraction::beepsBefore(const QString& text) const {
  int count = 0;
  for (const QString& e : events) {
    if (e == QLatin1String("beep")) {
      ++count;
    } else if ((e.startsWith(QLatin1String("message: ")) || e.startsWith(QLatin1String("system: "))) && e.contains(text)) {
      return count;
    } else if (!e.startsWith(QLatin1String("pause: "))) {
      count = 0;
    }
  }
  return -1;
}

}  // namespace ui
