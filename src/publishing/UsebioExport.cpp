#include "publishing/UsebioExport.h"

#include "core/DeviceFiles.h"
#include "core/ExchangeLines.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/Texts.h"
#include "devices/BridgeMatesTables.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "publishing/TabletResultFiles.h"
#include "publishing/WebText.h"
#include "scoring/Frequencies.h"
#include "scoring/RankingTable.h"
#include "setup/PairLookups.h"

#include <QDir>

#include <algorithm>
#include <cmath>

using namespace publishing;

namespace {

QString ExportFolder() { return DataFolder + QStringLiteral("DossierBridgeWebs/"); }

QString Element(const QString& tag, const QString& value) {
  return u'<' + tag + u'>' + XmlEscape(value) + QStringLiteral("</") + tag + u'>';
}

// The pair number as the file gives it: "3E" for E/W pair 3 of a Mitchell.
QString XmlPairNumber(int pair) {
  if (MitchellNumbering && !CumulativeMode && pair > ResultsPerBoard)
    return QString::number(pair - ResultsPerBoard) + u'E';
  return QString::number(pair);
}

QString TwoDigits(long value) { return QStringLiteral("%1").arg(std::clamp(value, 0L, 99L), 2, 10, QLatin1Char('0')); }

int PointsOnTop(double percent, int top) { return static_cast<int>(std::lround(percent * top / 100.0)); }

// 1: one merged list; 2: separate N/S and E/W lists.
int WinnerType() {
  if (CumulativeMode || IsHowell) return 1;
  if (!MitchellNumbering) return 2;
  return OneWinnerMitchell ? 1 : 2;
}

void AppendParticipants(const RankingTable& table, int winnerType) {
  XmlLines << QStringLiteral("<PARTICIPANTS>");
  std::vector<RankingList> lists;
  if (winnerType == 1)
    lists = {RankingList::Merged};
  else
    lists = {RankingList::NorthSouth, RankingList::EastWest};
  for (const RankingList list : lists) {
    for (const RankedRow& row : table.rows(list)) {
      if (StripAccents(row.text(RankingColumn::Player1)) == QLatin1String("BYE")) continue;
      XmlLines << QStringLiteral("<PAIR>") << Element(QStringLiteral("PAIR_NUMBER"), XmlPairNumber(row.pair));
      if (MitchellNumbering && !CumulativeMode)
        XmlLines << Element(QStringLiteral("DIRECTION"),
                            row.pair > ResultsPerBoard ? QStringLiteral("EW") : QStringLiteral("NS"));
      XmlLines << Element(QStringLiteral("PLACE"), row.text(RankingColumn::SharedPlace))
               << Element(QStringLiteral("PERCENTAGE"),
                          scoring::FixedText(row.value(RankingColumn::Score), 8, 2).trimmed());
      for (const QString& name : {row.text(RankingColumn::Player1), row.text(RankingColumn::Player2)}) {
        XmlLines << QStringLiteral("<PLAYER>") << Element(QStringLiteral("PLAYER_NAME"), StripAccents(name))
                 << Element(QStringLiteral("CLUB_ID_NUMBER"), QString::number(PlayerLicenceNumber(name)))
                 << QStringLiteral("</PLAYER>");
      }
      XmlLines << QStringLiteral("</PAIR>");
    }
  }
  XmlLines << QStringLiteral("</PARTICIPANTS>");
}

void AppendTravellerLine(const RankingTable& table, int slot) {
  const int board = BoardOfSlot(slot);
  const int ns = ResultNsPair[slot];
  const int ew = ResultEwPair[slot];
  const QString contract = ResultContract[slot];
  QString score;
  double nsPoints = 0;
  double ewPoints = 0;
  if (ResultScore[slot] == kScoreAverage || ResultScore[slot] == kScoreAdjusted) {
    const int top = BoardTop(board);
    long nsPercent = 0;
    long ewPercent = 0;
    if (ResultScore[slot] == kScoreAverage) {
      nsPercent = std::lround(table.score(ns));
      ewPercent = std::lround(table.score(ew));
      score = u'A' + TwoDigits(nsPercent) + TwoDigits(ewPercent);
    } else {
      nsPercent = std::lround(ResultNsPercent[slot]);
      ewPercent = std::lround(ResultEwPercent[slot]);
      score = AdjustmentScoreText(slot);
    }
    nsPoints = PointsOnTop(nsPercent, top);
    ewPoints = PointsOnTop(ewPercent, top);
  } else {
    const TravellerFigures f = SlotFigures(slot);
    score = QString::number(f.score);
    nsPoints = f.nsPoints;
    ewPoints = f.ewPoints;
  }
  XmlLines << QStringLiteral("<TRAVELLER_LINE>") << Element(QStringLiteral("NS_PAIR_NUMBER"), QString::number(ns))
           << Element(QStringLiteral("EW_PAIR_NUMBER"), XmlPairNumber(ew))
           << Element(QStringLiteral("CONTRACT"), XmlContract(contract))
           << Element(QStringLiteral("PLAYED_BY"), XmlDeclarer(slot))
           << Element(QStringLiteral("LEAD"), XmlLead(ResultLead[slot]));
  const QString tricks = XmlTricks(contract);
  if (tricks != QLatin1String("1000")) XmlLines << Element(QStringLiteral("TRICKS"), tricks);
  XmlLines << Element(QStringLiteral("SCORE"), score)
           << Element(QStringLiteral("NS_MATCH_POINTS"), QString::number(nsPoints, 'g', 15))
           << Element(QStringLiteral("EW_MATCH_POINTS"), QString::number(ewPoints, 'g', 15))
           << QStringLiteral("</TRAVELLER_LINE>");
}

void AppendBoards(const RankingTable& table) {
  const int boards = std::clamp(BoardCount, 0, kMaxBoards);
  for (int b = 1; b <= boards; ++b) {
    QList<int> played;
    const int first = (b - 1) * ResultsPerBoard + 1;
    const int last = std::min(b * ResultsPerBoard, SlotLimit());
    for (int s = first; s <= last; ++s) {
      if (ResultNsPair[s] == 0 || ResultEwPair[s] == 0 || ResultScore[s] == kScoreNone) continue;
      if (IsByePairNumber(ResultNsPair[s]) || IsByePairNumber(ResultEwPair[s])) continue;
      played << s;
    }
    if (played.isEmpty()) continue;
    XmlLines << QStringLiteral("<BOARD EVENT_TYPE=\"MP_PAIRS\">") << Element(QStringLiteral("BOARD_NUMBER"), QString::number(b));
    for (const int s : played) AppendTravellerLine(table, s);
    XmlLines << QStringLiteral("</BOARD>");
  }
}

void AppendHandSet() {
  if (DealDiagrams[1].isEmpty()) return;
  XmlLines << QStringLiteral("<HANDSET HANDSET_ID=\"Red\">");
  const int deals = std::clamp(DealCount, 0, kMaxBoards);
  for (int n = 1; n <= deals; ++n) {
    if (DealDiagrams[n].isEmpty()) continue;
    const std::optional<QStringList> diagram = DiagramLines(n);
    if (!diagram) continue;
    const QStringList& lines = *diagram;
    XmlLines << QStringLiteral("<BOARD>") << Element(QStringLiteral("BOARD_NUMBER"), QString::number(n));
    struct Seat {
      const char* direction;
      int firstLine;
    };
    const Seat hands[] = {{"North", 6}, {"South", 13}, {"East", 20}, {"West", 27}};
    for (const auto& hand : hands) {
      QString holdings[4];
      for (int i = 0; i < 4; ++i) {
        holdings[i] = lines.value(hand.firstLine - 1 + i).mid(2, 20).trimmed();
        holdings[i].remove(u' ');
      }
      XmlLines << QStringLiteral("<HAND>")
               << Element(QStringLiteral("DIRECTION"), QLatin1String(hand.direction)) + u' ' +
                      Element(QStringLiteral("SPADES"), holdings[0]) + u' ' + Element(QStringLiteral("HEARTS"), holdings[1]) +
                      u' ' + Element(QStringLiteral("DIAMONDS"), holdings[2]) + u' ' +
                      Element(QStringLiteral("CLUBS"), holdings[3])
               << QStringLiteral("</HAND>");
    }
    XmlLines << QStringLiteral("</BOARD>");
  }
  XmlLines << QStringLiteral("</HANDSET>");
}

// Hands the file to the upload program.
void StartUploadProgram(const QString& name, const QString& baseName) {
  TextFile file;
  SafeRewrite(file, ExportFolder() + QStringLiteral("XMLName.TXT"));
  file.writeLine(name);
  CloseTextFile(file);
  const QString program = ProgramFolder + QStringLiteral("Webrellic.EXE");
  if (platform::processes().isRunning(program)) {
    platform::processes().stop(program);
    PauseMs(1000);
  }
  const int result = platform::processes().start(program, {baseName});
  if (result == platform::kStartNotFound)
    ShowMessageWindow(QStringLiteral("Je ne trouve pas Webrellic.EXE dans le dossier standard..."));
  else if (result <= 32)
    ShowAlert(QStringLiteral("Erreur %1 au lancement de Webrellic.EXE").arg(result));
}

}  // namespace

