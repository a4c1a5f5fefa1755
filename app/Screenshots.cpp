// Renders each window of the program offscreen into PNG files, one per window,
// in the folder given as argument (scripts/screenshots.sh runs it).
#include "core/DealAnalyses.h"
#include "core/DealDiagrams.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Notices.h"
#include "core/OptionFiles.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/Application.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/Printer.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/TableDeviceEchoes.h"
#include "devices/TableStates.h"
#include "devices/TablesServer.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "devices/ui/FederationParametersWindow.h"
#include "flows/GeneralOptions.h"
#include "flows/InstallFlows.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/CumulativeEndWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "publishing/DoubleDummy.h"
#include "publishing/HandRecords.h"
#include "publishing/ui/PublishingQuestionWindows.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/BoardFrequencies.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultListings.h"
#include "scoring/ScoreSheet.h"
#include "scoring/TableSheet.h"
#include "scoring/ui/PairRecapWindow.h"
#include "scoring/ui/ResultsWindow.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "scoring/ui/TableSheetEntryWindow.h"
#include "scoring/ui/TravellerEntryWindow.h"
#include "setup/MovementView.h"
#include "setup/PairLookups.h"
#include "setup/PairsEntry.h"
#include "setup/ui/MovementViewWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/SetupWindowRegistration.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <exception>
#include <functional>

namespace {

QString outputFolder;

// Four deals of an evening, their tables and pars computed, printed as the
// director hands them out (the PDF becomes hand-records.png).
void printHandRecords() {
  const char* deals[] = {"N:QJT2.A97.AKQ.A95 9853.85.T942.KQ7 AK76.T643.63.T63 4.KQJ2.J875.J842",
                         "N:KJT95.K32..AQ975 62.QJT974.4.JT64 Q84.A86.AJT862.K A73.5.KQ9753.832",
                         "N:KQJ9.AQJT2.4.873 82.K64.72.AQT965 6.9753.QT9863.J2 AT7543.8.AKJ5.K4",
                         "N:K8632.K83.84.AT7 74.A.KJ93.KJ9632 95.QJ54.AT62.Q84 AQJT.T9762.Q75.5"};
  const int saved = DealCount;
  DealCount = 4;
  QList<DealToSolve> toSolve;
  for (int b = 1; b <= 4; ++b) {
    // The PBN order of the hands (N E S W) in the diagram's (N S E W).
    const QStringList hands = QString::fromLatin1(deals[b - 1]).mid(2).split(QLatin1Char(' '));
    DealHoldings holdings;
    const int seatOf[4] = {SeatNorth, SeatEast, SeatSouth, SeatWest};
    for (int h = 0; h < 4; ++h) {
      const QStringList suits = hands[h].split(QLatin1Char('.'));
      for (int s = 0; s < 4; ++s) holdings[seatOf[h]][s] = suits[s];
    }
    DealDiagrams[b] = DiagramLines(b, holdings).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    toSolve << DealToSolve{DealKey(b), (b - 1) % 4, BoardVulnerability(b)};
  }
  const QList<DealAnalysis> analyses = SolveDeals(toSolve);
  for (int b = 1; b <= 4; ++b) BoardAnalyses()[b] = analyses[b - 1];
  ui::SetPrintToPdfFile(outputFolder + QStringLiteral("/hand-records.pdf"));
  PrintHandRecords();
  DealCount = saved;
}

int failures = 0;

void save(QWidget* window, const QString& name) {
  if (!window) {
    std::fprintf(stderr, "%s: no window\n", qPrintable(name));
    ++failures;
    return;
  }
  const QString file = outputFolder + '/' + name + QStringLiteral(".png");
  if (!window->grab().save(file)) {
    std::fprintf(stderr, "%s: not written\n", qPrintable(file));
    ++failures;
    return;
  }
  std::printf("%s\n", qPrintable(file));
}

// Opens a modal window, photographs it once it is up, then cancels it.
void shootModal(const QString& name, const std::function<void()>& open) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, name] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    QTest::qWait(50);
    save(modal, name);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else
      modal->close();
  });
  timer->start();
  open();
}

