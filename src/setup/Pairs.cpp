#include "setup/Pairs.h"

#include "core/Counts.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Texts.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

const QString kBye = QStringLiteral("BYE");
constexpr int kHighestNumber = 9999;

QString SideText(int direction) { return direction == 1 ? QStringLiteral("N/S") : QStringLiteral("E/W"); }

bool IsByeSlotNames(int slot) { return IsByeNames(Player1Names[slot], Player2Names[slot]); }

// A name that stands for nobody in particular: no name, the placeholder "?"
// or the absent pair.
bool IsPlaceholderName(const QString& name) {
  const QString n = TrimText(name);
  return n.isEmpty() || n == QLatin1String("?") || n.compare(kBye, Qt::CaseInsensitive) == 0;
}

// The entry of the player list bearing this whole name (any case), 0 for none.
int FindPlayerByName(const QString& name) {
  const QString wanted = CollapseBlanks(TrimText(name));
  const int count = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int i = 1; i <= count; ++i)
    if (CollapseBlanks(TrimText(PlayerNames[i])).compare(wanted, Qt::CaseInsensitive) == 0) return i;
  return 0;
}

// Reads "choixBYE.TXT": false when the file is absent; a bad file stops the
// program.
bool ReadByeChoiceFile(int tables, int& direction, int& number) {
  const auto lines = platform::tryReadTextLines(platform::resolvePath(SettingsPath(kByePositionFile)));
  if (!lines) return false;
  const QStringList parts = lines->value(0).simplified().split(u' ', Qt::SkipEmptyParts);
  if (parts.size() < 2 || !IsInteger(parts[0]) || !IsInteger(parts[1]))
    FatalStop(QStringLiteral("Le contenu du fichier \"") + kByePositionFile +
              QStringLiteral("\" est mauvais! Désolé, on quitte..."));
  direction = parts[0].toInt();
  if (direction != 1 && direction != 2)
    FatalStop(QStringLiteral("Dans le fichier ") + kByePositionFile +
              QStringLiteral(", la direction n'est ni 1 (N/S) ni 2 (E/W). Désolé, on quitte..."));
  number = parts[1].toInt();
  if (number == kHighestNumber) {
    number = tables;
  } else if (number > tables || number <= 0) {
    // A number outside 1..tables would give the BYE to no pair at all.
    ShowAlert(QStringLiteral("Dans le fichier ") + kByePositionFile +
              QStringLiteral(", vous avez choisi de mettre le BYE en ") +
              SideText(direction) + u' ' + QString::number(number) +
              (number > tables ? QStringLiteral("; c'est trop grand") : QStringLiteral("; ce numéro n'existe pas")) +
              QStringLiteral(", il sera mis en ") + SideText(direction) + u' ' + QString::number(tables) +
              QStringLiteral("..."));
    number = tables;
  }
  return true;
}

}  // namespace

bool IsByeNames(const QString& player1, const QString& player2) {
  return TrimText(player1).compare(kBye, Qt::CaseInsensitive) == 0 && TrimText(player2).isEmpty();
}

bool PairTableCounts() {
  PairCount = CountPairs();
  if (PairCount == 0) return false;
  PairSlotCount = PairCount + PairCount % 2;
  if (PairSlotCount >= 4) {
    ResultsPerBoard = PairSlotCount / 2;
    return true;
  }
  ShowAlert(QStringLiteral("Ce programme accepte au minimum 4 paires!"));
  return false;
}

