#include "core/Questions.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PlayerNames.h"
#include "core/Texts.h"
#include "platform/TextFiles.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

QString ChooseFromList() {
  ui::ListChoice list;
  list.form = forms::ListChoice;
  list.caption = QStringLiteral("Choisissez");
  const int count = std::clamp(ChoiceListCount, 0, kMaxPlayers);
  for (int i = 1; i <= count; ++i) {
    const QString line = TrimText(ChoiceListItems[i]);
    if (!line.isEmpty()) list.lines << line;
  }
  const int chosen = ui::interaction().chooseLine(list);
  if (chosen >= 1 && chosen <= list.lines.size()) {
    ChoiceIndex = chosen;
    TypedSearchText = list.lines[chosen - 1];
  } else {
    ChoiceIndex = 0;
    TypedSearchText.clear();
  }
  return TypedSearchText;
}

QString ChoosePairName() {
  if (!platform::fileExists(ProgramFolder + QStringLiteral("PAIRES.TXT"))) {
    ShowAlert(QStringLiteral("Fonction \"!%$?=@&\" non disponible, pas de fichier de paires (PAIRES.TXT)"));
    return {};
  }
  return WithoutPairsSeparator(ChooseFromList()).left(50);
}

bool AskForText(const QString& caption, QString& text) {
  ui::TextQuestion question;
  question.form = forms::TextQuestion;
  question.caption = QStringLiteral("Question");
  question.prompt = caption;
  question.text = text;
  const std::optional<QString> answer = ui::interaction().askText(question);
  text = answer.value_or(QString());
  return answer.has_value();
}

namespace {

// Asks a whole number from 0 to maximum until the answer is one, each refusal
// said; 0 when the director cancels or leaves the field empty.
int AskWholeNumberUpTo(const QString& caption, int defaultValue, int maximum, const QString& aboveMaximum) {
  ui::TextQuestion question;
  question.form = forms::NumberQuestion;
  question.prompt = caption;
  if (defaultValue != -1) question.text = QString::number(defaultValue);
  for (;;) {
    const std::optional<QString> answer = ui::interaction().askText(question);
    if (!answer) return 0;
    const QString text = TrimText(*answer);
    if (text.isEmpty()) return 0;
    if (!IsInteger(text)) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + QStringLiteral("\" n'est pas un nombre entier!"));
      continue;
    }
    const int value = text.toInt();
    if (value < 0) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + QStringLiteral("\" n'est pas un nombre entier positif!"));
      continue;
    }
    if (value > maximum) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + aboveMaximum);
      continue;
    }
    return value;
  }
}

}  // namespace

int AskNonNegativeInteger(const QString& caption, int defaultValue) {
  return AskWholeNumberUpTo(caption, defaultValue, std::numeric_limits<int>::max(), QString());
}

int AskPercentage(const QString& caption, int defaultValue) {
  return AskWholeNumberUpTo(caption, defaultValue, 100, QStringLiteral("\" n'est pas un pourcentage (de 0 à 100)!"));
}

void ShowWarningWindow(const QString& text) {
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
  ui::Ask({.form = forms::ComputationWarnings,
           .caption = QStringLiteral("Attention"),
           .text = text,
           .buttons = {QStringLiteral("&OK / ENTER / ESC / Echap")},
           .codes = {1},
           .extra = {{QStringLiteral("lines"), lines}}});
}

void ShowInfoWindow(const QString& text) {
  ui::interaction().choose({.form = forms::PbnDealsNotice,
                            .caption = QStringLiteral("Info"),
                            .text = text,
                            .buttons = {QStringLiteral("OK (ENTER/ESC)")},
                            .codes = {1}});
}

DirectorComputation::DirectorComputation() { Interactive = true; }

DirectorComputation::~DirectorComputation() { Interactive = false; }
