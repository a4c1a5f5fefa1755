#include "setup/MovementFiles.h"

#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Texts.h"
#include "platform/TextFiles.h"

#include <QFileInfo>

namespace {

const QString kClubToggle = QStringLiteral("MouvementsBralmet.TXT");

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Reads count integers separated by blanks from the start of line; rest gets
// what follows the last one. False when one is missing or is not an integer.
bool readIntegers(const QString& line, int count, int* values, QString& rest) {
  qsizetype i = 0;
  for (int k = 0; k < count; ++k) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const qsizetype start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    const QString token = line.mid(start, i - start);
    if (!IsInteger(token)) return false;
    values[k] = token.toInt();
  }
  rest = line.mid(i);
  return true;
}

// Trailing empty lines are no records.
qsizetype usedLineCount(const QStringList& lines) {
  qsizetype n = lines.size();
  while (n > 0 && TrimText(lines[n - 1]).isEmpty()) --n;
  return n;
}

// One movement line, checked; the message of the first fault found, or "".
struct MovementLine {
  int round = 0, ns = 0, ew = 0, set = 0, table = 0;
};

QString checkLine(const QString& text, const MovementHeader& header, MovementLine& line) {
  int v[4] = {0, 0, 0, 0};
  QString rest;
  if (!readIntegers(text, 4, v, rest)) return QStringLiteral("Nombre incorrect ou ligne vide");
  line.round = v[0];
  line.ns = v[1];
  line.ew = v[2];
  line.set = v[3];
  const int tables = TableCount;
  if (line.set < 1 || line.set > header.sets) return QStringLiteral("N° Série?");
  if (line.round < 1 || line.round > header.rounds) return QStringLiteral("N° Tour?");
  if (IsHowell && (line.ns < 1 || line.ns > PairSlotCount)) return QStringLiteral("N° N/S (Howell)?");
  if (IsPatton && PairSlotCount == 4) {
    if (line.ns < 1 || line.ns > 4) return QStringLiteral("N° N/S (PATTON)?");
    if (line.ew < 1 || line.ew > 4) return QStringLiteral("N° E/W (PATTON)?");
  } else if (MitchellNumbering) {
    if (line.ns < 1 || line.ns > tables) return QStringLiteral("N° N/S (Mitchell)?");
    if (line.ew < 1 || line.ew > tables) return QStringLiteral("N° E/W (Mitchell)?");
  }
  if (IsHowell && (line.ew < 1 || line.ew > PairSlotCount)) return QStringLiteral("N° E/W (Howell)?");
  if (PairSlotCount != PairCount && line.ew == (IsHowell ? PairSlotCount : tables)) line.ew = 0;
  const QString table = TrimText(rest);
  if (table.isEmpty())
    line.table = 0;
  else if (IsInteger(table))
    line.table = table.toInt();
  else
    return QStringLiteral("N° table?");
  // The table is saved with the result: the tournament could not be reloaded
  // with a number the tables cannot have.
  if (line.table < 0 || line.table > kMaxTables) return QStringLiteral("N° table?");
  return {};
}

// Writes the line into the first free slot of every board of its set; the
// first board without a free slot is returned (0 when all found one).
int placeLine(const MovementLine& line) {
  const int tables = ResultsPerBoard;
  for (int b = (line.set - 1) * BoardsPerTable + 1; b <= line.set * BoardsPerTable; ++b) {
    if (b > kMaxBoards) return b;
    int slot = 0;
    for (int s = (b - 1) * tables + 1; s <= b * tables; ++s)
      if (ResultNsPair[s] == 0) {
        slot = s;
        break;
      }
    if (slot == 0) return b;
    ClearResultSlot(slot);
    ResultSlots::LayOut(slot, {.ns = line.ns, .ew = line.ew, .round = line.round, .table = line.table, .board = b}, false);
  }
  return 0;
}

QString tooManyResults(int board) {
  return QStringLiteral("Trop de résultats pour la donne ") + QString::number(board) + QStringLiteral("!");
}

