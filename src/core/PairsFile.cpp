#include "core/PairsFile.h"

#include "core/Counts.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PlayerNames.h"
#include "core/State.h"
#include "core/TournamentFileLines.h"
#include "platform/TextFiles.h"

#include <algorithm>
#include <vector>

using namespace tournament_files;

namespace {

const QString kPound = QStringLiteral("£");
const QString kBye = QStringLiteral("BYE");

struct PairLine {
  int number = 0;
  QString licence1;
  QString licence2;
  QString player1;
  QString player2;
};

bool IsBye(const QString& text) { return text.trimmed().compare(kBye, Qt::CaseInsensitive) == 0; }

// Cuts text at its first blank: the part before it is returned, text keeps
// the part after it (or becomes empty).
QString CutAtBlank(QString& text) {
  const qsizetype blank = text.indexOf(u' ');
  QString head = blank < 0 ? text : text.left(blank);
  text = blank < 0 ? QString() : text.mid(blank + 1);
  return head;
}

bool ParsePairLine(const QString& raw, PairLine& out) {
  QString rest = raw.trimmed();
  const QString number = CutAtBlank(rest);
  if (!ToInteger(number, out.number) || out.number < -kMaxPairs || out.number > kMaxPairs) return false;
  out.licence1 = CutAtBlank(rest);
  out.licence2 = CutAtBlank(rest);
  rest = rest.trimmed();
  QString label;
  const qsizetype first = rest.indexOf(kPound);
  if (first < 0) {
    label = rest;
    out.player1.clear();
    out.player2.clear();
  } else {
    label = rest.left(first);
    const qsizetype second = rest.indexOf(kPound, first + 1);
    out.player1 = (second < 0 ? rest.mid(first + 1) : rest.mid(first + 1, second - first - 1)).trimmed().left(200);
    out.player2 = (second < 0 ? QString() : rest.mid(second + 1)).trimmed().left(200);
  }
  // The absent pair is saved as "BYE£BYE£": its label reads "BYE", as the pair
  // tests read it in memory. A first player named "bye" whose partner is not
  // known yet is saved "bye -£bye£" and stays the real pair it was.
  if (out.player2.isEmpty() && IsBye(label) && (out.player1.isEmpty() || IsBye(out.player1))) {
    out.player1 = kBye;
    out.player2.clear();
  }
  return true;
}

void StoreInSlot(int slot, const PairLine& line) {
  PairNumbers[slot] = line.number;
  Player1Licences[slot] = line.licence1;
  Player2Licences[slot] = line.licence2;
  Player1Names[slot] = line.player1;
  Player2Names[slot] = line.player2;
  PairLabels[slot] = line.player1 == kBye && line.player2.isEmpty() ? kBye : line.player1 + QStringLiteral(" - ") + line.player2;
}

[[noreturn]] void RefuseMultiSectionFile() {
  FatalStop(QStringLiteral(
      "Le tournoi que vous demandez est probablement\r\n un tournoi comportant plusieurs séries de paires!\r\n Vous vous "
      "trouvez actuellement dans le programme \"TALVARON\".\r\n Passez donc au programme \"TALVARIX\"..."));
}

// Reads the lines of code's ".PAI", at most maxLines of them: a multi-section
// file and a bad line make the fatal stop.
std::vector<PairLine> ParsePairLines(const QString& code, const QStringList& lines, int maxLines) {
  std::vector<PairLine> pairs;
  const int last = std::min(static_cast<int>(lines.size()), maxLines);
  for (int n = 1; n <= last; ++n) {
    if (n == 1 && lines[0].contains(QStringLiteral("TALVARIX"))) RefuseMultiSectionFile();
    PairLine line;
    if (!ParsePairLine(lines[n - 1], line)) StopOnBadLine(code + QStringLiteral(".PAI"), n);
    pairs.push_back(std::move(line));
  }
  return pairs;
}

void StoreAll(const std::vector<PairLine>& pairs) {
  ClearPairSlots();
  for (size_t i = 0; i < pairs.size(); ++i) StoreInSlot(static_cast<int>(i) + 1, pairs[i]);
}

QString LicenceForFile(QString& licence) {
  int value = 0;
  if (!ToInteger(licence.trimmed(), value)) {
    licence = QStringLiteral("0");
    value = 0;
  }
  return QString::number(value);
}

}  // namespace

