#include "publishing/WebPages.h"

#include "core/DealAnalyses.h"
#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "devices/BridgeMatesTables.h"
#include "devices/TabletFiles.h"
#include "platform/TextFiles.h"
#include "publishing/HandRecords.h"
#include "publishing/TabletResultFiles.h"
#include "publishing/UsebioExport.h"
#include "publishing/WebText.h"
#include "scoring/Frequencies.h"
#include "scoring/RankingTable.h"
#include "setup/PairLookups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

using namespace publishing;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString WebFolder() { return DataFolder + QStringLiteral("DossierWEB/"); }

// Writes text in UTF-8 through the atomic writer.
void WriteUtf8File(const QString& fileName, const QString& text) {
  TextFile file;
  SafeRewrite(file, fileName);
  file.writeBytes(text.toUtf8());
  CloseTextFile(file);
}

// Copies a support file from the program folder, replacing the copy.
void CopySupportFile(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    throw platform::IoError(EIO, source, QStringLiteral("Lecture impossible du fichier : %1").arg(source));
  TextFile file;
  SafeRewrite(file, target);
  file.writeBytes(in.readAll());
  CloseTextFile(file);
}

// First line of a settings file, trimmed; "?" when missing or empty.
QString FirstLineOr(const QString& name) {
  const auto lines = platform::tryReadTextLines(platform::resolvePath(ProgramFolder + name));
  const QString value = lines && !lines->isEmpty() ? lines->first().trimmed() : QString();
  return value.isEmpty() ? QStringLiteral("?") : value;
}

QString JsText(const QString& text) { return JsEscape(HtmlEscape(text)); }

QString LeadForWeb(const QString& lead) {
  const QString l = lead.trimmed().toUpper();
  if (l.isEmpty() || l == u'?' || l.size() < 2) return {};
  const QString suit = EnglishStrain(l.back());
  if (suit.isEmpty() || suit == QLatin1String("NT")) return {};
  QChar rank = l.size() == 2 ? l.at(0) : QChar(u'X');
  switch (rank.unicode()) {
    case 'D': rank = u'Q'; break;
    case 'R': rank = u'K'; break;
    case 'V': rank = u'J'; break;
    default: break;
  }
  if (l.size() == 2 && lead.trimmed().at(0) == u'x') rank = u'2';
  return suit + rank;
}

// The pairs' lines of "D<key>.txt" for pair numbers 1..last.
void AppendPairs(QString& out, bool separate) {
  int last = 0;
  for (int s = 1; s <= std::clamp(PairCount, 0, kMaxPairs); ++s) last = std::max(last, std::abs(PairNumbers[s]));
  if (MitchellNumbering) last = std::max(last, 2 * ResultsPerBoard);
  else last = std::max(last, PairCount);
  last = std::clamp(last, 0, kMaxPairs);

  // Each pair's row in the lists the page shows.
  const RankingTable table = BuildRankingTable();
  const RankedRow* rowOf[kMaxPairs + 1] = {};
  const auto index = [&](RankingList list) {
    for (const RankedRow& row : table.rows(list))
      if (row.pair >= 1 && row.pair <= kMaxPairs) rowOf[row.pair] = &row;
  };
  if (separate) {
    index(RankingList::NorthSouth);
    index(RankingList::EastWest);
  } else {
    index(RankingList::Merged);
  }

  out += QStringLiteral("BE.pairs =") + kCrLf + QStringLiteral("[") + kCrLf + QStringLiteral("[],    // Paire 0") + kCrLf;
  for (int p = 1; p <= last; ++p) {
    const int slot = FindPairSlot(p);
    const RankedRow* ranked = rowOf[p];
    QString row;
    if (slot == 0 || !ranked) {
      row = IsByeSlot(slot) ? QStringLiteral("[,,,,,0,]") : QStringLiteral("[]");
    } else {
      // Third field: pair p's own place, rather than RankingOrder[p], the pair ranked p-th, which is not pair p.
      row = QStringLiteral("['") + JsEscape(HtmlAccents(HtmlEscape(ranked->text(RankingColumn::Player1)))) +
            QStringLiteral("', '") + JsEscape(HtmlAccents(HtmlEscape(ranked->text(RankingColumn::Player2)))) +
            QStringLiteral("', '") + ranked->text(RankingColumn::SharedPlace) + QStringLiteral("', ") +
            ranked->text(RankingColumn::Total) + QStringLiteral(", ") + ranked->text(RankingColumn::Top) +
            QStringLiteral(", ") + scoring::FixedText(ranked->value(RankingColumn::Score), 8, 2) + QStringLiteral("]");
    }
    if (p < last) row += u',';
    out += row + QStringLiteral("   // Paire ") + QString::number(p) + kCrLf;
  }
  out += QStringLiteral("];") + kCrLf;
  // The ranking's own order: places alone cannot tell how a tie is listed,
  // and the page lists it as the results window and the printouts do.
  QStringList order;
  for (const RankedRow& row : table.rows(RankingList::Merged))
    if (row.pair <= last && rowOf[row.pair]) order << QString::number(row.pair);
  out += QStringLiteral("BE.order = [") + order.join(QStringLiteral(", ")) + QStringLiteral("];") + kCrLf;
}

