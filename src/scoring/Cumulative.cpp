#include "scoring/Cumulative.h"

#include "core/Backups.h"
#include "core/Counts.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "core/Questions.h"
#include "core/SafeFiles.h"
#include "core/State.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultListings.h"
#include "setup/Pairs.h"
#include "setup/Parameters.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kMaxSessions = 100;
constexpr int kMaxSessionFiles = 1000;
const QString kButlerMark = QStringLiteral("\\BUTLER");


enum class Kind { Unknown, SingleTop, Butler };

// One pair of the cumulation, gathered apart from the tournament in memory.
struct CumulPair {
  QString label;  // "player 1/player 2", at most 50 characters
  QString player1;
  QString player2;
  double sum = 0;
  int sessions = 0;
  int lastSession = 0;  // two lines of one session are two pairs
};

// What a stop must give back: the menu as it was (its timer included).
class MenuRestorer {
 public:
  MenuRestorer() { flowSteps().pauseMenuForWork(); }
  MenuRestorer(const MenuRestorer&) = delete;
  MenuRestorer& operator=(const MenuRestorer&) = delete;
  ~MenuRestorer() {
    if (!kept_) flowSteps().resumeMenuAfterWork();
  }
  void keep() { kept_ = true; }

 private:
  bool kept_ = false;
};

// The globals a cumulation replaces, put back when its save fails.
struct Snapshot {
  OneBased<int, kMaxPairs> pairNumbers = PairNumbers;
  OneBased<QString, kMaxResultSlots> labels = PairLabels, player1 = Player1Names, player2 = Player2Names;
  OneBased<QString, kMaxPlayers> licences1 = Player1Licences, licences2 = Player2Licences;
  OneBased<double, kMaxPairs> scores = PairFinalScore;
  OneBased<int, kMaxPairs> ranking = RankingOrder;
  ResultSlotArrays resultSlots = ResultSlots::view();
  int pairCount = PairCount, pairSlotCount = PairSlotCount, resultsPerBoard = ResultsPerBoard, tableCount = TableCount,
      boardCount = BoardCount, resultSlotCount = ResultSlotCount, lastSheetRound = LastSheetRound;
  bool howell = IsHowell, mitchellNumbering = MitchellNumbering, imps = ImpScoring, totals = CumulativeTotals,
       cumulative = CumulativeMode;
  QString code = TournamentCode, name = TournamentName, title = CumulativeTitleLine;

  void restore() const {
    PairNumbers = pairNumbers;
    PairLabels = labels;
    Player1Names = player1;
    Player2Names = player2;
    Player1Licences = licences1;
    Player2Licences = licences2;
    PairFinalScore = scores;
    RankingOrder = ranking;
    ResultSlots::Restore(resultSlots);
    PairCount = pairCount;
    PairSlotCount = pairSlotCount;
    ResultsPerBoard = resultsPerBoard;
    TableCount = tableCount;
    BoardCount = boardCount;
    ResultSlotCount = resultSlotCount;
    LastSheetRound = lastSheetRound;
    IsHowell = howell;
    MitchellNumbering = mitchellNumbering;
    ImpScoring = imps;
    CumulativeTotals = totals;
    CumulativeMode = cumulative;
    TournamentCode = code;
    TournamentName = name;
    CumulativeTitleLine = title;
  }
};

// The two trimmed sides of "player 1/player 2" (no "/": two empty sides).
std::pair<QString, QString> Sides(const QString& names) {
  const qsizetype slash = names.indexOf(QLatin1Char('/'));
  if (slash < 0) return {};
  return {TrimText(names.left(slash)), TrimText(names.mid(slash + 1))};
}

bool CodeHasFiles(const QString& code) {
  return !platform::listFolder(DataFolder, code + QStringLiteral(".*")).isEmpty();
}

// The cumulative's code: letters and digits, and an existing tournament of
// that code replaced only when the director says so. Empty: stop.
QString AskCumulativeCode() {
  QString code = DateYear + DateMonth + DateDay + QStringLiteral("Cumul");
  for (;;) {
    if (!AskForText(QStringLiteral("Code de ce tournoi cumulé"), code)) return {};
    code = TrimText(code);
    if (code.isEmpty()) return {};
    const QString refusal = CodeRuleMessage(code);
    if (!refusal.isEmpty()) {
      ShowAlert(refusal);
      continue;
    }
    if (!CodeHasFiles(code) ||
        ui::AskYesNo(QStringLiteral("Il existe déjà un tournoi \"") + code +
                     QStringLiteral("\". Voulez-vous le remplacer par ce tournoi cumulé?")) == 6)
      return code;
  }
}