bool CheckPairs() {
  if (!PairTableCounts()) return false;

  int northSouth = 0;
  int eastWest = 0;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] > 0) ++northSouth;
    if (PairNumbers[s] < 0) ++eastWest;
  }
  if (eastWest > northSouth) {
    ShowAlert(QStringLiteral("Il y a plus de E/W que de N/S!"));
    return false;
  }
  if (northSouth > eastWest) {
    ShowAlert(QStringLiteral("Il y a plus de N/S que de E/W!"));
    return false;
  }

  int byeSlot = 0;
  int byes = 0;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] == 0 || !IsByeSlotNames(s)) continue;
    ++byes;
    if (byeSlot == 0) byeSlot = s;
  }
  if (byes > 1) {
    ShowAlert(QStringLiteral("Il y plus qu'une paire BYE!"));
    return false;
  }
  ByePresent = byeSlot > 0;
  ByePairNumber = 0;
  if (ByePresent) {
    const int number = PairNumbers[byeSlot];
    ByePairNumber = number > 0 ? number : -number + PairCount / 2;
  }

  // Every real name against every later one; the placeholders are no players.
  QStringList names;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] == 0) continue;
    for (const QString& name : {Player1Names[s], Player2Names[s]})
      if (!IsPlaceholderName(name)) names << CollapseBlanks(TrimText(name));
  }
  QString doubles;
  for (qsizetype i = 0; i < names.size(); ++i)
    for (qsizetype j = i + 1; j < names.size(); ++j)
      if (names[i].compare(names[j], Qt::CaseInsensitive) == 0) doubles += u' ' + names[i];
  if (!doubles.isEmpty()) {
    ShowAlert(QStringLiteral("Joueur(s) en double:") + doubles);
    return false;
  }

  int missing = 0;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] == 0) continue;
    if (TrimText(Player1Names[s]) == QLatin1String("?")) ++missing;
    if (TrimText(Player2Names[s]) == QLatin1String("?")) ++missing;
  }
  if (missing > 0) {
    const QString count = QString::number(missing);
    if (BridgeMatesMode) {
      const QString rest = QStringLiteral(" Avec les BridgeMates, vous devez lui donner un nom provenant de votre fichier de joueurs.");
      ShowAlert(missing == 1 ? QStringLiteral("Il y a un joueur non introduit!") + rest
                             : QStringLiteral("Il y a ") + count + QStringLiteral(" joueurs non introduits!") + rest);
    } else if (missing == 1) {
      ShowAlert(QStringLiteral("Il y a un joueur non introduit! Mettez-lui un nom quelconque (par exemple inconnu1). Vous "
                               "pourrez le modifier plus tard, durant ou à la fin du tournoi."));
    } else {
      ShowAlert(QStringLiteral("Il y a ") + count +
                QStringLiteral(" joueurs non introduits! Mettez-leur un nom quelconque (par exemple inconnu1, "
                               "inconnu2,...). Vous pourrez les modifier plus tard, durant ou à la fin du tournoi."));
    }
    return false;
  }

  if (BridgeMatesMode && PairsEntered) {
    const QString name = FindPlayerNotInFile();
    if (!name.isEmpty()) {
      ShowAlert(QStringLiteral("Pas retrouvé au moins un joueur dans votre fichier de joueurs! Le premier trouvé est ") + name +
                QStringLiteral(". Vous avez choisi l'option comme quoi les joueurs ne devaient pas introduire leur nom sur "
                               "les BridgeMates. Vous avez certainement oublié d'introduire un ou plusieurs noms"));
      return false;
    }
  }
  return true;
}

QString FindPlayerNotInFile() {
  const int last = std::clamp(PairSlotCount, 0, kMaxPairs);
  QString firstMissing;
  for (int player = 1; player <= 2; ++player) {
    for (int s = 1; s <= last; ++s) {
      if (PairNumbers[s] == 0 || IsByeSlotNames(s)) continue;
      const QString& name = player == 1 ? Player1Names[s] : Player2Names[s];
      if (TrimText(name).isEmpty()) continue;
      // A whole name rather than any piece of a players-file line: "MARTIN Paul" must not get "MARTIN Paulette"'s licence.
      const int entry = FindPlayerByName(name);
      if (entry > 0)
        (player == 1 ? Player1Licences[s] : Player2Licences[s]) = PlayerLicences[entry];
      else if (firstMissing.isEmpty())
        firstMissing = name;
    }
  }
  return firstMissing;
}

QString ByeWindowState::toText() const {
  return QString::number(direction) + u';' + (highest ? u'1' : u'0') + u';' + number + u';' + (keep ? u'1' : u'0');
}