QString TravellerRow(int slot) {
  const QString pairs =
      QStringLiteral("[") + QString::number(ResultNsPair[slot]) + QStringLiteral(", ") + QString::number(ResultEwPair[slot]);
  const int board = BoardOfSlot(slot);
  if (ResultScore[slot] == kScoreAdjusted) {
    const int top = BoardTop(board);
    const QString a = scoring::FixedText(top * ResultNsPercent[slot] / 100.0, 8, 1).trimmed();
    const QString b = scoring::FixedText(top * ResultEwPercent[slot] / 100.0, 8, 1).trimmed();
    return pairs + QStringLiteral(", '', '") + QString::number(std::lround(ResultNsPercent[slot])) + u'/' +
           QString::number(std::lround(ResultEwPercent[slot])) + QStringLiteral("', ") + a + QStringLiteral(", ") + b +
           QStringLiteral("]");
  }
  const TravellerFigures f = SlotFigures(slot);
  return pairs + QStringLiteral(", '") + JsText(WebContractText(slot)) + QStringLiteral("', ") + QString::number(f.score) +
         QStringLiteral(", ") + ShortestDecimal(f.nsPoints) + QStringLiteral(", ") + ShortestDecimal(f.ewPoints) +
         QStringLiteral("]");
}

void AppendTravellers(QString& out) {
  out += QStringLiteral("BE.travellers =") + kCrLf + QStringLiteral("[") + kCrLf + QStringLiteral("[],  // Board 0") + kCrLf;
  const int boards = std::clamp(BoardCount, 0, kMaxBoards);
  for (int b = 1; b <= boards; ++b) {
    out += QStringLiteral("[  // Board ") + QString::number(b) + kCrLf;
    QStringList rows;
    const int first = (b - 1) * ResultsPerBoard + 1;
    const int last = std::min(b * ResultsPerBoard, SlotLimit());
    for (int s = first; s <= last; ++s) {
      if (ResultNsPair[s] == 0 || ResultEwPair[s] == 0) continue;
      if (ResultScore[s] == kScoreNone || ResultScore[s] == kScoreAverage) continue;
      rows << TravellerRow(s);
    }
    if (!rows.isEmpty()) out += rows.join(QStringLiteral(",") + kCrLf) + kCrLf;
    out += (b < boards ? QStringLiteral("],") : QStringLiteral("]")) + kCrLf;
  }
  out += QStringLiteral("];") + kCrLf;
}

// A holding from a diagram's suit line: from its third character, at most
// 20 characters, without blanks.
QString HoldingFromLine(const QString& line) {
  QString h = line.mid(2, 20).trimmed();
  h.remove(u' ');
  return h;
}

