#include "setup/Players.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Messages.h"
#include "core/Flows.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "setup/ClubMembers.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace {

const QString kPairsFile = QStringLiteral("PAIRES.TXT");
constexpr int kMaxPairsFileLines = 100;
constexpr int kMaxFirstNameLength = 100;

QByteArray readWholeFile(const QString& path) {
  QFile file(platform::resolvePath(path));
  if (!file.open(QIODevice::ReadOnly))
    throw platform::IoError(ENOENT, path, QStringLiteral("Impossible de lire le fichier ") + path);
  return file.readAll();
}

bool isAscii(const QByteArray& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString decodeLine(const QByteArray& bytes) {
  if (isAscii(bytes)) return QString::fromLatin1(bytes);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return platform::fromCp1252(bytes);
}

// The first name after the separator of surname and first name (":", else
// "#"); false when the name holds neither.
bool splitName(const QString& name, QString& surname, QString& firstName) {
  qsizetype at = name.indexOf(QLatin1Char(':'));
  if (at < 0) at = name.indexOf(QLatin1Char('#'));
  if (at < 0) return false;
  surname = name.left(at);
  firstName = name.mid(at + 1, kMaxFirstNameLength);
  return true;
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
  for (QString line : DecodePlayerFileLines(readWholeFile(fileName))) {
    ConvertUtf8Accents(line);
    if (TrimText(line).isEmpty()) continue;
    ReplaceForbiddenCharacters(line, QStringLiteral("£/"), line);
    const qsizetype comment = line.indexOf(QLatin1Char('\\'));
    if (comment >= 0) line.truncate(comment);
    if (PlayerCount >= kMaxPlayers) {
      ShowAlert(QStringLiteral("Il y a plus de %1 joueurs dans ").arg(kMaxPlayers) + PlayersFileName +
                QStringLiteral(": seuls les %1premiers sont pris en compte...").arg(kMaxPlayers));
      return;
    }
    if (ExtractPlayerName(line).isEmpty()) {
      ShowAlert(QStringLiteral("Pas de nom trouvé dans \"") + line + QStringLiteral("\". Ligne oubliée..."));
      continue;
    }
    PlayerFileLines[++PlayerCount] = line;
  }
}

void takeNamesAndLicences() {
  int nextLicence = 1;
  for (int i = 1; i <= PlayerCount; ++i) {
    const QString name = ExtractPlayerName(PlayerFileLines[i]);
    QString licence = ExtractLicenceNumber(PlayerFileLines[i]);
    QString surname, firstName;
    const bool split = splitName(name, surname, firstName);
    if (split) {
      if (TrimText(firstName).isEmpty())
        FatalStop(QStringLiteral("Un prénon est vide dans la ligne \"") + name + QStringLiteral("\". Désolé, on arrête!"));
      PlayerNames[i] = TrimText(surname) + QLatin1Char(' ') + TrimText(firstName);
      PlayerFirstNames[i] = TrimText(firstName);
      PlayerFileLines[i] = surname + QLatin1Char(' ') + firstName + QLatin1Char(' ') + licence;
    } else {
      const qsizetype blank = name.lastIndexOf(QLatin1Char(' '));
      PlayerFirstNames[i] = blank < 0 ? QString() : TrimText(name.mid(blank + 1));
      PlayerNames[i] = name;
    }
    if (licence.isEmpty()) {
      if (FederationMode || TableDevicesMode)
        FatalStop(QStringLiteral("Il y a au moins un joueur sans numéro de licence (") + PlayerFileLines[i] +
                  QStringLiteral("). Quand on utilise les tablettes, SmartPhones, BridgeMates ou pour la version FFB, "
                                 "chaque joueur doit avoir un numéro de licence (même 1,2,3,etc...). Désolé, on ne "
                                 "peut continuer!"));
      licence = QString::number(nextLicence++);
      if (split) PlayerFileLines[i] = surname + QLatin1Char(' ') + firstName + QLatin1Char(' ') + licence;
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
  if (!noted.isEmpty())
    ShowAlert(QStringLiteral("Il y a une ou plusieurs paires sans caractère de séparation (\"/\"), désolé, on ajoute "
                             "le joueur inconnu \"?\"... (") +
              noted + QLatin1Char(')'));
  sortEntries(ChoiceListItems, ChoiceListCount);
}

}  // namespace

QStringList DecodePlayerFileLines(const QByteArray& bytes) {
  QByteArray text = bytes;
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  QStringList lines;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    lines << decodeLine(line);
  }
  if (!text.isEmpty() && text.endsWith('\n')) lines.removeLast();
  if (text.isEmpty()) lines.clear();
  return lines;
}

void ConvertUtf8Accents(QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QChar(0xC3)) continue;
    const QByteArray second = platform::toCp1252(text.mid(i + 1, 1));
    const auto b = static_cast<unsigned char>(second.at(0));
    if (b < 0x80 || b > 0xBF || second == "?") continue;
    text.replace(i, 2, QChar(0xC0 + (b - 0x80)));
  }
}

void ReplaceForbiddenCharacters(const QString& text, const QString& forbidden, QString& out) {
  QString result = text;
  for (const QChar c : forbidden) {
    if (!result.contains(c)) continue;
    ShowAlert(QStringLiteral("\"") + c + QStringLiteral("\" détecté dans\r\n") + result +
              QStringLiteral("\r\nDésolé, remplacé par \"_\"..."));
    result.replace(c, QLatin1Char('_'));
  }
  out = result;
}

void NormaliseBlanks(const QString& text, QString& out) {
  qsizetype start = 0;
  while (start < text.size() && text[start].unicode() < 33) ++start;
  QString result;
  for (qsizetype i = start; i < text.size(); ++i) {
    if (text[i] == QLatin1Char(' ') && result.endsWith(QLatin1Char(' '))) continue;
    result += text[i];
  }
  while (result.endsWith(QLatin1Char(' '))) result.chop(1);
  out = result;
}

void SortCp1252(QStringList& lines) {
  std::vector<std::pair<QByteArray, QString>> keyed;
  keyed.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) keyed.emplace_back(platform::toCp1252(line), line);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (qsizetype i = 0; i < lines.size(); ++i) lines[i] = keyed[static_cast<std::size_t>(i)].second;
}

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