QString fileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

void clubToggleOff() {
  if (!ClubMode) return;
  ClubMovements = false;
  DeleteSetting(kClubToggle);
}

}  // namespace

bool ParseMovementHeader(const QString& line, MovementHeader& header) {
  int v[3] = {0, 0, 0};
  QString rest;
  if (!readIntegers(line, 3, v, rest)) return false;
  header.sets = v[0];
  header.pairs = v[1];
  header.rounds = v[2];
  const QString kind = TrimText(rest);
  header.kind = kind.isEmpty() ? QChar() : kind[0].toUpper();
  return true;
}

void SetArrowSwitchFromName(const QString& fileName) {
  ArrowSwitch = fileName.contains(QLatin1String("Arrow"));
  if (!ArrowSwitch)
    ArrowSwitchText.clear();
  else if (fileName.contains(QLatin1String("Arrow Switch (1)")))
    ArrowSwitchText = QStringLiteral("au tour numéro 2");
  else if (fileName.contains(QLatin1String("Arrow Switch (2)")))
    ArrowSwitchText = QStringLiteral("aux tours numéros 2 et 3");
  else
    ArrowSwitchText = QStringLiteral("aux tours inconnus");
}

bool IsAppendixFileName(const QString& fileName, int tables) {
  const QString name = fileName.toUpper();
  for (const int base : {7, 9})
    if (tables >= base && name == QStringLiteral("A%1-%2.TXT").arg(base).arg(tables - base)) return true;
  return false;
}

void ReportMovementLineError(const QString& message, int line) {
  ShowAlert(QStringLiteral(" Erreur: ") + message + QStringLiteral(" N° de ligne du fichier = ") + QString::number(line));
}

void StopOnMovementLineError(const QString& path, const QString& message, int line) {
  FatalStop(QStringLiteral("Fichier ") + path + QStringLiteral(": Erreur: ") + message +
            QStringLiteral(" N° de ligne du fichier = ") + QString::number(line) + QStringLiteral(". Désolé, on arrête!"));
}

bool AskBoardsPerTableForFile(int sets, QString& error) {
  const bool twoTeams = IsPatton && PairSlotCount == 4;
  const int first = twoTeams ? 2 : 1;
  const int last = twoTeams ? 16 : 9;
  QStringList lines;
  int highest = 0;
  int preferred = 0;
  for (int k = 1; k <= last; ++k) {
    if (k >= first && sets >= 1 && sets <= kMaxBoards / k) {
      lines << QString::number(k) + QStringLiteral(" étuis/table = ") + QString::number(sets * k) + QStringLiteral(" étuis");
      highest = k;
      if (sets * k <= 33) preferred = k;
    } else {
      lines << QString();
    }
  }
  if (highest == 0) {
    error = QStringLiteral("Il n'y a pas assez d'étuis en jeu!");
    return false;
  }
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  ui::ListChoice choice;
  choice.form = forms::BoardsPerTable;
  choice.caption = QStringLiteral("Nombre de boards par table");
  choice.hint = QStringLiteral("Il y a ") + QString::number(sets) + QStringLiteral(" séries d'étuis");
  choice.lines = lines;
  choice.current = preferred > 0 ? preferred : first;
  // Only an offered line is an answer: the window is asked again otherwise.
  int answer = 0;
  do answer = ui::AskLine(choice);
  while (answer < 1 || answer > lines.size() || lines[answer - 1].isEmpty());
  if (answer >= 17) {
    error = QStringLiteral("Désolé, pas plus de 16 étuis par table!");
    return false;
  }
  BoardsPerTable = answer;
  return true;
}