// The name on disk of the page ('R'), of its data ('D') or of its hands
// ('H') for a key; the export's closing message names them the same way.
QString WebFileName(char kind, const QString& key) {
  return QLatin1Char(kind) + key + (kind == 'R' ? QStringLiteral(".html") : QStringLiteral(".txt"));
}

}  // namespace

QString WebKey() {
  return FileNamePart(DateYear) + FileNamePart(DateMonth) + FileNamePart(DateDay) + FileNamePart(TimeText.left(2));
}

QString WebContractText(int slot) {
  const QString contract = ResultContract[slot].trimmed();
  const QString upper = contract.toUpper();
  if (upper == QLatin1String("PASSE")) return QStringLiteral("PASS");
  if (upper.contains(QLatin1String("AJU"))) return QStringLiteral("AJU.");
  if (upper.contains(QLatin1String("MOY"))) return QStringLiteral("MOY.");
  const StoredContract c = ReadStoredContract(contract);
  // A score typed by number has no contract: "?" (its score stands beside it).
  if (!c.ok) return contract.isEmpty() ? QStringLiteral("?") : contract;
  QString text = QString(c.level) + EnglishStrain(c.strain);
  if (c.doubling == 1) text += QLatin1String("x");
  if (c.doubling == 2) text += QLatin1String("xx");
  text += c.sign == u'=' ? QStringLiteral("=") : QString(c.sign) + QString::number(c.tricks);
  text += SlotDeclarer(slot);
  text += LeadForWeb(ResultLead[slot]);
  return text;
}

QString WebPageText(const QString& key) {
  const QStringList lines{
      QStringLiteral("<!DOCTYPE HTML> <!-- HTML5 -->"),
      QStringLiteral("<html>"),
      QStringLiteral("<head>"),
      QStringLiteral("<title>Results - ") + key + QStringLiteral("</title>"),
      QStringLiteral("<meta charset='UTF-8'/>    <!-- required by HTML5 -->"),
      QStringLiteral("<link rel='stylesheet' type='text/css' href='BEstyle.css'>"),
      QStringLiteral("<script type='text/javascript' src='BElib.txt'></script>"),
      QStringLiteral("<script type='text/javascript' src='Mdbc.txt'></script>"),
      QStringLiteral("<script type='text/javascript' src='D") + key + QStringLiteral(".txt'></script>"),
      QStringLiteral("<script type='text/javascript' src='H") + key + QStringLiteral(".txt'></script>"),
      QStringLiteral("<script type='text/javascript' src='X") + key + QStringLiteral(".txt'></script>"),
      QStringLiteral("</head>"),
      QStringLiteral("<body onload='processPage();'>"),
      QStringLiteral("<div id='pageContent'></div>"),
      QStringLiteral("<a href=\"javascript:window.print()\">Imprimer la page</a>"),
      QStringLiteral("<p><a href=\"liste.html\">Retour &agrave; la liste des tournois</a>"),
      QStringLiteral("</body>"),
      QStringLiteral("</html>"),
  };
  return lines.join(kCrLf) + kCrLf;
}

