#include "publishing/PbnImport.h"

#include "core/DealDiagrams.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Questions.h"
#include "core/Settings.h"
#include "devices/BridgeMatesTables.h"
#include "platform/TextFiles.h"
#include "publishing/HandRecords.h"

#include <QMap>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace {

constexpr int kMaxPbnFiles = 1000;
const QString kRanks = QStringLiteral("AKQJT98765432");

// One tag pair of a line: [Name "value"], blanks allowed around its parts.
struct TagPair {
  QString name;
  QString value;
};

QList<TagPair> tagPairs(const QString& line) {
  static const QRegularExpression tag(QStringLiteral(R"x(\[\s*([A-Za-z0-9_]+)\s*"([^"]*)"\s*\])x"));
  QList<TagPair> pairs;
  const QString text = line.trimmed();
  if (text.startsWith(QLatin1Char('%')) || text.startsWith(QLatin1Char(';'))) return pairs;  // escape or comment line
  for (auto it = tag.globalMatch(line); it.hasNext();) {
    const auto m = it.next();
    pairs.append({m.captured(1), m.captured(2)});
  }
  return pairs;
}

// A board number of 1..64 ("3" or " 3 "), else 0.
int boardNumber(const QString& value) {
  const QString text = value.trimmed();
  if (text.isEmpty() || text.size() > 3) return 0;
  for (const QChar c : text)
    if (!c.isDigit() || c.unicode() > '9') return 0;
  const int n = text.toInt();
  return n >= 1 && n <= kMaxBoards ? n : 0;
}

// One suit of a hand in the English form, or nothing when it holds a
// character that is no rank.
std::optional<QString> suitHolding(const QString& text) {
  QString suit = text.trimmed().toUpper();
  suit.replace(QLatin1String("10"), QLatin1String("T"));
  for (const QChar c : suit)
    if (!kRanks.contains(c)) return std::nullopt;
  return suit;
}

DiagramSeat seatOf(QChar letter) {
  switch (letter.unicode()) {
    case 'N': return SeatNorth;
    case 'E': return SeatEast;
    case 'S': return SeatSouth;
    default: return SeatWest;
  }
}

// The four hands of a PBN deal value ("N:AKT3.. ..."); nothing when its
// first seat is unknown, a hand or a suit is missing, or a character is no rank.
std::optional<DealHoldings> pbnDealHoldings(const QString& deal) {
  const QString text = deal.trimmed();
  if (text.isEmpty()) return std::nullopt;
  static const QString orders[4] = {QStringLiteral("NESW"), QStringLiteral("ESWN"), QStringLiteral("SWNE"),
                                    QStringLiteral("WNES")};
  const int first = QStringLiteral("NESW").indexOf(text[0].toUpper());
  if (first < 0) return std::nullopt;
  const QString rest = text.mid(1).trimmed();
  if (!rest.startsWith(QLatin1Char(':'))) return std::nullopt;
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  const QStringList hands = rest.mid(1).split(blanks, Qt::SkipEmptyParts);
  if (hands.size() != 4) return std::nullopt;
  DealHoldings holdings;
  for (int h = 0; h < 4; ++h) {
    const DiagramSeat seat = seatOf(orders[first][h]);
    if (hands[h] == QLatin1String("-")) continue;  // an unknown hand: four voids
    const QStringList suits = hands[h].split(QLatin1Char('.'));
    if (suits.size() != 4) return std::nullopt;
    for (int s = 0; s < 4; ++s) {
      const auto holding = suitHolding(suits[s]);
      if (!holding) return std::nullopt;
      holdings[seat][s] = *holding;
    }
  }
  return holdings;
}

// PbnOption's file, or nothing (with the option's message) when there is none.
std::optional<QString> optionFile() {
  for (;;) {
    switch (PbnOption) {
      case 1: return ChoosePbnFile();
      case 2: {
        const QString name = TournamentCode + QStringLiteral(".PBN");
        if (platform::fileExists(DataFolder + name)) return platform::resolvePath(DataFolder + name);
        ShowAlert(QStringLiteral("Je n'ai pas trouvé le fichier \"") + name + QStringLiteral("\" dans le dossier \"") + DataFolder +
                  QStringLiteral("\"! Désolé, il n'y a aucun diagramme importé..."));
        return std::nullopt;
      }
      case 3: return std::nullopt;
      case 4: {
        const QString name = PbnName + QStringLiteral(".PBN");
        if (platform::fileExists(DiagramFolder + name)) return platform::resolvePath(DiagramFolder + name);
        ShowAlert(QStringLiteral("Pas trouvé le fichier prévu \"") + name + QStringLiteral("\" dans le dossier \"") + DiagramFolder +
                  QStringLiteral("\"! Désolé, on n'importe aucun diagramme..."));
        return std::nullopt;
      }
      default:
        ShowAlert(QStringLiteral("La façon de lire les diagrammes est indéterminée. On choisit de le demander à chaque "
                                 "importation. Vous pouvez modifier ce comportement..."));
        SetPbnOptionItem(0);
    }
  }
}

}  // namespace

void ImportPbnDiagrams() {
  if (FederationMode) return;
  if (TableDevicesMode && EnterDealsAtTable) return;
  const std::optional<QString> file = optionFile();
  if (!file) return;
  const int n = file->isEmpty() ? 0 : ImportPbnDeals(*file);
  if (n < 0) return;
  if (n > 0) {
    if (n < BoardCount) {
      ShowAlert(QStringLiteral("Attention! Il n'y a que %1 diagrammes d'étuis importés au lieu des %2 donnes en jeu...")
                    .arg(n)
                    .arg(BoardCount));
    } else if (!platform::fileExists(ProgramFolder + QStringLiteral("MSG2.TXT"))) {
      ShowInfoWindow(QStringLiteral("Pour rappel... %1 donnes en jeu, les diagrammes ont bien été importés à partir du fichier ")
                         .arg(BoardCount) +
                     *file + QStringLiteral("..."));
    }
    DealsImported = true;
  } else if (!file->isEmpty()) {
    // No file chosen was said by the chooser already.
    ShowAlert(QStringLiteral("Attention! Aucun diagramme d'étui importé à partir du fichier ") + *file + QStringLiteral("..."));
  }
  if (BridgeMatesMode) WriteHandRecords(QStringLiteral("Envoi"));
}

QString ChoosePbnFile() {
  ChosenPbnFile.clear();
  const QStringList files = platform::listFolder(DiagramFolder, QStringLiteral("*.PBN"));
  if (files.size() > kMaxPbnFiles)
    FatalStop(QStringLiteral("Le nombre de tournois est plus grand que 1000! Faites le ménage dans le dossier de vos "
                             "fichiers PBN (déplacez ou effacez les anciens). Désolé, on arrête!"));
  // An empty folder is said once, naming it; no empty list follows.
  if (files.isEmpty()) {
    ShowAlert(QStringLiteral("Pas trouvé de fichiers *.PBN dans le répertoire ") + DiagramFolder + QStringLiteral("..."));
    return ChosenPbnFile;
  }
  QStringList names;
  for (const QString& f : files) names << f.left(f.size() - 4);
  const int answer = ui::AskLine({.form = forms::PbnFileChoice,
                                  .caption = QStringLiteral("Choix du diagramme"),
                                  .headings = {QStringLiteral("Choix du diagramme"), QStringLiteral("Double-clic ou choix + OK"),
                                               QStringLiteral("A partir du dossier prévu:")},
                                  .hint = DiagramFolder,
                                  .lines = names,
                                  .sorted = true});
  if (answer >= 1 && answer <= names.size()) {
    ChosenPbnFile = DiagramFolder + files[answer - 1];
  } else if (answer == kOtherPbnFile) {
    const auto picked = ui::interaction().chooseFile(
        {.caption = QStringLiteral("Choix du fichier PBN"), .folder = DiagramFolder, .filter = QStringLiteral("Fichiers PBN (*.pbn *.PBN)")});
    if (picked) ChosenPbnFile = *picked;
  }
  if (ChosenPbnFile.isEmpty()) ShowAlert(QStringLiteral("Aucun fichier PBN choisi! Pas d'importation de diagrammes..."));
  return ChosenPbnFile;
}

int ImportPbnDeals(const QString& fileName) {
  DealsImported = false;
  int highest = 0;
  QStringList lines;
  try {
    lines = platform::readTextLines(platform::resolvePath(fileName));
  } catch (const platform::IoError& e) {
    ShowAlert(e.message());
    return -1;
  }
  // The last deal of each board, written once when the reading stops: a file
  // of many thousand deals costs two files a board, not two a deal.
  std::map<int, DealHoldings> deals;
  const auto writeDeals = [&deals] {
    platform::WriteBatch batch;
    for (const auto& [number, hands] : deals) WriteDiagramFile(number, hands);
  };
  // The figures a file gives for a board come after its Board tag, before
  // or after its deal; an OptimumResultTable's rows follow their tag.
  ForgetPbnFigures();
  QMap<int, PbnFigures> figures;
  int figuresBoard = 0;
  QStringList tableRows;
  bool inTable = false;
  const auto endTable = [&] {
    if (inTable && figuresBoard > 0) figures[figuresBoard].tricks = TricksFromOptimumTable(tableRows);
    inTable = false;
    tableRows.clear();
  };
  try {
    int board = 0;  // the board whose deal is awaited
    for (const QString& line : lines) {
      const QList<TagPair> tags = tagPairs(line);
      if (inTable && tags.isEmpty() && !line.trimmed().isEmpty()) {
        tableRows << line.trimmed();
        continue;
      }
      endTable();
      for (const TagPair& tag : tags) {
        if (tag.name.compare(QLatin1String("Board"), Qt::CaseInsensitive) == 0) figuresBoard = boardNumber(tag.value);
        if (figuresBoard == 0) continue;
        if (tag.name.compare(QLatin1String("DoubleDummyTricks"), Qt::CaseInsensitive) == 0) {
          if (!figures[figuresBoard].tricks) figures[figuresBoard].tricks = TricksFromDoubleDummyTag(tag.value);
        } else if (tag.name.compare(QLatin1String("OptimumScore"), Qt::CaseInsensitive) == 0) {
          figures[figuresBoard].parScore = ScoreFromOptimumTag(tag.value);
        } else if (tag.name.compare(QLatin1String("OptimumResultTable"), Qt::CaseInsensitive) == 0) {
          inTable = true;
        }
      }
      for (const TagPair& tag : tags) {
        if (tag.name.compare(QLatin1String("Board"), Qt::CaseInsensitive) == 0) {
          // A board whose deal never came is dropped here: the next deal
          // belongs to this board.
          board = boardNumber(tag.value);
          if (board == 0) {
            writeDeals();
            ui::interaction().showSystemMessage(line.trimmed() + QStringLiteral(": board invalide! On arrête l'importation..."));
            return -1;
          }
        } else if (board > 0 && tag.name.compare(QLatin1String("Deal"), Qt::CaseInsensitive) == 0) {
          highest = std::max(highest, board);
          const std::optional<DealHoldings> hands = pbnDealHoldings(tag.value);
          if (!hands) {
            writeDeals();
            ShowAlert(line.trimmed() + QStringLiteral("erreur! On arrête l'importation..."));
            return -1;
          }
          deals[board] = *hands;
          board = 0;
        }
      }
    }
    endTable();
    writeDeals();
  } catch (const platform::IoError& e) {
    ShowAlert(e.message());
    return -1;
  }
  for (auto it = figures.cbegin(); it != figures.cend(); ++it) NotePbnFigures(it.key(), *it);
  DealsImported = highest > 0;
  LoadDiagramFiles();
  return highest;
}

bool WritePbnDealDiagram(int board, const QString& deal) {
  if (board < 1 || board > kMaxBoards) return true;
  const std::optional<DealHoldings> hands = pbnDealHoldings(deal);
  if (!hands) return true;
  WriteDiagramFile(board, *hands);
  return false;
}

void SetPbnOptionItem(int item) {
  PbnOption = item + 1;
  WriteSettingLine(QStringLiteral("OPTIONPBN.TXT"), QString::number(PbnOption));
}

QString SetPbnName(const QString& typed) {
  QString name = typed.trimmed();
  const qsizetype extension = name.toUpper().indexOf(QLatin1String(".PBN"));
  if (extension >= 0) {
    ShowAlert(QStringLiteral("Désolé, le nom ne doit pas contenir l'extension \".PBN\". Je prends juste le nom..."));
    name = name.left(extension);
  }
  PbnName = name;
  WriteSettingLine(QStringLiteral("NOMPBN.TXT"), name);
  return name;
}

bool ChangeDiagramFolder() {
  const auto folder = ui::interaction().chooseFolder(
      {.caption = QStringLiteral("Selectionnez le répertoire où se trouvent les diagrammes des étuis"), .folder = DiagramFolder});
  if (!folder || folder->isEmpty()) return false;
  for (const QChar c : QStringLiteral("àâéèêëîïùûÿç")) {
    if (folder->contains(c)) {
      ShowAlert(QStringLiteral("Sous Windows 10 ou +, désolé, aucun caractère diacritique (\"") + c +
                QStringLiteral("\") ne peut être utilisé dans le nom d'un dossier!"));
      return false;
    }
  }
  DiagramFolder = folder->endsWith(QLatin1Char('/')) ? *folder : *folder + QLatin1Char('/');
  WriteSettingLine(QStringLiteral("DOSSIERPBN.TXT"), DiagramFolder);
  return true;
}

void KeepDiagramFolder(const QString& folder) {
  DiagramFolder = folder;
  WriteSettingLine(QStringLiteral("DOSSIERPBN.TXT"), folder);
}

QString PbnHelpText() {
  return QStringLiteral(
      "Les diagrammes des étuis sont lus dans un fichier PBN, écrit par votre programme de distribution des "
      "cartes, au début d'un tournoi joué avec des tablettes ou des BridgeMates.\r\n\r\n"
      "1. Demander à chaque importation: la liste des fichiers PBN du dossier des étuis est affichée et vous "
      "choisissez le fichier de la séance (ou un autre fichier par \"Autre choix...\").\r\n\r\n"
      "2. Prendre dans le dossier des résultats: le fichier porte le code du tournoi (par exemple ABC12.PBN) et se "
      "trouve dans le dossier des fichiers de résultats.\r\n\r\n"
      "3. Les joueurs mélangent les cartes: aucun diagramme n'est importé; les joueurs peuvent introduire les mains "
      "aux tables.\r\n\r\n"
      "4. Toujours le même fichier: le nom indiqué (sans l'extension .PBN) est cherché dans le dossier des étuis.");
}
