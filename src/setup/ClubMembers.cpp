#include "setup/ClubMembers.h"

#include "core/CompanionPrograms.h"
#include "core/ExchangeFiles.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PlayerNames.h"
#include "core/SafeFiles.h"
#include "core/Settings.h"
#include "core/Texts.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "setup/PlayerText.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

const QString kTallyvaneLocation = QStringLiteral("Tallyvane.TXT");
constexpr int kFirstRunningNumber = 10000;

// A settings file's first line, trimmed.
std::optional<QString> trimmedFirstLine(const QString& name) {
  const auto line = SettingFirstLine(name);
  if (!line) return std::nullopt;
  return TrimText(*line);
}

void systemMessage(const QString& text) { ui::interaction().showSystemMessage(text); }

// One token of the members file and the byte where it starts.
struct Token {
  QString text;
  qsizetype offset = 0;
};

QList<Token> readTokens(const QByteArray& bytes) {
  QList<Token> tokens;
  QByteArray current;
  qsizetype start = 0;
  auto flush = [&] {
    if (current.isEmpty()) return;
    QString text;
    NormaliseBlanks(platform::fromCp1252(current), text);
    if (!text.isEmpty()) tokens.append({text, start});
    current.clear();
  };
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x20) {
      flush();
      continue;
    }
    if (current.isEmpty()) start = i;
    current.append(bytes[i]);
  }
  flush();
  return tokens;
}