bool ReadMovementLines(const QStringList& lines, const QString& fileName) {
  const qsizetype count = usedLineCount(lines);
  MovementHeader header;
  if (count < 1 || !ParseMovementHeader(lines[0], header)) {
    ReportMovementLineError(QStringLiteral("Nombre incorrect ou ligne vide"), 1);
    return false;
  }
  if (header.pairs != PairSlotCount) {
    ReportMovementLineError(QStringLiteral("Nombre de paires?"), 1);
    return false;
  }
  TableCount = ResultsPerBoard = PairSlotCount / 2;
  // A table never plays a board twice: no more rounds than boards.
  if (header.rounds < 1 || header.rounds > kMaxBoards) {
    ReportMovementLineError(QStringLiteral("Nombre de tours?"), 1);
    return false;
  }
  RoundCount = header.rounds;
  BoardSetCount = header.sets;
  QString error;
  if (!AskBoardsPerTableForFile(header.sets, error)) {
    ReportMovementLineError(error, 1);
    return false;
  }
  if (header.kind == u'H') {
    IsHowell = true;
    MitchellNumbering = false;
  } else if (header.kind == u'M') {
    MitchellNumbering = true;
    IsHowell = false;
  } else {
    ReportMovementLineError(QStringLiteral("Howell? Mitchell?"), 1);
    return false;
  }
  BoardCount = header.sets * BoardsPerTable;
  MitchellType = 0;
  for (qsizetype n = 1; n < count; ++n) {
    MovementLine line;
    const QString message = checkLine(lines[n], header, line);
    if (!message.isEmpty()) {
      ReportMovementLineError(message, static_cast<int>(n) + 1);
      return false;
    }
    // The pairs are saved already: a board over-filled is a line to mend,
    // not a reason to stop the program.
    if (const int board = placeLine(line)) {
      ReportMovementLineError(tooManyResults(board), static_cast<int>(n) + 1);
      return false;
    }
  }
  SetArrowSwitchFromName(fileName);
  IsAppendix = IsAppendixFileName(fileName, TableCount);
  return true;
}

bool ReadMovementFile(const QString& path) {
  const auto lines = platform::tryReadTextLines(path);
  MovementFileName = fileNameOf(path);
  if (!lines) {
    ReportMovementLineError(QStringLiteral("Nombre incorrect ou ligne vide"), 1);
    return false;
  }
  return ReadMovementLines(*lines, MovementFileName);
}

void LoadFederationMovement(const QString& name) {
  const QString path = MovementFolder + name;
  MovementFileName = fileNameOf(name);
  const auto lines = platform::tryReadTextLines(path);
  if (!lines)
    FatalStop(QStringLiteral("Pas trouvé le fichier \"") + name + QStringLiteral("\" [") + path +
              QStringLiteral("] ! Désolé, on arrête!"));
  const qsizetype count = usedLineCount(*lines);
  MovementHeader header;
  if (count < 1 || !ParseMovementHeader(lines->at(0), header))
    StopOnMovementLineError(path, QStringLiteral("Nombre incorrect ou ligne vide!"), 1);
  if (header.pairs != PairSlotCount) StopOnMovementLineError(path, QStringLiteral("Nombre de paires?"), 1);
  TableCount = ResultsPerBoard = PairSlotCount / 2;
  if (header.rounds < 1 || header.rounds > kMaxBoards) StopOnMovementLineError(path, QStringLiteral("Nombre de tours?"), 1);
  RoundsScheduled = header.rounds;
  RoundCount = RoundsPlayed;
  BoardSetCount = header.sets;
  if (RoundsPlayed < header.rounds)
    ShowAlert(QStringLiteral("Ce tournoi comporte en théorie ") + QString::number(header.rounds) + QStringLiteral(" tours. ") +
              QStringLiteral("Dans FFBClubNet, vous avez déjà choisi de n'en jouer que ") + QString::number(RoundsPlayed) +
              QStringLiteral(".") +
              QStringLiteral(" Donc, au contraire du programme standard, vous ne pourrez plus choisir le nombre de tours réellement joués..."));
  if (!IsPatton && header.kind != u'H') StopOnMovementLineError(path, QStringLiteral("Pas Howell!"), 1);
  IsHowell = header.kind == u'H';
  MitchellNumbering = !IsHowell;
  const long long boards = static_cast<long long>(header.sets) * BoardsPerTable;
  if (boards < 1 || boards > kMaxBoards) StopOnMovementLineError(path, QStringLiteral("Il n'y a pas assez d'étuis en jeu!"), 1);
  BoardCount = static_cast<int>(boards);
  MitchellType = 0;
  for (qsizetype n = 1; n < count; ++n) {
    MovementLine line;
    const QString message = checkLine(lines->at(n), header, line);
    if (!message.isEmpty()) StopOnMovementLineError(path, message, static_cast<int>(n) + 1);
    if (const int board = placeLine(line)) StopOnMovementLineError(path, tooManyResults(board), static_cast<int>(n) + 1);
  }
  IsAppendix = false;
  if (MitchellNumbering) RenumberMitchellEastWest();
  ComputeDealCount();
}

