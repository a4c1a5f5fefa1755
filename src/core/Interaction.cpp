#include "core/Interaction.h"

#include "core/FormNames.h"
#include "core/Globals.h"

#include <cstdio>

namespace ui {
namespace {

class SilentInteraction : public Interaction {
 public:
  void beep() override {}
  void pause(int) override {}
  void showMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void showSystemMessage(const QString& text) override { showMessage(text); }
  int choose(const Choice& choice) override { return choice.cancelCode; }
  int chooseLine(const ListChoice&) override { return 0; }
  std::optional<QString> askText(const TextQuestion&) override { return std::nullopt; }
  std::optional<QString> chooseFile(const PathQuestion&) override { return std::nullopt; }
  std::optional<QString> chooseFolder(const PathQuestion&) override { return std::nullopt; }
};

SilentInteraction silent;
Interaction* installed = nullptr;

}  // namespace

Interaction& interaction() { return installed ? *installed : silent; }

void setInteraction(Interaction* implementation) { installed = implementation; }

Interaction* installedInteraction() { return installed; }

int Ask(const Choice& choice) {
  ChoiceResult = choice.cancelCode;  // a window closed without answer leaves the cancel value
  ChoiceResult = interaction().choose(choice);
  return ChoiceResult;
}

int AskLine(const ListChoice& choice) {
  ChoiceResult = 0;
  ChoiceResult = interaction().chooseLine(choice);
  return ChoiceResult;
}

namespace {

Choice yesNoQuestion(const QString& question) {
  return {.form = forms::YesNoQuestion,
          .caption = QStringLiteral("Question"),
          .text = question,
          .buttons = {QStringLiteral("OUI"), QStringLiteral("NON")},
          .codes = {6, 7},
          .cancelCode = 7};
}

}  // namespace

int AskYesNo(const QString& question) { return Ask(yesNoQuestion(question)); }

int AskYesNoDefaultNo(const QString& question) {
  Choice choice = yesNoQuestion(question);
  choice.buttons = {QStringLiteral("&OUI"), QStringLiteral("NON (ENTER)")};
  choice.extra = {{QStringLiteral("defaultNo"), true}, {QStringLiteral("defaultButton"), 1}};
  return Ask(choice);
}

}  // namespace ui