QString PairsFileText() {
  QString text;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] == 0) continue;
    text += QString::number(PairNumbers[s]) + u' ' + LicenceForFile(Player1Licences[s]) + u' ' +
            LicenceForFile(Player2Licences[s]) + u' ' + WithoutPairsSeparator(PairLabels[s]).trimmed() + kPound +
            WithoutPairsSeparator(Player1Names[s]).trimmed() + kPound + WithoutPairsSeparator(Player2Names[s]).trimmed() +
            QStringLiteral("\r\n");
  }
  return text;
}

void SavePairsFile() {
  if (TournamentCode.isEmpty() || CountPairs() == 0) return;
  RewriteWholeFile(TournamentFileName(TournamentCode, QStringLiteral(".PAI")), PairsFileText());
}

void ReadPairsFile(const QString& code) {
  const QStringList lines = ReadFileLines(TournamentFileName(code, QStringLiteral(".PAI")));
  const std::vector<PairLine> pairs = ParsePairLines(code, lines, kMaxPairs);
  if (lines.size() > kMaxPairs) FatalStop(QStringLiteral("Trop de paires"));
  StoreAll(pairs);
  PairCount = 0;
  PairCount = CountPairs();
  PairSlotCount = PairCount + PairCount % 2;
  TableCount = PairSlotCount / 2;
  ResultsPerBoard = TableCount;
}

void ChargerPaires(const QString& code) {
  TournamentCode = code;
  if (!platform::fileExists(TournamentFileName(code, QStringLiteral(".PAI"))))
    FatalStop(QStringLiteral("Impossible de lire le fichier de paires dans \"ChargerPaires\""));
  ReadPairsFile(code);
}

bool ReloadPairsFile() {
  QString code;
  ChooseTournamentPairs(code);
  if (code.isEmpty()) return false;
  const QString name = TournamentFileName(code, QStringLiteral(".PAI"));
  if (!platform::fileExists(name)) {
    ShowAlert(QStringLiteral("Pas de fichier ") + code + QStringLiteral(".PAI"));
    return false;
  }
  const QStringList lines = ReadFileLines(name);
  StoreAll(ParsePairLines(code, lines, kMaxPairs));
  if (lines.size() > kMaxPairs) {
    ShowAlert(QStringLiteral("Trop de paires"));
    return false;
  }
  return true;
}

void ChooseTournamentPairs(QString& code) {
  code.clear();
  const QStringList files = platform::listFolder(DataFolder, QStringLiteral("*.PAI"));
  if (files.size() > 1000) {
    ShowAlert(QStringLiteral("Le nombre de tournois est plus grand que 1000! Utilisez d'abord le programme Purgassin.EXE "
                             "pour mettre de l'ordre... Désolé!"));
    return;
  }
  if (files.isEmpty()) {
    ShowAlert(QStringLiteral("Pas trouvé de fichiers *.PAI dans le répertoire ") + DataFolder +
              QStringLiteral(". Aucun tournoi à choisir!"));
    return;
  }
  ui::ListChoice choice;
  choice.form = forms::TournamentChoice;
  choice.caption = QStringLiteral("Choix");
  choice.headings = {QStringLiteral("Choix des paires ?")};
  choice.hint = QStringLiteral("Esc = Annuler");
  choice.lines = files;  // already in name order, as the window shows them
  choice.sorted = true;
  const int chosen = ui::AskLine(choice);
  if (chosen >= 1 && chosen <= files.size()) code = files[chosen - 1].section(u'.', 0, 0);
}