ByeWindowState ByeWindowState::fromText(const QString& text) {
  const QStringList parts = text.split(u';');
  ByeWindowState state;
  state.direction = parts.value(0) == QLatin1String("2") ? 2 : 1;
  state.highest = parts.value(1) != QLatin1String("0");
  state.number = parts.value(2);
  state.keep = parts.value(3) == QLatin1String("1");
  return state;
}

void PlaceByePair(int tables, int& direction, int& number) {
  if (ReadByeChoiceFile(tables, direction, number)) return;

  const ByeWindowState offered;
  const std::optional<QString> answer = ui::interaction().askText({.form = forms::ByePair,
                                                                    .caption = QStringLiteral("Choix de la paire BYE"),
                                                                    .prompt = QStringLiteral("Où mettez-vous la paire absente ?"),
                                                                    .text = offered.toText()});
  const ByeWindowState state = answer ? ByeWindowState::fromText(*answer) : offered;
  direction = state.direction;
  number = tables;
  int kept = kHighestNumber;
  const QString typed = TrimText(state.number);
  if (state.highest) {
    if (!typed.isEmpty())
      ShowAlert(QStringLiteral("Le numéro du BYE est rempli et vous avez coché la case \"Numéro le plus élevé\"; c'est "
                               "incompatible! On définit donc le BYE comme le numéro le plus élevé..."));
  } else if (typed.isEmpty()) {
    ShowAlert(QStringLiteral("Le numéro du BYE est vide! On le définit alors comme le numéro le plus élevé..."));
  } else if (!IsInteger(typed)) {
    ShowAlert(QStringLiteral("Le numéro n'est pas un nombre! On le définit alors comme le numéro le plus élevé..."));
  } else {
    const int value = typed.toInt();
    if (value >= 1 && value <= tables) {
      number = value;
      kept = value;
    } else {
      // A number outside 1..tables would leave a phantom pair playing: the
      // highest number is used (a larger one is still kept for bigger fields).
      if (value > tables) kept = value;
      ShowAlert(QStringLiteral("Vous avez choisi de mettre le BYE en ") + SideText(direction) + u' ' + typed +
                (value > tables ? QStringLiteral("; c'est trop grand") : QStringLiteral("; ce numéro n'existe pas")) +
                QStringLiteral(", il sera mis en ") + SideText(direction) + u' ' + QString::number(tables) +
                QStringLiteral("..."));
    }
  }

  if (state.keep) {
    ShowAlert(QStringLiteral("Voici donc ce qu'on va sauver et utiliser dorénavant: ") + QString::number(direction) + u' ' +
              QString::number(kept) + QStringLiteral("; c'est-à-dire ") + SideText(direction) + u' ' +
              (kept == kHighestNumber ? QStringLiteral("numéro le plus élevé") : QString::number(kept)) +
              QStringLiteral("..."));
    WriteSettingLine(kByePositionFile, QString::number(direction) + u' ' + QString::number(kept));
  } else {
    ShowAlert(QStringLiteral("Attention la case de sauvetage n'était pas cochée. Vous avez donc décidé de ne pas garder "
                             "l'information pour les tournois suivants. Ce sera peut-être pour la prochaine fois..."));
  }
}

void DrawPairs() {
  QRandomGenerator generator(static_cast<quint32>(platform::now().toMSecsSinceEpoch()));
  DrawPairs(generator);
}

void DrawPairs(QRandomGenerator& generator) {
  int last = 0;
  for (int s = 1; s <= kMaxPairs; ++s)
    if (PairNumbers[s] != 0) last = s;
  // An empty slot between pairs is left out: a pair never loses its number.
  const auto staysPut = [](int slot) { return PairNumbers[slot] == 0 || IsByeSlotNames(slot); };
  for (int i = 1; i <= last; ++i) {
    if (staysPut(i)) continue;
    const int j = static_cast<int>(generator.bounded(last)) + 1;
    if (staysPut(j)) continue;
    std::swap(PairNumbers[i], PairNumbers[j]);
  }
  PairTableCounts();
}