QString XmlContract(const QString& contract) {
  const QString t = contract.trimmed().toUpper();
  if (t == QLatin1String("PASSE")) return QStringLiteral("PASS");
  if (t.contains(QLatin1String("AJU"))) return QStringLiteral("AJU.");
  if (t.contains(QLatin1String("MOY"))) return QStringLiteral("MOY.");
  const StoredContract c = ReadStoredContract(t);
  if (!c.ok) return {};
  return QString(c.level) + EnglishStrain(c.strain) + QString(c.doubling, u'*');
}

QString XmlDeclarer(int slot) {
  if (!ReadStoredContract(ResultContract[slot]).ok) return {};
  return SlotDeclarer(slot);
}

QString XmlLead(const QString& lead) {
  const QString l = lead.trimmed();
  if (l.size() < 2) return {};
  const QString suit = EnglishStrain(l.back());
  if (suit.isEmpty() || suit == QLatin1String("NT")) return {};
  const QString rank = l.left(l.size() - 1).toUpper();
  QChar letter = rank == QLatin1String("10") ? QChar(u'T') : l.at(0);
  switch (letter.unicode()) {
    case 'D': case 'd': letter = u'Q'; break;
    case 'R': case 'r': letter = u'K'; break;
    case 'V': case 'v': letter = u'J'; break;
    default: break;
  }
  return letter + suit;
}