void ListMovementFiles(QStringList& lines, QStringList& names) {
  lines.clear();
  names.clear();
  const QStringList files = platform::listFolder(MovementFolderInUse, QStringLiteral("*.TXT"));
  if (files.size() > 1000) {
    ShowAlert(QStringLiteral("Désolé, le nombre de fichiers TXT ne peut dépasser 1000!"));
    return;
  }
  if (files.isEmpty()) {
    ShowAlert(QStringLiteral("Désolé, pas trouvé de fichiers (*.TXT) pouvant contenir des descriptions de mouvements."));
    clubToggleOff();
    return;
  }
  for (const QString& file : files) {
    const QString upper = file.toUpper();
    if (upper.contains(QLatin1String("PATTON"))) continue;
    // The federation's own movements are listed too: choosing one outside a
    // federation tournament is refused with its own message.
    const auto text = platform::tryReadTextLines(MovementFolderInUse + file);
    MovementHeader header;
    if (!text || text->isEmpty() || !ParseMovementHeader(text->first(), header)) continue;
    if (header.rounds < 1 || (header.kind != u'H' && header.kind != u'M')) continue;
    if (header.pairs != PairSlotCount) continue;
    // A file with more sets than a session can hold is left out, the others
    // are still offered.
    if (header.sets > 33 || header.sets < 1) continue;
    BoardSetCount = header.sets;
    int most = 1;
    for (int k = 1; k <= 9; ++k)
      if (header.sets * k <= 33) most = k;
    const QString kind = header.kind == u'H' ? QStringLiteral("Howell") : QStringLiteral("Mitchell");
    const QString description =
        ClubMode ? kind
                 : kind + u' ' + QString::number(header.pairs) + QStringLiteral(" paires maximum ") +
                       QString::number(header.rounds) + QStringLiteral(" tours ") + QString::number(header.sets) +
                       QStringLiteral(" séries d'étuis");
    lines << file + u' ' + description + QStringLiteral(" ( maximum ") + QString::number(header.sets * most) +
                 QStringLiteral(" étuis )");
    names << file;
  }
  if (lines.isEmpty()) {
    ShowAlert(QStringLiteral("Désolé, pas trouvé de mouvement correspondant à votre nombre de paires!"));
    clubToggleOff();
  }
}

void ChooseMovementFile(QString& name) {
  name.clear();
  QStringList lines, names;
  ListMovementFiles(lines, names);
  if (lines.isEmpty()) return;
  ui::ListChoice choice;
  choice.form = forms::MovementFileChoice;
  choice.caption = QStringLiteral("Choix du mouvement");
  choice.hint = QStringLiteral("Il y a ") + QString::number(ByePresent ? PairCount - 1 : PairCount) +
                QStringLiteral(" paires.");
  choice.lines = lines;
  choice.current = 1;  // the program's proposal: Enter takes it
  const int answer = ui::AskLine(choice);
  if (answer == -1) {
    ClubMovements = false;
    DeleteSetting(kClubToggle);
    name = QStringLiteral("Changer");
  } else if (answer >= 1 && answer <= names.size()) {
    name = names[answer - 1];
  } else {
    name = QStringLiteral("VIDE");
  }
}