// The sessions chosen one by one, gathered into pairs. False on a stop
// ("Trop de paires!"), with its message.
bool GatherSessions(const QStringList& files, std::vector<CumulPair>& pairs, int& sessions, Kind& kind, QString& title) {
  for (int s = 1; s <= kMaxSessions;) {
    ui::ListChoice choice;
    choice.form = forms::TournamentChoice;
    choice.caption = QStringLiteral("Choix de la séance");
    choice.headings = {QStringLiteral("Choix de la séance numéro %1 ?").arg(s)};
    choice.hint = QStringLiteral("Esc = Terminé");
    choice.lines = files;
    choice.sorted = true;
    const int chosen = ui::AskLine(choice);
    if (chosen < 1 || chosen > files.size()) return true;
    const QString code = files[chosen - 1].section(QLatin1Char('.'), 0, 0);
    if (code.isEmpty()) return true;
    const QString path = DataFolder + code + QStringLiteral(".SEA");
    const auto lines = platform::tryReadTextLines(platform::resolvePath(path));
    if (!lines) {
      ShowAlert(QStringLiteral("Pas de fichier ") + path);
      continue;
    }
    std::vector<SessionLine> read;
    for (const QString& line : *lines)
      if (auto parsed = ParseSessionLine(line)) read.push_back(*parsed);
    const bool butler = !read.empty() && read.front().butler;
    if (butler && kind == Kind::SingleTop) {
      ShowWarningWindow(QStringLiteral(
          "Il est impossible de mélanger une séance BUTLER avec des séances au TOP unique! Rechargez ce tournoi, "
          "recalculez les résultats au TOP et resauvez la séance."));
      continue;
    }
    if (!butler && kind == Kind::Butler) {
      ShowWarningWindow(QStringLiteral(
          "Il est impossible de mélanger une séance TOP unique avec des séances BUTLER! Rechargez ce tournoi, "
          "recalculez les résultats en BUTLER et resauvez la séance."));
      continue;
    }
    kind = butler ? Kind::Butler : Kind::SingleTop;
    title += QLatin1Char(' ') + code;
    for (const SessionLine& line : read) {
      auto found = std::find_if(pairs.begin(), pairs.end(), [&](const CumulPair& p) {
        return p.lastSession != s && NamesMatch(p.label, line.names);
      });
      if (found != pairs.end()) {
        found->sum += line.score;
        ++found->sessions;
        found->lastSession = s;
        continue;
      }
      if (pairs.size() >= static_cast<std::size_t>(kMaxPairs)) {
        ShowAlert(QStringLiteral("Trop de paires!"));
        return false;
      }
      const auto [player1, player2] = Sides(line.names);
      pairs.push_back({line.names, player1, player2, line.score, 1, s});
    }
    sessions = s++;
  }
  return true;
}

// The cumulation becomes the tournament in memory, then its files.
void Commit(const std::vector<CumulPair>& pairs, int sessions, Kind kind, const QString& code, const QString& name,
            const QString& title) {
  ClearPairSlots();
  const int count = static_cast<int>(pairs.size());
  for (int s = 1; s <= count; ++s) {
    const CumulPair& p = pairs[static_cast<std::size_t>(s - 1)];
    PairLabels[s] = p.label;
    Player1Names[s] = p.player1;
    Player2Names[s] = p.player2;
    PairNumbers[s] = s;
  }
  PairCount = CountPairs();
  PairSlotCount = PairCount + PairCount % 2;
  ResultsPerBoard = TableCount = PairSlotCount / 2;
  BoardCount = 0;
  // One merged ranking with plain numbers.
  IsHowell = true;
  MitchellNumbering = false;
  for (int s = 1; s <= count; ++s)
    if (PairNumbers[s] > ResultsPerBoard) PairNumbers[s] = ResultsPerBoard - PairNumbers[s];
  ClearAllResults();
  ResultSlotCount = 0;
  TournamentCode = code;
  TournamentName = name;
  CumulativeTitleLine = title;

  QStringList unranked;
  for (int s = 1; s <= count; ++s) {
    const CumulPair& p = pairs[static_cast<std::size_t>(s - 1)];
    if (p.sessions < sessions) {
      unranked << p.label + QStringLiteral(" : pas joué tous les tournois. Pas classé.");
      PairFinalScore[s] = 0;
    } else {
      PairFinalScore[s] = p.sum / p.sessions;
    }
  }
  if (!unranked.isEmpty()) ShowWarningWindow(unranked.join(QStringLiteral("\r\n")));
  ImpScoring = kind == Kind::Butler;
  CumulativeTotals = true;

  const std::vector<int> order =
      RankByScore(count, [](int p) { return PairFinalScore[p]; }, ScoreComparison::Exact);
  for (int i = 1; i <= count && i < static_cast<int>(order.size()); ++i) RankingOrder[i] = order[static_cast<std::size_t>(i)];

  SavePairsFile();
  SaveDatFile();
  WriteCumulativeMarker();
  WriteSessionFile();

  for (int s = 1; s <= count; ++s) {
    const qsizetype slash = PairLabels[s].indexOf(QLatin1Char('/'));
    if (slash >= 0) PairLabels[s] = PairLabels[s].left(slash) + QStringLiteral(" - ") + PairLabels[s].mid(slash + 1, 100);
  }
  CumulativeMode = true;
}

}  // namespace