void shootShown(const QString& name, QWidget* window) {
  if (!QTest::qWaitForWindowExposed(window)) std::fprintf(stderr, "%s: not exposed\n", qPrintable(name));
  QTest::qWait(50);
  save(window, name);
}


// The club's players: sixteen play tonight, the others stay in the list.
const QStringList kPlayers = {
    QStringLiteral("DUPONT Jean 1021"),    QStringLiteral("MARTIN Anne 1022"),   QStringLiteral("LEFÈVRE Paul 1023"),
    QStringLiteral("ROUX Marie 1024"),     QStringLiteral("BLANC Luc 1025"),     QStringLiteral("NOIR Eva 1026"),
    QStringLiteral("PETIT Léa 1027"),      QStringLiteral("GRAND Thomas 1028"),  QStringLiteral("MOREAU Guy 1029"),
    QStringLiteral("FAURE Isabelle 1030"), QStringLiteral("GIRARD Zoé 1031"),    QStringLiteral("MERCIER Max 1032"),
    QStringLiteral("BERNARD Claire 1033"), QStringLiteral("THOMAS Henri 1034"),  QStringLiteral("ROBERT Hélène 1035"),
    QStringLiteral("RICHARD Louis 1036"),  QStringLiteral("DUBOIS Sophie 1037"), QStringLiteral("LAMBERT Pierre 1038"),
    QStringLiteral("FONTAINE Julie 1039")};

// Contracts typed on the travellers, taken in turn.
const std::array<const char*, 16> kContracts = {"4PS=",  "4PS+1", "3SN=",  "4CE-1", "2KO=",  "3SN+1", "4PXS-2", "1SN=",
                                                "5KS-1", "3CE=",  "2PN+1", "4CO=",  "3SS-1", "6CN=",  "2TE+1",  "3KN="};

// Every folder the program writes into lies in the scratch folder.
void useScratchFolders(const QString& scratch) {
  ProgramFolder = scratch + QStringLiteral("/program/");
  DataFolder = ProgramFolder + QStringLiteral("Resultats/");
  QDir().mkpath(DataFolder);
  DocumentsFolder = scratch + QStringLiteral("/Documents");
  PrintFile = DocumentsFolder + QStringLiteral("/TEMP.TXT");
  ResultsTextFile = DocumentsFolder + QStringLiteral("/RESULTS.TXT");
  ResultsFTextFile = DocumentsFolder + QStringLiteral("/RESULTSF.TXT");
  RecapTextFile = DocumentsFolder + QStringLiteral("/RECAP.TXT");
}

QString playerName(int i) { return kPlayers.at(i).section(QLatin1Char(' '), 0, 1); }

// The results of the evening typed on the travellers, all but the last
// line of the last board; the ranking computed. The confirmation of each
// contract is answered "OK".
void enterResults() {
  ui::ScriptedInteraction answers;
  int next = 0;
  for (int b = 1; b <= BoardCount; ++b) {
    ScoreSheet sheet;
    sheet.layOut(b);
    int last = 0;
    for (int line = 1; line <= sheet.lineCount(); ++line)
      if (sheet.takesResult(line)) last = line;
    for (int line = 1; line <= sheet.lineCount(); ++line) {
      if (!sheet.takesResult(line) || (b == BoardCount && line == last)) continue;
      sheet.setCurrentLine(line);
      if (!sheet.readyForResult()) continue;
      answers.answer(1);
      sheet.validate(QString::fromLatin1(kContracts.at(static_cast<size_t>(next++) % kContracts.size())),
                     EntryColumn::Result);
    }
  }
  ScoreSheet::close();
  ComputeFrequencies();
  ComputeResults();
}

