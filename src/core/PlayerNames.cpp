#include "core/PlayerNames.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Texts.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <vector>

QString ExtractPlayerName(const QString& line) {
  QString s = WithoutPairsSeparator(line);
  const qsizetype cut = s.indexOf(QLatin1Char('\\'));
  if (cut >= 0) s.truncate(cut);
  for (QChar& c : s)
    if (IsAsciiDigit(c)) c = QLatin1Char(' ');
  return TrimText(CollapseBlanks(s));
}

QString WithoutPairsSeparator(const QString& name) {
  QString s = name;
  s.replace(QChar(0x00A3), QLatin1Char(' '));
  // A line break would cut the pairs file's line in two.
  s.replace(QLatin1Char('\r'), QLatin1Char(' '));
  s.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return s;
}

QString TypedPlayerNameRefusal(const QString& name) {
  if (name.contains(QChar(0x00A3)))
    return QStringLiteral("Désolé, le caractère \"£\" ne peut pas faire partie d'un nom de joueur: \"") + name +
           QStringLiteral("\"");
  const QString lost = CharactersTheFilesLose(name);
  if (lost.isEmpty()) return {};
  return QStringLiteral("Désolé, les fichiers du tournoi ne peuvent pas garder ces caractères du nom \"") + name +
         QStringLiteral("\": ") + lost +
         QStringLiteral("\r\nIls y deviendraient des \"?\". Écrivez ce nom autrement (en lettres latines), SVP...");
}

bool RefuseTypedPlayerName(const QString& name) {
  const QString refusal = TypedPlayerNameRefusal(name);
  if (refusal.isEmpty()) return false;
  ShowAlert(refusal);
  return true;
}

QString CharactersTheFilesLose(const QString& name) {
  QStringList shown;
  for (const QString& c : platform::charactersOutsideCp1252(name)) {
    const char32_t code = c.size() == 2 ? QChar::surrogateToUcs4(c[0], c[1]) : c[0].unicode();
    const QChar::Category category = QChar::category(code);
    // Blanks, line breaks, format and combining marks cannot be seen alone.
    const bool invisible = (category >= QChar::Mark_NonSpacing && category <= QChar::Mark_Enclosing) ||
                           (category >= QChar::Separator_Space && category <= QChar::Other_NotAssigned);
    shown << (invisible ? QStringLiteral("U+%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper() : c);
  }
  return shown.join(QLatin1Char(' '));
}

void ReportNamesLosingCharacters(const QStringList& names, const QString& source) {
  constexpr qsizetype kNamesShown = 20;
  QStringList lines;
  qsizetype more = 0;
  QStringList seen;
  for (const QString& name : names) {
    if (seen.contains(name)) continue;
    seen << name;
    QString lost = CharactersTheFilesLose(name);
    if (name.contains(QChar(0x00A3))) lost = lost.isEmpty() ? QStringLiteral("£") : QStringLiteral("£ ") + lost;
    if (lost.isEmpty()) continue;
    if (lines.size() < kNamesShown)
      lines << QStringLiteral("\"") + name + QStringLiteral("\": ") + lost;
    else
      ++more;
  }
  if (lines.isEmpty()) return;
  if (more > 0) lines << QStringLiteral("... et %1 autre(s)").arg(more);
  ShowAlert(QStringLiteral("Attention! Les fichiers du tournoi ne peuvent pas garder certains caractères de ces noms (") +
            source + QStringLiteral("); ils y deviendront des \"?\" (un blanc pour \"£\"). Écrivez-les autrement (en lettres "
                           "latines), SVP:\r\n") +
            lines.join(QStringLiteral("\r\n")));
}

QString ExtractLicenceNumber(const QString& line) {
  QString s = line;
  const qsizetype cut = s.indexOf(QLatin1Char('\\'));
  if (cut >= 0) s.truncate(cut);
  for (QChar& c : s)
    if (!IsAsciiDigit(c)) c = QLatin1Char(' ');
  return TrimText(CollapseBlanks(s));
}

bool IsDefaultPlayerName(const QString& name) {
  if (name.size() < 2 || !QStringLiteral("NSEW").contains(name[0])) return false;
  const QString number = name.mid(1);
  bool ok = false;
  const int n = number.toInt(&ok);
  return ok && n >= 1 && n <= kMaxPairs && QString::number(n) == number;
}

void SortPlayerChoiceLines() {
  const int count = std::clamp(PlayerChoiceCount, 0, static_cast<int>(PlayerChoiceLines.capacity));
  std::vector<QString> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) lines.push_back(PlayerChoiceLines[i]);
  std::stable_sort(lines.begin(), lines.end());
  for (int i = 1; i <= count; ++i) PlayerChoiceLines[i] = lines[static_cast<std::size_t>(i - 1)];
}

void AddPlayerToList(const QString& name) {
  const QString trimmed = TrimText(name);
  if (trimmed.isEmpty() || IsDefaultPlayerName(trimmed)) return;
  if (PlayerChoiceCount < 0 || PlayerChoiceCount >= PlayerChoiceLines.capacity) return;
  ++PlayerChoiceCount;
  PlayerChoiceLines[PlayerChoiceCount] = name;
  SortPlayerChoiceLines();
}

void RemovePlayerFromList(const QString& name) {
  const int count = std::clamp(PlayerChoiceCount, 0, PlayerChoiceLines.capacity);
  int kept = 0;
  for (int i = 1; i <= count; ++i) {
    if (PlayerChoiceLines[i] == name) continue;
    PlayerChoiceLines[++kept] = PlayerChoiceLines[i];
  }
  for (int i = kept + 1; i <= count; ++i) PlayerChoiceLines[i].clear();
  PlayerChoiceCount = kept;
}