void WriteWebData(const QString& folder, const QString& key) {
  QString out;
  out += QStringLiteral("BE.version = '") + JsText(StripAccents(VersionText)) + u'\'' + kCrLf;
  out += QStringLiteral("BE.club = '") + JsText(StripAccents(ClubName)) + QStringLiteral("';") + kCrLf;
  out += QStringLiteral("BE.title = '") + JsText(TournamentName) + QStringLiteral("';") + kCrLf;
  out += QStringLiteral("BE.date = '") + JsText(key.left(8)) + QStringLiteral("';") + kCrLf;
  out += QStringLiteral("BE.session = 0;") + kCrLf + QStringLiteral("BE.section = 'A';") + kCrLf;

  Form77Fields.director = FirstLineOr(QStringLiteral("Arbitre.TXT"));
  Form77Fields.scorer = FirstLineOr(QStringLiteral("Ordinateur.TXT"));
  Form77Fields.groupCaption = MitchellNumbering ? QStringLiteral("Pour un Mitchell...") : QStringLiteral("Pour un Howell...");
  int item = MitchellNumbering ? 2 : 1;
  const bool known = Form77Fields.director != u'?' && Form77Fields.scorer != u'?';
  if (!(IsHowell && known)) {
    ui::Choice choice;
    choice.form = forms::WebPageDirector;
    choice.caption = QStringLiteral("Arbitre");
    choice.buttons = {QStringLiteral("Résultats panachés N/S+E/W"), QStringLiteral("Résultats séparés N/S et E/W")};
    choice.codes = {1, 2};
    choice.cancelCode = item;
    choice.extra = {{QStringLiteral("item"), item},
                    {QStringLiteral("director"), Form77Fields.director},
                    {QStringLiteral("scorer"), Form77Fields.scorer},
                    {QStringLiteral("groupCaption"), Form77Fields.groupCaption}};
    const int answer = ui::Ask(choice);
    if (answer == 1 || answer == 2) item = answer;
    if (Form77Fields.director.trimmed().isEmpty()) Form77Fields.director = QStringLiteral("?");
    if (Form77Fields.scorer.trimmed().isEmpty()) Form77Fields.scorer = QStringLiteral("?");
  }
  const int winners = IsHowell ? 1 : item;
  OneWinnerMitchell = winners == 1;
  const int tables = PairSlotCount / 2;
  out += QStringLiteral("BE.winners = ") + QString::number(winners) + u';' + kCrLf;
  out += QStringLiteral("BE.tables = ") + QString::number(tables) + u';' + kCrLf;
  out += QStringLiteral("BE.director = '") + JsText(Form77Fields.director) + QStringLiteral("';") + kCrLf;
  out += QStringLiteral("BE.scorer = '") + JsText(Form77Fields.scorer) + QStringLiteral("';") + kCrLf;
  const QString kind = IsHowell ? (ArrowSwitch ? QStringLiteral("Arrow Switch ") : QStringLiteral("Howell "))
                                : QStringLiteral("Mitchell ");
  out += QStringLiteral("BE.movementDescription = 'Mouvement ") + kind + QStringLiteral("de ") + QString::number(tables) +
         QStringLiteral(" tables et ") + QString::number(BoardCount) + QStringLiteral(" &eacute;tuis';") + kCrLf + kCrLf;

  AppendPairs(out, winners == 2);
  out += kCrLf + QStringLiteral("//master points awarded   1 = yes  0 = no") + kCrLf;
  out += QStringLiteral("BE.points[0] = 0;     //local points") + kCrLf;
  out += QStringLiteral("BE.points[1] = 0;     //blue points") + kCrLf;
  out += QStringLiteral("BE.points[2] = 0;     //green points") + kCrLf + kCrLf;
  AppendTravellers(out);
  WriteUtf8File(folder + WebFileName('D', key), out);
}