QString XmlTricks(const QString& contract) {
  const QString t = contract.trimmed().toUpper();
  if (t == QLatin1String("PASSE") || t.contains(QLatin1String("AJU"))) return QStringLiteral("0");
  const StoredContract c = ReadStoredContract(t);
  if (!c.ok) return QStringLiteral("1000");
  const int base = c.level.digitValue() + 6;
  const int tricks = c.sign == u'+' ? base + c.tricks : (c.sign == u'-' ? base - c.tricks : base);
  return QString::number(std::max(tricks, 0));
}

QString AdjustmentScoreText(int slot) {
  const auto lines = ReadAdjustmentLines();
  if (!lines) return QStringLiteral("?");
  const auto a = LastAdjustmentFor(slot, *lines);
  if (!a) return QStringLiteral("?");
  return u'A' + TwoDigits(std::lround(a->ns)) + TwoDigits(std::lround(a->ew));
}

int PlayerLicenceNumber(const QString& name) {
  const QString wanted = name.trimmed();
  if (wanted.isEmpty()) return 0;
  const int count = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int i = 1; i <= count; ++i) {
    const std::optional<exchange::ListedPlayer> player = exchange::ParsePlayersListLine(PlayerFileLines[i]);
    if (!player || player->name.compare(wanted, Qt::CaseInsensitive) != 0) continue;
    const QString& licence = player->licence;
    if (!IsInteger(licence)) {
      // Names the player rather than showing the letters "+player+": the director must know whose line to mend.
      ShowAlert(QStringLiteral("Le numéro de licence dans le fichier des paires est incorrect! Ligne=") + wanted +
                QStringLiteral(". On suppose 0..."));
      return 0;
    }
    return licence.toInt();
  }
  return 0;
}

QString XmlExportFileName() {
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int month = std::clamp(DateMonth.toInt(), 1, 12);
  return FileNamePart(DateYear) + QLatin1String(months[month - 1]) + FileNamePart(DateDay) +
         (CumulativeMode ? QStringLiteral("C") : QString()) + QStringLiteral(".XML");
}

void ChooseMitchellDisplay() {
  const QString fileName = ProgramFolder + QStringLiteral("ChoixMitchell.TXT");
  if (platform::fileExists(fileName)) {
    const auto lines = platform::tryReadTextLines(platform::resolvePath(fileName));
    if (lines && !lines->isEmpty()) {
      OneWinnerMitchell = lines->first().trimmed() == u'1';
      return;
    }
  }
  ui::Choice choice;
  choice.form = forms::XmlRankingLayout;
  choice.caption = QStringLiteral("Affichage");
  choice.buttons = {QStringLiteral("Résultats fusionnés"), QStringLiteral("Résultats séparés N/S et E/W")};
  choice.codes = {1, 2};
  choice.cancelCode = 2;
  choice.extra = {{QStringLiteral("item"), 2}, {QStringLiteral("groupCaption"), QStringLiteral("Pour un Mitchell...")}};
  // 11 and 12: the same choices with "Sauver votre choix" ticked.
  const int answer = ui::Ask(choice);
  const int item = answer % 10 == 1 ? 1 : 2;
  OneWinnerMitchell = item == 1;
  if (answer > 10) {
    TextFile file;
    SafeRewrite(file, platform::resolvePath(fileName));
    file.writeLine(QString::number(item));
    CloseTextFile(file);
  }
}

