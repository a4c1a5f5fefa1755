#pragma once
// A small club tournament on disk, as the club's files hold it: a Mitchell of
// 4 tables and 3 boards played with tablets, the E/W pair 4 sitting out
// ("BYE"), one board per round. Loaded and computed, it ranks
//   N/S 2 87.50, N/S 4 75.00, E/W 1 58.33, E/W 3 50.00, E/W 2 41.67,
//   N/S 1 41.67, N/S 3 0.00 (the exchange sort moved N/S 1 behind E/W 2).
#include "core/Globals.h"
#include "core/PairsAndBoards.h"
#include "core/PairsFile.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "support/TestState.h"

#include <QDir>

class ClubTournamentTest : public testing_support::TalvaronTest {
 protected:
  static QByteArray bytes(const QString& text) { return text.toLatin1(); }  // "È", "é" as Windows-1252

  void writeClubFiles() {
    const QString base = dataDir() + "CLUB7";
    testing_support::writeBytes(base + ".DAT", bytes("07/12/2026\r\nLundi\r\n2 1 2 TypeTournoi (1=BridgeMates,2=Tablettes, "
                                                     "3=BM+Tab) / PairesIntroduites (1=oui,2=non) / Diagrammes (1=oui,2=non)"));
    testing_support::writeBytes(base + ".PAI", bytes(QStringLiteral(
        "1 0 0 DUPONT Jean - MARTIN Paul£DUPONT Jean£MARTIN Paul\r\n"
        "2 0 0 LEFÈVRE Anne - ROUX Marc£LEFÈVRE Anne£ROUX Marc\r\n"
        "3 0 0 BLANC Luc - NOIR Eva£BLANC Luc£NOIR Eva\r\n"
        "4 0 0 PETIT Léa - GRAND Tom£PETIT Léa£GRAND Tom\r\n"
        "-1 0 0 MOREAU Guy - FAURE Ida£MOREAU Guy£FAURE Ida\r\n"
        "-2 0 0 GIRARD Zoé - MERCIER Max£GIRARD Zoé£MERCIER Max\r\n"
        "-3 0 0 DE LA FONTAINE-BEAUMONT Jean-Baptiste - VAN DER BERGHE Marie-Christine£"
        "DE LA FONTAINE-BEAUMONT Jean-Baptiste£VAN DER BERGHE Marie-Christine\r\n"
        "-4 0 0 BYE£BYE£\r\n")));
    testing_support::writeBytes(base + ".MUL", bytes("3 3 07/12/2026:Tournoi du lundi\r\nmitchell\r\nO\r\n1 3 3 3\r\n"
                                                     "0 type mitchell\r\nN Appendix"));
    // Board b is played in round b; E/W pair 4 (number 8) has no result.
    testing_support::writeBytes(base + ".VAR", bytes("1 5 420 1 1 1 0 4PS=\r\n"
                                                     "2 6 420 1 2 1 0 4PN=\r\n"
                                                     "3 7 200 1 3 1 0 3PS+2\r\n"
                                                     "4 8 10000 1 4 1 0 \r\n"
                                                     "1 6 -110 2 1 2 0 2PO=\r\n"
                                                     "2 7 140 2 2 2 0 3CS=\r\n"
                                                     "3 8 10000 2 3 2 0 \r\n"
                                                     "4 5 110 2 4 2 0 3KN=\r\n"
                                                     "1 7 0 3 1 3 0 PASSE\r\n"
                                                     "2 8 10000 3 2 3 0 \r\n"
                                                     "3 5 -620 3 3 3 0 4CE=\r\n"
                                                     "4 6 100 3 4 3 0 3SO-1\r\n"));
    testing_support::writeBytes(base + ".SPECS", bytes("1 AC/S\r\n2 ?/N\r\n3 RK/S\r\n4 ?/?\r\n5 10T/O\r\n6 xP/S\r\n7 ?/?\r\n"
                                                       "8 DK/N\r\n9 ?/?\r\n10 ?/?\r\n11 DP/E\r\n12 2C/O\r\n"));
  }

  // What the reload does with these files, then the computation.
  void loadAndCompute() {
    writeClubFiles();
    SetDateGlobals();
    ClubName = QStringLiteral("Bridge Club de Talvaron");
    ChargerPaires(QStringLiteral("CLUB7"));
    ReadDatFile();
    int kind = 0;
    bool pairsEntered = false, dealsAtTable = false;
    ASSERT_TRUE(ReadDatDevicesLine(kind, pairsEntered, dealsAtTable));
    TableDevicesMode = TabletsMode = kind == 2;
    TabletSharedFolder = documentsDir() + "/Quillmarke";
    QDir().mkpath(TabletSharedFolder);
    ReadMulFile();
    ResultSlotCount = BoardCount * ResultsPerBoard;
    LoadResults();
    FindByePair();
    ComputeFrequencies();
    ComputeResults();
    ASSERT_TRUE(FrequenciesComputed);
  }

  QString clubLine() const {
    return QStringLiteral("Bridge Club de Talvaron").leftJustified(35) + "Talvaron version " + VersionText + " - 2026";
  }
  // A Windows-1252 file as text, for readable differences.
  static std::string decoded(const QString& path) {
    return platform::decodeText(testing_support::readBytes(path)).toStdString();
  }
  static QString text(const QStringList& lines) { return lines.join("\r\n") + "\r\n"; }
};