bool isNumberToken(const QString& text) {
  if (!text.startsWith(QLatin1Char('N'))) return false;
  return std::all_of(text.begin() + 1, text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool isSurnameToken(const QString& text) {
  if (text.size() < 2) return false;
  int strong = 0;
  for (const QChar c : text) {
    const bool capital = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
    const bool high = c.unicode() >= 128;
    if (capital || high)
      ++strong;
    else if (c != QLatin1Char(' ') && c != QLatin1Char('-') && c != QLatin1Char('\''))
      return false;
  }
  return strong >= 2;
}

QByteArray fieldBytes(const QString& text, int width) {
  QByteArray bytes = platform::toCp1252(TrimText(text.left(width)));
  bytes.truncate(width);
  return bytes.leftJustified(width, ' ');
}

bool isRecordText(unsigned char b) { return (b >= 32 && b <= 126) || b >= 160; }

QString errorCode(const QFile& file) { return QString::number(static_cast<int>(file.error())); }

QString playersFilePath() { return ProgramFolder + PlayersFileName; }

// The checks shared by the add and the correction; the texts are trimmed.
bool refusedTypedNames(const QString& firstName, const QString& surname) {
  return RefuseTypedPlayerName(firstName) || RefuseTypedPlayerName(surname);
}

}  // namespace

void LocateClubMembersFile() {
  if (const auto line = trimmedFirstLine(kTallyvaneLocation)) {
    ClubMembersFile = *line;
  } else {
    LocateExternalProgram(kTallyvaneLocation, QStringLiteral("Tallyvane.EXE"),
                          QStringLiteral("On va rechercher le programme Tallyvane.EXE"));
    ClubMembersFile = trimmedFirstLine(kTallyvaneLocation).value_or(QString());
  }
  const auto location = trimmedFirstLine(kMembersLocationFile);
  // "?" is what the options leave before any file was chosen.
  if (!location || location->isEmpty() || *location == QLatin1String("?")) {
    ShowAlert(QStringLiteral("Je ne trouve l'emplacement de votre fichier de joueurs dans Tallyvane. Vous allez pouvoir "
                             "le montrer (une fois pour toutes)..."));
    ui::TextQuestion dialog;
    dialog.form = QStringLiteral("MembersFileDialog");
    dialog.caption = QStringLiteral("Sélectionnez un fichier de type *Members.DAT contenant les joueurs pour Tallyvane:");
    dialog.prompt = QStringLiteral("Fichiers *Members (*.DAT)|*.DAT");
    for (;;) {
      const std::optional<QString> chosen = ui::interaction().askText(dialog);
      if (!chosen || chosen->isEmpty()) {
        ui::interaction().beep();
        systemMessage(QStringLiteral("Vous devez absolument sélectionner un fichier de type *Members.DAT !"));
        continue;
      }
      if (!chosen->toLower().contains(QStringLiteral("members.dat"))) {
        ui::interaction().beep();
        systemMessage(QStringLiteral("Erreur : vous devez électionnez un fichier de type *Members.DAT..."));
        continue;
      }
      WriteSettingLine(kMembersLocationFile, *chosen);
      break;
    }
  }
  MembersDatLocation = trimmedFirstLine(kMembersLocationFile).value_or(QString());
  if (!ClubMembersFile.isEmpty() && !platform::folderExists(QFileInfo(ClubMembersFile).path()))
    FatalStop(QStringLiteral("Le répertoire ") + ClubMembersFile +
              QStringLiteral(" n'existe pas! Désolé, on arrête, appelez Teo VARNAL..."));
  if (!platform::fileExists(MembersDatLocation))
    FatalStop(QStringLiteral("Le fichier ") + MembersDatLocation +
              QStringLiteral(" n'existe pas! Désolé, on arrête, appelez Teo VARNAL..."));
}

void ReadMembersFile(const QString& membersFile, const QString& outputFile) {
  QFile file(platform::resolvePath(membersFile));
  if (!file.open(QIODevice::ReadOnly))
    throw platform::IoError(ENOENT, membersFile, QStringLiteral("Impossible de lire le fichier ") + membersFile);
  const QList<Token> tokens = readTokens(file.readAll());
  file.close();

  MemberCount = 0;
  QStringList lines;
  int running = kFirstRunningNumber;
  qsizetype i = 0;
  while (i < tokens.size()) {
    const bool member = isNumberToken(tokens[i].text) && i + 3 < tokens.size() && tokens[i + 2].text == QLatin1String("N");
    if (!member) {
      ++i;
      continue;
    }
    const QString digits = tokens[i].text.mid(1);
    const QString number = digits.isEmpty() ? QString::number(running++) : digits;
    QString firstName = tokens[i + 1].text;
    // The surname lies in the same record as the number.
    const qsizetype recordEnd = (tokens[i].offset / kMemberRecordSize + 1) * kMemberRecordSize + 1;
    QString surname;
    for (qsizetype k = i + 3; k < tokens.size() && tokens[k].offset < recordEnd; ++k) {
      if (tokens[k].text.size() == 1 || !isSurnameToken(tokens[k].text)) continue;
      QString s = tokens[k].text;
      if (s.startsWith(QLatin1Char('A'))) s.remove(0, 1);
      NormaliseBlanks(s, surname);
      break;
    }
    const int record = static_cast<int>(tokens[i].offset / kMemberRecordSize) + 1;
    i += 4;
    if (surname.isEmpty() || firstName.isEmpty()) continue;
    ConvertUtf8Accents(surname);
    ConvertUtf8Accents(firstName);
    lines << surname + QLatin1Char(' ') + firstName + QLatin1Char(' ') + number;
    if (MemberCount + 1 > kMaxPlayers) {
      ShowAlert(QStringLiteral("Il y a plus de %1 joueurs dans ").arg(kMaxPlayers) + membersFile +
                QStringLiteral(" : seuls les %1 premiers sont pris en compte...").arg(kMaxPlayers));
      continue;
    }
    ++MemberCount;
    MemberField1[MemberCount] = surname;
    MemberField2[MemberCount] = firstName;
    MemberField3[MemberCount] = number;
    MemberRecordIndex[MemberCount] = record;
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  TextFile out;
  SafeRewrite(out, outputFile);
  for (const QString& line : lines) out.writeLine(line);
  CloseTextFile(out);
}

void RebuildClubPlayersFile() {
  if (!ClubMode) {
    ShowAlert(QStringLiteral("Désolé, uniquement au Bralmet!"));
    return;
  }
  LocateClubMembersFile();
  ReadMembersFile(MembersDatLocation, ProgramFolder + exchange::kPlayersListFile);
}

bool IsValidMemberRecord(const QByteArray& record) {
  if (record.size() != kMemberRecordSize) return false;
  bool digit = false;
  for (int i = kMemberNumberOffset; i < kMemberNumberOffset + kMemberNumberWidth; ++i) {
    const char c = record[i];
    if (c >= '0' && c <= '9')
      digit = true;
    else if (c != ' ')
      return false;
  }
  if (!digit) return false;
  auto textField = [&](int offset, int width) {
    for (int i = offset; i < offset + width; ++i)
      if (!isRecordText(static_cast<unsigned char>(record[i]))) return false;
    return true;
  };
  return textField(kMemberFirstNameOffset, kMemberFirstNameWidth) && textField(kMemberSurnameOffset, kMemberSurnameWidth);
}

QByteArray BuildMemberRecord(const QByteArray& templateRecord, const QString& surname, const QString& firstName,
                             const QString& number) {
  QByteArray record = templateRecord.left(kMemberRecordSize).leftJustified(kMemberRecordSize, '\0');
  record.replace(kMemberNumberOffset, kMemberNumberWidth, fieldBytes(number, kMemberNumberWidth));
  record.replace(kMemberFirstNameOffset, kMemberFirstNameWidth, fieldBytes(firstName, kMemberFirstNameWidth));
  record.replace(kMemberSurnameOffset, kMemberSurnameWidth, fieldBytes(surname, kMemberSurnameWidth));
  return record;
}

bool AppendMemberRecord(const QString& surname, const QString& firstName, const QString& number) {
  LocateClubMembersFile();
  QFile file(platform::resolvePath(MembersDatLocation));
  if (!file.open(QIODevice::ReadWrite)) {
    systemMessage(QStringLiteral("Erreur à l'ouverture du fichier! Code: ") + errorCode(file));
    return false;
  }
  const QByteArray templateRecord = file.read(kMemberRecordSize);
  if (templateRecord.size() != kMemberRecordSize) {
    systemMessage(QStringLiteral("Lecture incomplète (lu=%1).").arg(templateRecord.size()));
    return false;
  }
  if (!file.seek(file.size())) {
    systemMessage(QStringLiteral("Erreur SEEK! Code: ") + errorCode(file));
    return false;
  }
  // The record is assembled as the club's other program assembles it: its
  // zero bytes stand as 5s meanwhile, so every 5 of the template comes out 0.
  QByteArray blank = templateRecord;
  blank.replace('\x05', '\0');
  const QByteArray record = BuildMemberRecord(blank, surname, firstName, number);
  if (file.write(record) != record.size()) {
    systemMessage(QStringLiteral("Erreur d'écriture! Code: ") + errorCode(file));
    return false;
  }
  if (!file.flush()) {
    systemMessage(QStringLiteral("Erreur à la fermeture! Code: ") + errorCode(file));
    return false;
  }
  file.close();
  return true;
}

bool RewriteMemberRecord(int index, const QString& surname, const QString& firstName, const QString& number) {
  LocateClubMembersFile();
  QFile file(platform::resolvePath(MembersDatLocation));
  if (!file.open(QIODevice::ReadWrite)) {
    systemMessage(QStringLiteral("Erreur à l'ouverture du fichier! Code: ") + errorCode(file));
    return false;
  }
  const qint64 size = file.size();
  if (index <= 0 || static_cast<qint64>(index) * kMemberRecordSize > size) {
    systemMessage(QStringLiteral("Index d'enregistrement hors limites pour ") + MembersDatLocation +
                  QStringLiteral(" (numBD=%1).").arg(index));
    return false;
  }
  qint64 position = static_cast<qint64>(index - 1) * kMemberRecordSize;
  file.seek(position);
  QByteArray record = file.read(kMemberRecordSize);
  if (!IsValidMemberRecord(record) && position + 1 + kMemberRecordSize <= size) {
    file.seek(position + 1);
    const QByteArray shifted = file.read(kMemberRecordSize);
    if (IsValidMemberRecord(shifted)) {
      ++position;
      record = shifted;
    }
  }
  if (record.size() != kMemberRecordSize) {
    systemMessage(QStringLiteral("Lecture incomplète (lu=%1).").arg(record.size()));
    return false;
  }
  record = BuildMemberRecord(record, surname, firstName, number);
  file.seek(position);
  const qint64 written = file.write(record);
  if (written != record.size() || !file.flush()) {
    systemMessage(QStringLiteral("Écriture incomplète (écrit=%1).").arg(std::max<qint64>(written, 0)));
    return false;
  }
  file.close();
  return true;
}

bool EndsWithLineBreak(const QString& fileName) {
  QFile file(platform::resolvePath(fileName));
  if (!file.open(QIODevice::ReadOnly) || file.size() < 2) return false;
  file.seek(file.size() - 2);
  return file.read(2) == "\r\n";
}

namespace {

QByteArray readPlayersFile() {
  QFile file(platform::resolvePath(playersFilePath()));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

void ReplacePlayerLine(int lineNumber, const QString& text) {
  QList<QByteArray> lines = readPlayersFile().split('\n');
  if (lineNumber < 1 || lineNumber > lines.size()) return;
  QByteArray& line = lines[lineNumber - 1];
  const bool lastWithoutEnd = lineNumber == lines.size();
  if (lastWithoutEnd && line.isEmpty()) return;  // the nothing after a final line end
  line = platform::toCp1252(text) + (line.endsWith('\r') ? QByteArray("\r") : QByteArray());
  TextFile out;
  SafeRewrite(out, playersFilePath());
  out.writeBytes(lines.join('\n'));
  CloseTextFile(out);
}

int FindPlayerLine(const QString& text) {
  const QStringList lines = DecodePlayerFileLines(readPlayersFile());
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (TrimText(lines[i]) == text) return static_cast<int>(i) + 1;
  return 0;
}

bool AddClubPlayer(const QString& firstNameTyped, const QString& surnameTyped, const QString& numberTyped) {
  const QString firstName = TrimText(firstNameTyped);
  const QString surname = TrimText(surnameTyped);
  const QString number = TrimText(numberTyped);
  if (firstName.isEmpty() && surname.isEmpty()) {
    ShowAlert(QStringLiteral("Il faut le prénom ou le nom."));
    return false;
  }
  if (number.isEmpty() && TableDevicesMode) {
    ShowAlert(QStringLiteral("Numéro obligatoire."));
    return false;
  }
  if (!number.isEmpty() && !IsInteger(number)) {
    ShowAlert(QStringLiteral("Numéro entier requis."));
    return false;
  }
  if (refusedTypedNames(firstName, surname)) return false;
  if (PlayerCount >= kMaxPlayers) {
    ShowAlert(QStringLiteral("Il y a déjà %1 joueurs: impossible d'en ajouter un autre...").arg(kMaxPlayers));
    return false;
  }
  // The member first: a players-file line without its record would vanish
  // at the next rebuild of the players file.
  if (!AppendMemberRecord(surname, firstName, number)) return false;
  const QString path = playersFilePath();
  const bool completeLastLine = platform::fileExists(path) && QFileInfo(platform::resolvePath(path)).size() > 0 &&
                                !EndsWithLineBreak(path);
  TextFile out;
  SafeAppend(out, path);
  if (completeLastLine) out.write(QStringLiteral("\r\n"));
  out.writeLine(surname + QLatin1Char(' ') + firstName + QLatin1Char(' ') + number);
  CloseTextFile(out);
  ++PlayerCount;
  PlayerNames[PlayerCount] = surname + QLatin1Char(' ') + firstName;
  PlayerFirstNames[PlayerCount] = firstName;
  PlayerLicences[PlayerCount] = number;
  AddPlayerToList(PlayerNames[PlayerCount]);
  return true;
}

bool ModifyClubPlayer(int member, const QString& firstNameTyped, const QString& surnameTyped,
                      const QString& numberTyped) {
  const QString firstName = TrimText(firstNameTyped);
  const QString surname = TrimText(surnameTyped);
  const QString number = TrimText(numberTyped);
  if (firstName.isEmpty() && surname.isEmpty()) {
    ShowAlert(QStringLiteral("Il faut que le prénom ou le nom soient remplis..."));
    return false;
  }
  if (number.isEmpty() && TableDevicesMode) {
    ShowAlert(QStringLiteral("Il faut que le numéro soit rempli..."));
    return false;
  }
  if (!IsInteger(number)) {
    ShowAlert(QStringLiteral("Le numéro doit être un nombre entier..."));
    return false;
  }
  if (refusedTypedNames(firstName, surname)) return false;
  if (member < 1 || member > std::min(MemberCount, kMaxPlayers)) return false;
  if (!RewriteMemberRecord(MemberRecordIndex[member], surname, firstName, number)) return false;

  const QString oldName = MemberField1[member] + QLatin1Char(' ') + MemberField2[member];
  const QString oldLine = oldName + QLatin1Char(' ') + MemberField3[member];
  const QString newName = surname + QLatin1Char(' ') + firstName;
  if (const int line = FindPlayerLine(oldLine); line > 0) ReplacePlayerLine(line, newName + QLatin1Char(' ') + number);
  const int players = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int k = 1; k <= players; ++k) {
    if (PlayerNames[k] != oldName) continue;
    PlayerNames[k] = newName;
    PlayerFirstNames[k] = firstName;
    PlayerLicences[k] = number;
    break;
  }
  bool wasFree = false;
  const int free = std::clamp(PlayerChoiceCount, 0, PlayerChoiceLines.capacity);
  for (int k = 1; k <= free; ++k) wasFree = wasFree || PlayerChoiceLines[k] == oldName;
  if (wasFree) {
    RemovePlayerFromList(oldName);
    AddPlayerToList(newName);
  }
  MemberField1[member] = surname;
  MemberField2[member] = firstName;
  MemberField3[member] = number;
  return true;
}

void SetMembersFileLocation(const QString& fileName) {
  if (TrimText(fileName).isEmpty()) return;
  WriteSettingLine(kMembersLocationFile, fileName);
  MembersDatLocation = fileName;
}

void ShowMembersWindow() {
  ui::Choice window;
  window.form = forms::MemberList;
  window.caption = QStringLiteral("Liste des joueurs");
  window.buttons = {QStringLiteral("&OK")};
  window.codes = {1};
  ui::Ask(window);
}

void ShowClubPlayers() {
  if (!ClubMode) {
    RebuildClubPlayersFile();  // says it is for the club only
    return;
  }
  RebuildClubPlayersFile();
  ShowMembersWindow();
}