void WriteWebHands(const QString& folder, const QString& key) {
  const QString fileName = folder + WebFileName('H', key);
  QString out;
  const int deals = std::clamp(DealCount, 0, kMaxBoards);
  for (int n = 1; n <= deals; ++n) {
    if (DealDiagrams[n].isEmpty()) continue;
    const std::optional<QStringList> diagram = DiagramLines(n);
    if (!diagram) {
      platform::deleteFile(fileName);
      return;
    }
    const QStringList& lines = *diagram;
    const auto hand = [&](int firstLine) {
      QStringList holdings;
      for (int i = 0; i < 4; ++i) holdings << JsText(HoldingFromLine(lines.value(firstLine - 1 + i)));
      return holdings.join(u' ');
    };
    out += QStringLiteral("BE.hands[") + QString::number(n) + QStringLiteral("]='") +
           QStringList{hand(6), hand(20), hand(13), hand(27)}.join(u',') + QStringLiteral("';");
  }
  out += QStringLiteral("//              S   H   D   C") + kCrLf;
  out += QStringLiteral("//                 North             East             South             West") + kCrLf;
  // What could be made, after the hands: the tricks of North, South, East
  // and West as declarer in clubs, diamonds, hearts, spades and no trump,
  // and the par.
  QString analyses;
  for (int n = 1; n <= deals; ++n) {
    const std::optional<DealAnalysis> a = CurrentAnalysis(n);
    if (!a || !a->solved()) continue;
    QStringList rows;
    for (int seat : {AnalysisNorth, AnalysisSouth, AnalysisEast, AnalysisWest}) {
      QStringList tricks;
      for (int t : a->tricks[seat]) tricks << QString::number(t);
      rows << QLatin1Char('[') + tricks.join(u',') + QLatin1Char(']');
    }
    analyses += QStringLiteral("BE.tricks[%1]=[%2];").arg(n).arg(rows.join(u',')) + kCrLf;
    analyses += QStringLiteral("BE.par[%1]='%2';").arg(n).arg(JsText(ParText(*a))) + kCrLf;
  }
  if (!analyses.isEmpty())
    out += QStringLiteral("// BE.tricks: N, S, E, O as declarer in C D H S NT; BE.par: the par") + kCrLf + analyses;
  WriteUtf8File(fileName, out);
}

void WriteWebPages() {
  if (!RewriteTableResultFiles()) return;
  const QString folder = WebFolder();
  QDir().mkpath(folder);
  // The copies take the spelling the page asks for ("BElib.txt",
  // "BEstyle.css"), so that a server that tells case apart finds them.
  struct Support {
    QString name;
    QString copy;
  };
  const Support support[] = {{QStringLiteral("BELib.txt"), QStringLiteral("BElib.txt")},
                             {QStringLiteral("BEStyle.css"), QStringLiteral("BEstyle.css")},
                             {QStringLiteral("liste.css"), QStringLiteral("liste.css")},
                             {QStringLiteral("dealer.gif"), QStringLiteral("dealer.gif")}};
  for (const Support& s : support) {
    if (!platform::fileExists(ProgramFolder + s.name)) {
      ShowAlert(QStringLiteral("Désolé, le fichier \"") + ProgramFolder + s.name +
                QStringLiteral("\" n'existe pas! On arrête...!"));
      return;
    }
  }
  for (const Support& s : support) {
    const QString target = folder + s.copy;
    if (QFileInfo(platform::resolvePath(target)).fileName() != s.copy) platform::deleteFile(target);
    CopySupportFile(platform::resolvePath(ProgramFolder + s.name), target);
  }

  const QString key = WebKey();
  const QString page = folder + WebFileName('R', key);
  if (platform::fileExists(page) && !ConfirmReplaceExport(QStringLiteral("Fichiers R/D/H/") + key)) return;
  WriteUtf8File(page, WebPageText(key));
  WriteWebData(folder, key);
  WaitForDealAnalyses();  // the tables and pars of deals just imported
  WriteWebHands(folder, key);
  // A diagram without its "Board" line leaves no hands file.
  const QString hands = platform::fileExists(folder + WebFileName('H', key))
                            ? WebFileName('D', key) + QStringLiteral(", ") + WebFileName('H', key)
                            : WebFileName('D', key);
  ShowAlert(QStringLiteral("Les fichiers ") + hands + QStringLiteral(" et ") + WebFileName('R', key) +
            QStringLiteral(" ont été créés dans ") + folder + QStringLiteral("."));
  ShowAlert(QStringLiteral("Vous pouvez maintenant lancer le programme \"Sitorelle.EXE...\""));
}

void SaveResultsForWeb() {
  // Without devices the tablets' folders are made first, so that every
  // result is written there as well.
  if (!TableDevicesMode) {
    if (!platform::folderExists(TabletExchangeFolder())) {
      ClearTabletFolder();
      WriteTabletSessionFiles();
    } else {
      SetTabletFolders();
    }
  }
  WritePairNameFiles();
  LoadDiagramFiles();
  WriteWebPages();
}
