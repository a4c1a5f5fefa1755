#pragma once
// For window tests: messages and beeps are recorded instead of shown; every
// question is asked in its real window (the interaction installed before).
#include "core/Interaction.h"

#include <QStringList>

namespace testing_support {

class RecordingInteraction : public ui::Interaction {
 public:
  RecordingInteraction() : windows_(ui::installedInteraction()) { ui::setInteraction(this); }
  ~RecordingInteraction() override { ui::setInteraction(windows_); }
  void beep() override { ++beeps; }
  void pause(int) override {}
  void showMessage(const QString& text) override { messages << text; }
  void showSystemMessage(const QString& text) override { messages << text; }
  int choose(const ui::Choice& c) override { return windows_->choose(c); }
  int chooseLine(const ui::ListChoice& c) override { return windows_->chooseLine(c); }
  std::optional<QString> askText(const ui::TextQuestion& q) override { return windows_->askText(q); }
  std::optional<QString> chooseFile(const ui::PathQuestion& q) override { return windows_->chooseFile(q); }
  std::optional<QString> chooseFolder(const ui::PathQuestion& q) override { return windows_->chooseFolder(q); }
  QStringList messages;
  int beeps = 0;

 private:
  ui::Interaction* windows_;
};

}  // namespace testing_support