bool NamesMatch(const QString& a, const QString& b) {
  const bool slashA = a.contains(QLatin1Char('/'));
  const bool slashB = b.contains(QLatin1Char('/'));
  if (!slashA || !slashB) return slashA == slashB && TrimText(a) == TrimText(b);
  const auto [a1, a2] = Sides(a);
  const auto [b1, b2] = Sides(b);
  return (a1 == b1 && a2 == b2) || (a1 == b2 && a2 == b1);
}

void WriteCumulativeMarker() {
  TextFile marker;
  SafeRewrite(marker, DataFolder + TournamentCode + QStringLiteral(".CUM"));
  CloseTextFile(marker);
}

std::optional<SessionLine> ParseSessionLine(const QString& line) {
  const qsizetype first = line.indexOf(QLatin1Char(' '));
  if (first < 0) return std::nullopt;
  QString rest = TrimText(line.mid(first + 1));
  auto takeField = [&rest] {
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    const QString field = blank < 0 ? rest : rest.left(blank);
    rest = blank < 0 ? QString() : TrimText(rest.mid(blank + 1));
    return field;
  };
  bool ok = false;
  SessionLine parsed;
  parsed.score = ParseDecimalNumber(takeField(), &ok);
  takeField();
  takeField();
  if (!ok) return std::nullopt;
  QString names = rest;
  if (const qsizetype mark = names.indexOf(kButlerMark); mark >= 0) {
    parsed.butler = true;
    names.remove(mark, kButlerMark.size());
  }
  names = names.left(50);
  while (!names.isEmpty() && names.front().isSpace()) names.remove(0, 1);
  names = TrimText(names);
  if (names.isEmpty()) return std::nullopt;
  parsed.names = names;
  return parsed;
}


bool CumulateTournaments(bool interactive, const QString& code) {
  if (interactive) {
    SaveTournamentAll();
    BackupAndPurge();
  }
  MenuRestorer menu;

  const QStringList files = platform::listFolder(DataFolder, QStringLiteral("*.SEA"));
  if (files.size() > kMaxSessionFiles) {
    ShowAlert(QStringLiteral("Le nombre de tournois est plus grand que 1000! Utilisez d'abord le programme "
                             "Purgassin.EXE pour mettre de l'ordre... Désolé!"));
    return false;
  }
  if (files.isEmpty()) {
    ShowAlert(QStringLiteral("Pas trouvé de fichiers *.SEA dans le répertoire ") + DataFolder +
              QStringLiteral(". Aucun tournoi à choisir!"));
    return false;
  }
  QString name = QStringLiteral("Tournoi cumulé du ") + DateDay + QLatin1Char('/') + DateMonth + QLatin1Char('/') + DateYear;
  if (!AskForText(QStringLiteral("Nom de ce tournoi cumulé"), name) || TrimText(name).isEmpty()) return false;
  const QString cumulativeCode = interactive ? AskCumulativeCode() : code;
  if (cumulativeCode.isEmpty()) return false;

  std::vector<CumulPair> pairs;
  int sessions = 0;
  Kind kind = Kind::Unknown;
  QString title = QStringLiteral("Résultats cumulés des tournois");
  if (!GatherSessions(files, pairs, sessions, kind, title)) return false;
  if (sessions == 0) {
    ShowAlert(QStringLiteral("Aucune séance chargée!"));
    return false;
  }

  const Snapshot before;
  try {
    Commit(pairs, sessions, kind, cumulativeCode, name, title);
  } catch (...) {
    before.restore();
    throw;
  }
  menu.keep();
  HideTournamentMenu();
  if (flowWindows().showCumulativeEnd) flowWindows().showCumulativeEnd();
  ShowMessageWindow(QStringLiteral(
      "C'est fini!  Vous pouvez voir et imprimer les résultats du cumul... Si vous utilisez le site BridgeWebs, "
      "n'oubliez pas de sauver les résultats du cumul pour BridgeWebs"));
  return true;
}