// A Mitchell of four tables on a Monday evening, set up through the
// program's own windows and routines, then its main windows photographed.
// The players' file lies in scratch's program folder.
void shootEvening(TForm1& startScreen, const QString& scratch) {
  useScratchFolders(scratch);
  RegisterSetupWindows();
  TForm2 parameters;
  TForm4 pairs;
  TForm5 menu;
  TForm73 movementView;

  if (auto* newTournament = startScreen.findChild<QPushButton*>(QStringLiteral("SpeedButton1"))) newTournament->click();
  parameters.Nom->setText(QStringLiteral("Tournoi du lundi"));
  parameters.Code->setText(QStringLiteral("LUNDI"));
  shootShown(QStringLiteral("TForm2-parameters"), &parameters);
  parameters.OK->click();

  // Two players a pair, taken from the list as the director clicks them in.
  for (int pair = 0; pair < 8; ++pair)
    for (int column = 1; column <= 2; ++column) {
      PairsGridCellText = playerName(2 * pair + column - 1);
      PairsGridClick(pair < 4 ? PairsSide::NorthSouth : PairsSide::EastWest, column, pair % 4 + 1);
    }
  pairs.redraw();
  shootShown(QStringLiteral("TForm4-pairs-entry"), &pairs);

  try {
    {
      // "Mouvement": the Mitchell; 3 boards a table; the skip at half-time; 3 rounds.
      ui::ScriptedInteraction answers;
      answers.answer(1).answerText(QStringLiteral("3")).answer(1).answerText(QStringLiteral("3"));
      PairsEntryOk();
    }
    enterResults();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "setting up the tournament: %s\n", e.what());
    ++failures;
    return;
  }
  menu.showMenu();
  shootShown(QStringLiteral("TForm5-menu"), &menu);

  // The traveller of the last board, its last result still to type.
  {
    TForm56 traveller;
    traveller.LabelStatus->hide();
    ScoreSheet& sheet = traveller.sheet();
    sheet.layOut(BoardCount);
    for (int line = 1; line <= sheet.lineCount(); ++line)
      if (sheet.takesResult(line) && ResultScore[sheet.slotOfLine(line)] == kScoreNone) sheet.setCurrentLine(line);
    traveller.refresh();
    shootModal(QStringLiteral("TForm56-traveller"), [&] { traveller.exec(); });
  }

  // The sheet of the table that owes that result.
  {
    int missing = 0;
    for (int slot = 1; slot <= ResultSlotCount; ++slot)
      if (ResultNsPair[slot] != 0 && ResultEwPair[slot] != 0 && ResultScore[slot] == kScoreNone) missing = slot;
    LastSheetRound = missing ? ResultRound[missing] : 1;
    TableSheet sheet;
    if (sheet.startRound()) {
      for (int step = 1; step < ResultsPerBoard && missing && sheet.tableCounter() != ResultTable[missing]; ++step)
        sheet.nextTable();
      for (int line = 1; line <= sheet.lineCount(); ++line)
        if (sheet.slotOfLine(line) == missing) {
          while (sheet.currentLine() < line) sheet.down();
        }
    }
    TForm58 tableSheet(sheet);
    tableSheet.statusLabel->hide();
    tableSheet.refresh();
    shootModal(QStringLiteral("TForm58-table-sheet"), [&] { tableSheet.exec(); });
  }

  {
    ui::ScriptedInteraction answers;
    answers.answer(2);  // "&Fusionnés"
    ShowPairResults();
  }
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* results = qobject_cast<TForm17*>(w)) {
      shootShown(QStringLiteral("TForm17-results"), results);
      results->hide();
    }

  // The print dialog (in French), as a printout opens it, and two printed
  // pages: the PDF files are turned into pictures by scripts/screenshots.sh.
  shootModal(QStringLiteral("print-dialog"), [] { PrintPairsList(); });
  try {
    ui::ScriptedInteraction answers;  // the questions before, the remarks after
    answers.answerText(QStringLiteral("Fin du tournoi")).answer(1);
    ui::SetPrintToPdfFile(outputFolder + QStringLiteral("/printout-results.pdf"));
    PrintPairResults(false);
    ui::ScriptedInteraction sheets;
    sheets.answer(2).answer(1);  // "&Toutes", "&Complètes"
    ui::SetPrintToPdfFile(outputFolder + QStringLiteral("/printout-frequencies.pdf"));
    PrintBoardFrequencies();
    printHandRecords();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "printouts: %s\n", e.what());
    ++failures;
  }
  ui::SetPrintToPdfFile(QString());

  VoirMouvement();
  shootShown(QStringLiteral("TForm73-movement"), &movementView);
  movementView.hide();

  // The same evening played from the tables' phones, its server just
  // ended: the red line, the address and its code greyed where they were.
  {
    platform::FakeProcesses processes;
    processes.childOutput = {QStringLiteral("Serveur des tables : http://0.0.0.0:8080/")};
    TableDevicesMode = TabletsMode = true;
    TabletSharedFolder = DocumentsFolder + QStringLiteral("/Quillmarke");
    QFile holders(TabletSharedFolder + QStringLiteral("/APPAREILS.TXT"));
    if (QDir().mkpath(TabletSharedFolder) && holders.open(QIODevice::WriteOnly))
      holders.write(QStringLiteral("1\tAndroid Chrome 192.168.1.23\t19:58:40\r\n"
                                   "3\tiPhone Safari 192.168.1.40\t19:59:12\r\n")
                        .toUtf8());
    holders.close();
    TournamentMenuShow();
    menuView().runningNoticeVisible = true;
    StartTablesServer();
    processes.childOutput = {};
    processes.endChildren(-1, QString());
    WatchTablesServer();
    menu.adjustSize();
    shootShown(QStringLiteral("TForm5-menu-tables-down"), &menu);
    StopTablesServer();
    TableDevicesMode = TabletsMode = false;
  }
  menu.hide();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  platform::setFixedNow(QDateTime(QDate(2026, 12, 7), QTime(20, 0, 0)));
  QTemporaryDir scratch;
  const QString program = scratch.path() + QStringLiteral("/program/");
  QDir().mkpath(program);
  QDir().mkpath(scratch.path() + QStringLiteral("/Documents"));
  // The club's players file (Windows-1252) and its choice of typing the
  // results as contracts.
  QFile players(program + QStringLiteral("JOUEURS.TXT"));
  if (players.open(QIODevice::WriteOnly)) players.write(kPlayers.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
  players.close();
  QFile contracts(program + kContractsFile);
  if (contracts.open(QIODevice::WriteOnly)) contracts.write("\r\n");
  contracts.close();
  qputenv("TALVARON_PROGRAM_FOLDER", program.toUtf8());
  qputenv("TALVARON_DOCUMENTS_FOLDER", (scratch.path() + QStringLiteral("/Documents")).toUtf8());
  qputenv("TALVARON_ROOT_FOLDER", scratch.path().toUtf8());

  ui::TalvaronApplication app(argc, argv);
  ui::InstallFrenchTranslations();
  outputFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
  QDir().mkpath(outputFolder);
  ui::InstallWindowInteraction();
  InstallFlows();
  InstallTableDeviceEchoes();
  RegisterScoringWindows();
  RegisterPublishingWindows();
  RegisterDeviceWindows();
  RegisterFlowWindows();

  TForm1 startScreen;
  TForm59 quitConfirmation;
  TForm108 resumeWarning;
  TForm110 backupWait;
  startScreen.show();
  shootShown(QStringLiteral("TForm1-start-screen"), &startScreen);

  shootModal(QStringLiteral("TForm26-message"), [] {
    ui::interaction().showMessage(QStringLiteral(
        "Attention! Il faut absolument que le tournoi que vous rechargez soit le dernier que vous avez joué ou que "
        "c'était du à un plantage général.\r\nSinon, son comportement peut être imprévisible, y compris des erreurs "
        "fatales!"));
  });
  shootModal(QStringLiteral("system-message"), [] {
    ui::interaction().showSystemMessage(QStringLiteral(
        "Attention! Un des fichiers de joueurs FICHIER.TXT ou JOUEURS.TXT doit absolument être présent. Désolé, on "
        "arrête..."));
  });
  shootModal(QStringLiteral("TForm59-quit"), [] {
    ui::Ask({.form = forms::QuitConfirmation, .caption = QStringLiteral("Confirmation?"),
             .text = QStringLiteral("Vraiment quitter le programme?")});
  });
  shootModal(QStringLiteral("TForm108-resume-warning"), [] {
    ui::Ask({.form = forms::UnfinishedTournamentWarning,
             .caption = QStringLiteral("Avertissement"),
             .text = QStringLiteral("Vous rechargez un tournoi joué aujourd'hui et qui n'est pas terminé.\r\n"
                                    "Les serveurs qui ne tournent plus vont être relancés."),
             .buttons = {QStringLiteral("Je suis d'accord"), QStringLiteral("Retour au menu")},
             .codes = {1, 2},
             .cancelCode = 2});
  });
  shootModal(QStringLiteral("TForm91-yes-no"), [] {
    ui::AskYesNo(QStringLiteral("Il existe déjà des fichiers du tournoi ABC. Voulez-vous vraiment les effacer?"));
  });
  shootModal(QStringLiteral("TForm22-warning"), [] {
    ui::Ask({.form = forms::ComputationWarnings, .caption = QStringLiteral("Attention"),
             .text = QStringLiteral("Les paires 3 et 5 n'ont pas joué le board 12.\r\nVérifiez les feuilles de table."),
             .buttons = {QStringLiteral("&OK / ENTER / ESC / Echap")}});
  });
  shootModal(QStringLiteral("TForm88-info"), [] {
    ui::Ask({.form = forms::PbnDealsNotice, .caption = QStringLiteral("Info"),
             .text = QStringLiteral("24 étuis lus dans le fichier PBN."), .buttons = {QStringLiteral("OK (ENTER/ESC)")}});
  });
  shootModal(QStringLiteral("TForm40-text"), [] {
    ui::interaction().askText({.form = forms::TextQuestion, .caption = QStringLiteral("Question"),
                               .prompt = QStringLiteral("Nom du tournoi ?"), .text = QStringLiteral("Tournoi du lundi")});
  });
  shootModal(QStringLiteral("TForm25-number"), [] {
    ui::interaction().askText({.form = forms::NumberQuestion, .caption = QStringLiteral("Réponse"),
                               .prompt = QStringLiteral("Numéro du board ?"), .text = QStringLiteral("12")});
  });
  shootModal(QStringLiteral("TForm82-list"), [] {
    ui::AskLine({.form = forms::ListChoice, .caption = QStringLiteral("Choisissez"), .headings = {}, .hint = {},
                 .lines = {QStringLiteral("DUPONT Jean/DURAND Paul"), QStringLiteral("LEROY Eve/MARTIN Anne")}});
  });
  shootModal(QStringLiteral("TForm83-tournaments"), [] {
    ui::AskLine({.form = forms::TournamentChoice, .caption = QStringLiteral("Choix"),
                 .headings = {QStringLiteral("Choix des paires ?")}, .hint = QStringLiteral("Esc = Annuler"),
                 .lines = {QStringLiteral("ABC.PAI"), QStringLiteral("LUNDI07.PAI")}, .sorted = true});
  });
  shootModal(QStringLiteral("TForm60-score"), [] {
    ui::Ask({.form = forms::ScoreConfirmation, .caption = QStringLiteral("Résultat"),
             .text = QStringLiteral("4PXE-2 : 300"),
             .buttons = {QStringLiteral("&OK"), QStringLiteral("ESC/Echap= &Annuler")}, .codes = {1, 0}});
  });
  shootModal(QStringLiteral("TForm15-missing-results"), [] {
    ui::Ask({.form = forms::MissingResults,
             .caption = QStringLiteral("Vérification des marques"),
             .buttons = {QStringLiteral("&Non"), QStringLiteral("&Oui / ESC")},
             .codes = {1, 2},
             .cancelCode = 2,
             .extra = {{QStringLiteral("label"), QStringLiteral("On continue quand même?")},
                       {QStringLiteral("lines"), QStringList{QStringLiteral("Board  3 : N2/E4"),
                                                             QStringLiteral("Board 12 : N1/E3 N5/E2")}}}});
  });
  shootModal(QStringLiteral("TForm21-question"), [] {
    ui::Ask({.form = forms::AdjustmentsPrinting,
             .caption = QStringLiteral("Question"),
             .text = QStringLiteral("Faut-il imprimer les ajustements et pénalités?"),
             .buttons = {QStringLiteral("&Oui"), QStringLiteral("ESC/Echap = &Non")},
             .codes = {1, 2},
             .cancelCode = 2});
  });
  shootModal(QStringLiteral("generic-question"), [] {
    ui::Ask({.caption = QStringLiteral("Question"), .text = QStringLiteral("Imprimer les résultats ?"),
             .buttons = {QStringLiteral("&Oui"), QStringLiteral("&Non")}, .codes = {1, 2}, .cancelCode = 2});
  });
  shootModal(QStringLiteral("TForm77-director"), [] {
    ui::Ask({.form = forms::WebPageDirector, .caption = QStringLiteral("Arbitre"), .extra = {{"item", 2}}});
  });
  shootModal(QStringLiteral("TForm78-replace"), [] {
    ui::Ask({.form = forms::SavedTournamentReplace,
             .caption = QStringLiteral("Avertissement"),
             .text = QStringLiteral("Il existe déjà un tournoi\nsauvé à cette date...\nFaut-il remplacer ce tournoi par "
                                    "celui-ci?"),
             .buttons = {QStringLiteral("&Remplacer"), QStringLiteral("&Annuler")},
             .codes = {1, 2},
             .cancelCode = 2,
             .extra = {{"edit", QStringLiteral("Fichiers R/D/H/2026120720")}}});
  });
  shootModal(QStringLiteral("TForm79-mitchell-display"), [] {
    ui::Ask({.form = forms::XmlRankingLayout, .caption = QStringLiteral("Affichage"),
             .extra = {{"item", 2}, {"groupCaption", QStringLiteral("Pour un Mitchell...")}}});
  });
  shootModal(QStringLiteral("TForm80-upload"), [] {
    ui::Ask({.form = forms::XmlUploadOffer,
             .caption = QStringLiteral("Message"),
             .text = QStringLiteral("Le fichier 2026Dec07.XML a été créé dans /home/club/Resultats/DossierBridgeWebs/."),
             .buttons = {QStringLiteral("&Oui"), QStringLiteral("&Plus tard...")},
             .codes = {1, 2},
             .cancelCode = 2});
  });
  shootModal(QStringLiteral("TForm87-bridgewebs"), [] {
    ui::Ask({.form = forms::BridgeWebsFunctions,
             .caption = QStringLiteral("Fonctions BridgeWebs"),
             .buttons = {QStringLiteral("Sauver les résultats sur BridgeWebs"),
                         QStringLiteral("Aller sur votre site BridgeWebs"), QStringLiteral("Ne rien faire")},
             .codes = {1, 2, 3},
             .cancelCode = 3});
  });
  shootModal(QStringLiteral("TForm103-no-internet"), [] {
    ui::Ask({.form = forms::NoInternet,
             .caption = QStringLiteral("Message"),
             .text = QStringLiteral("Pas de connection Internet"),
             .buttons = {QStringLiteral("&Continuer"), QStringLiteral("&Arrêter")},
             .codes = {1, 2},
             .cancelCode = 2});
  });

  const QVariantMap escHint{{QStringLiteral("hint"), QStringLiteral("Annuler = ESC/Echap")}};
  shootModal(QStringLiteral("TForm23-frequency-sheets"), [&] {
    ui::Ask({.form = forms::FrequencySheetsScope, .caption = QStringLiteral("Fréquences"),
             .text = QStringLiteral("Impression des feuilles de fréquences"),
             .buttons = {QStringLiteral("&Une à la fois"), QStringLiteral("&Toutes")}, .codes = {1, 2}, .extra = escHint});
  });
  shootModal(QStringLiteral("TForm24-sheet-kind"), [&] {
    ui::Ask({.form = forms::FrequencySheetsForm, .caption = QStringLiteral("Fréquences"),
             .text = QStringLiteral("Impression des feuilles de fréquences"),
             .buttons = {QStringLiteral("&Complètes"), QStringLiteral("&Simplifiées")}, .codes = {1, 2}, .extra = escHint});
  });
  shootModal(QStringLiteral("TForm29-recaps"), [&] {
    ui::Ask({.form = forms::PairRecapsOutput, .caption = QStringLiteral("Récapitulatifs"),
             .text = QStringLiteral("Récapitulatifs par paires"),
             .buttons = {QStringLiteral("&Afficher"), QStringLiteral("&Imprimer")}, .codes = {1, 2}, .extra = escHint});
  });
  shootModal(QStringLiteral("TForm42-printed-recaps"), [] {
    ui::Ask({.form = forms::PrintedPairRecaps, .caption = QStringLiteral("Récapitulatifs"),
             .buttons = {QStringLiteral("&Une paire à la fois"), QStringLiteral("&Toutes les paires"),
                         QStringLiteral("Esc/Echap = Rien")},
             .codes = {1, 2, 0}});
  });
  {
    TForm43 recap;
    recap.open();
    recap.fill({QStringLiteral("Paire N1 : DUPONT Jean-MARTIN Paul                >>>> Tournoi: 55.0%"), QString(),
                QStringLiteral("Donne  N/S E/W Adversaire                    Con- Score    %     %   Moyenne"),
                QStringLiteral("                          Résultat tournoi   trat   N/S   N/S   E/W  Table"),
                QString(75, QLatin1Char('-')), QString(),
                QStringLiteral("  1    1   1   MOREAU Guy-FAURE Ida        4PS=     420   75.0  25.0      "),
                QStringLiteral("  2    1   1   ( 60.0% )                   4CN-1   -100   25.0  75.0  50.0")});
    shootShown(QStringLiteral("TForm43-recap-viewer"), &recap);
    recap.hide();
    TForm46 end;
    end.show();
    shootShown(QStringLiteral("TForm46-end-of-cumulation"), &end);
    end.hide();
  }

  shootModal(QStringLiteral("TForm45-options"), [] { RunGeneralOptions(); });

  ui::ShowNotice(forms::BackupWait, QStringLiteral("Backup en cours..."));
  shootShown(QStringLiteral("TForm110-backup"), &backupWait);
  ui::HideNotice(forms::BackupWait);
  ui::ShowNotice(forms::ProgramSearchNotice, QStringLiteral("Recherche du programme BMPro.EXE. Une seule fois..."));
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == forms::ProgramSearchNotice) shootShown(QStringLiteral("TForm95-search"), w);
  ui::HideNotice(forms::ProgramSearchNotice);
  ui::ShowNotice(forms::CriticalMessage, QStringLiteral("Appel de l'arbitre à la table 4!"));
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == forms::CriticalMessage) shootShown(QStringLiteral("TForm114-critical"), w);
  ui::HideNotice(forms::CriticalMessage);

  TForm75 federationParameters;
  federationParameters.showSummary(
      {QStringLiteral("2026120720"), QStringLiteral("Mitchell standard *RecEO*"), QStringLiteral("14"), QStringLiteral("7"),
       QStringLiteral("NON"), QStringLiteral("<- Déjà introduites dans FFBClubNet")});
  shootShown(QStringLiteral("TForm75-federation-parameters"), &federationParameters);
  federationParameters.hide();
  shootModal(QStringLiteral("TForm72-club-number"), [] {
    ui::interaction().askText({.form = forms::ClubLicence, .caption = QStringLiteral("Licence"), .prompt = {}, .text = {}});
  });
  ShowBridgeMatesInfo();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == forms::CorrectionNote) shootShown(QStringLiteral("TForm109-bridgemates-info"), w);
  ui::HideNotice(forms::CorrectionNote);
  TableCount = 7;
  ShowTableStatusStrip();
  SetTableState(2, TableLoggedOn);
  SetTableState(3, TableLoggedOn);
  SetTableState(5, TableFinished);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == forms::TableStatusStrip) shootShown(QStringLiteral("TForm112-table-states"), w);
  HideTableStatusStrip();
  TableCount = 0;
  shootEvening(startScreen, scratch.path());
  return failures == 0 ? 0 : 1;
}
