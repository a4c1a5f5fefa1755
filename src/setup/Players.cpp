#include "setup/Players.h"

#include "core/ExchangeLines.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PlayerNames.h"
#include "core/Texts.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "setup/ClubMembers.h"
#include "setup/PlayerText.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString kPairsFile = QStringLiteral("PAIRES.TXT");
constexpr int kMaxPairsFileLines = 100;

QByteArray readWholeFile(const QString& path) {
  QFile file(platform::resolvePath(path));
  if (!file.open(QIODevice::ReadOnly))
    throw platform::IoError(ENOENT, path, QStringLiteral("Impossible de lire le fichier ") + path);
  return file.readAll();
}

template <typename Array>
void sortEntries(Array& entries, int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << entries[i];
  SortCp1252(lines);
  for (int i = 1; i <= count; ++i) entries[i] = lines[i - 1];
}

void readPlayersFile() {
  const QString fileName = ProgramFolder + PlayersFileName;
  QStringList names;
  for (QString line : DecodePlayerFileLines(readWholeFile(fileName))) {
    ConvertUtf8Accents(line);
    if (TrimText(line).isEmpty()) continue;
    ReplaceForbiddenCharacters(line, QStringLiteral("£/"), line);
    const qsizetype comment = line.indexOf(QLatin1Char('\\'));
    if (comment >= 0) line.truncate(comment);
    if (PlayerCount >= kMaxPlayers) {
      ShowAlert(QStringLiteral("Il y a plus de %1 joueurs dans ").arg(kMaxPlayers) + PlayersFileName +
                QStringLiteral(": seuls les %1premiers sont pris en compte...").arg(kMaxPlayers));
      break;
    }
    const QString name = ExtractPlayerName(line);
    if (name.isEmpty()) {
      ShowAlert(QStringLiteral("Pas de nom trouvé dans \"") + line + QStringLiteral("\". Ligne oubliée..."));
      continue;
    }
    names << name;
    PlayerFileLines[++PlayerCount] = line;
  }
  ReportNamesLosingCharacters(names, PlayersFileName);
}

void takeNamesAndLicences() {
  int nextLicence = 1;
  for (int i = 1; i <= PlayerCount; ++i) {
    // The lines without a name were left out on reading: what is refused
    // here has a separator and no first name after it.
    const std::optional<exchange::ListedPlayer> player = exchange::ParsePlayersListLine(PlayerFileLines[i]);
    if (!player)
      FatalStop(QStringLiteral("Un prénon est vide dans la ligne \"") + ExtractPlayerName(PlayerFileLines[i]) +
                QStringLiteral("\". Désolé, on arrête!"));
    QString licence = player->licence;
    const bool split = !player->separated.isEmpty();
    PlayerNames[i] = player->name;
    PlayerFirstNames[i] = player->firstName;
    if (split) PlayerFileLines[i] = player->separated + QLatin1Char(' ') + licence;
    if (licence.isEmpty()) {
      if (FederationMode || TableDevicesMode)
        FatalStop(QStringLiteral("Il y a au moins un joueur sans numéro de licence (") + PlayerFileLines[i] +
                  QStringLiteral("). Quand on utilise les tablettes, SmartPhones, BridgeMates ou pour la version FFB, "
                                 "chaque joueur doit avoir un numéro de licence (même 1,2,3,etc...). Désolé, on ne "
                                 "peut continuer!"));
      licence = QString::number(nextLicence++);
      if (split) PlayerFileLines[i] = player->separated + QLatin1Char(' ') + licence;
    }
    PlayerLicences[i] = licence;
  }
}

void offerPlayersToPickers() {
  for (int i = 1; i <= kMaxPlayers; ++i) PlayerChoiceLines[i] = PlayerNames[i];
  PlayerChoiceCount = PlayerCount + 1;
  PlayerChoiceLines[PlayerChoiceCount] = QStringLiteral("BYE");
  sortEntries(PlayerChoiceLines, PlayerChoiceCount);
}

void readPairsFile() {
  ChoiceListCount = 0;
  const QString path = ProgramFolder + kPairsFile;
  PairsFileAvailable = platform::fileExists(path);
  if (!PairsFileAvailable) return;
  if (TableDevicesMode) {
    ShowAlert(QStringLiteral("Le fichier de paires (PAIRES.TXT) n'est d'aucune utilité pour la version avec tablettes "
                             "ou BridgeMates. Il n'est pas lu..."));
    return;
  }
  QString noted;
  for (QString line : DecodePlayerFileLines(readWholeFile(path))) {
    if (TrimText(line).isEmpty()) continue;
    ReplaceForbiddenCharacters(line, QStringLiteral("£"), line);
    if (!line.contains(QLatin1Char('/'))) {
      noted += QLatin1Char(' ') + line;
      line += QStringLiteral("/?");
    }
    if (ChoiceListCount >= kMaxPairsFileLines) {
      ShowAlert(QStringLiteral("Il y a plus de %1 paires dans ").arg(kMaxPairsFileLines) + kPairsFile +
                QStringLiteral(": désolé, on les oublie..."));
      break;
    }
    ChoiceListItems[++ChoiceListCount] = line;
  }
  QStringList pairs;
  for (int i = 1; i <= ChoiceListCount; ++i) pairs << ChoiceListItems[i];
  ReportNamesLosingCharacters(pairs, kPairsFile);
  if (!noted.isEmpty())
    ShowAlert(QStringLiteral("Il y a une ou plusieurs paires sans caractère de séparation (\"/\"), désolé, on ajoute "
                             "le joueur inconnu \"?\"... (") +
              noted + QLatin1Char(')'));
  sortEntries(ChoiceListItems, ChoiceListCount);
}

}  // namespace

void LoadPlayers() {
  if (ClubMode) RebuildClubPlayersFile();
  for (int i = 1; i <= kMaxPlayers; ++i) {
    PlayerFirstNames[i].clear();
    PlayerFileLines[i].clear();
    PlayerNames[i].clear();
    PlayerLicences[i] = QStringLiteral("0");
  }
  PlayerCount = 0;
  readPlayersFile();
  sortEntries(PlayerFileLines, PlayerCount);
  takeNamesAndLicences();
  offerPlayersToPickers();
  readPairsFile();
}