void WriteLinesToFile(const QString& fileName, const QStringList& lines) {
  TextFile file;
  SafeRewrite(file, fileName);
  file.writeBytes((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
  CloseTextFile(file);
}

bool ConfirmReplaceExport(const QString& files) {
  ui::Choice choice;
  choice.form = forms::SavedTournamentReplace;
  choice.caption = QStringLiteral("Avertissement");
  choice.text = QStringLiteral("Il existe déjà un tournoi\nsauvé à cette date...\nFaut-il remplacer ce tournoi par celui-ci?");
  choice.buttons = {QStringLiteral("&Remplacer"), QStringLiteral("&Annuler")};
  choice.codes = {1, 2};
  choice.cancelCode = 2;
  choice.extra = {{QStringLiteral("edit"), files}};
  if (ui::Ask(choice) == 1) return true;
  ShowAlert(QStringLiteral("Exportation arrêtée..."));
  return false;
}

void WriteXmlExport() {
  if (!RewriteTableResultFiles()) return;
  const QString folder = ExportFolder();
  QDir().mkpath(folder);
  const QString club = StripAccents(ClubName);
  const QString name = XmlExportFileName();
  XmlFileName = folder + name;
  if (platform::fileExists(XmlFileName) && !ConfirmReplaceExport(QStringLiteral("Fichier ") + name)) return;

  const QString kind = CumulativeMode         ? QStringLiteral("Challenge")
                       : MitchellNumbering    ? QStringLiteral("Mitchell")
                       : ArrowSwitch          ? QStringLiteral("Arrow Switch")
                                              : QStringLiteral("Howell");
  if (MitchellNumbering && !CumulativeMode) ChooseMitchellDisplay();
  const int winnerType = WinnerType();
  XmlLines.clear();
  XmlLines << QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>")
           << QStringLiteral("<!DOCTYPE USEBIO SYSTEM \"usebio_v1_2.dtd\">") << QStringLiteral("<USEBIO Version=\"1.2\">")
           << QStringLiteral("<CLUB>") << Element(QStringLiteral("CLUB_NAME"), club)
           << QStringLiteral("<CLUB_ID_NUMBER></CLUB_ID_NUMBER>") << QStringLiteral("</CLUB>")
           << QStringLiteral("<EVENT EVENT_TYPE=\"MP_PAIRS\">")
           << Element(QStringLiteral("EVENT_DESCRIPTION"), kind + QStringLiteral(" du ") + TournamentTitle)
           << QStringLiteral("<PROGRAM_NAME>Talvaron-Quillmarke</PROGRAM_NAME>")
           << Element(QStringLiteral("PROGRAM_VERSION"), StripAccents(VersionText)) << QStringLiteral("<WINNER_TYPE>")
           << QString::number(winnerType) << QStringLiteral("</WINNER_TYPE>")
           << Element(QStringLiteral("PAIRS"), QString::number(PairCount))
           << Element(QStringLiteral("DATE"), DateDay + u'/' + DateMonth + u'/' + DateYear)
           << Element(QStringLiteral("BOARDS_PLAYED"), QString::number(DealCount))
           << QStringLiteral("<MPS_AWARDED_FLAG>Y</MPS_AWARDED_FLAG>");
  const RankingTable table = BuildRankingTable();
  AppendParticipants(table, winnerType);
  if (!CumulativeMode) {
    AppendBoards(table);
    AppendHandSet();
  }
  XmlLines << QStringLiteral("</EVENT>") << QStringLiteral("</USEBIO>");
  WriteLinesToFile(XmlFileName, XmlLines);

  ui::Choice offer;
  offer.form = forms::XmlUploadOffer;
  offer.caption = QStringLiteral("Message");
  offer.text = QStringLiteral("Le fichier ") + name + QStringLiteral(" a été créé dans ") + folder + u'.';
  offer.buttons = {QStringLiteral("&Oui"), QStringLiteral("&Plus tard...")};
  offer.codes = {1, 2};
  offer.cancelCode = 2;
  if (ui::Ask(offer) != 1) return;
  const QString year = FileNamePart(DateYear);
  StartUploadProgram(name, year + name.mid(year.size(), 3) + FileNamePart(DateDay));
}

void ExportBridgeWebsXml() {
  WritePairNameFiles();
  LoadDiagramFiles();
  XmlLines.clear();
  try {
    WriteXmlExport();
  } catch (...) {
    XmlLines.clear();
    throw;
  }
  XmlLines.clear();
}
