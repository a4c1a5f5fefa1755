#include "core/Helpers.h"

#include "core/FormNames.h"
#include "platform/Cp1252.h"

#include <QRegularExpression>

#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/State.h"
#include "platform/TextFiles.h"

#include <QLocale>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <cmath>
#include <vector>

namespace {

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

QString TrimText(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first].unicode() <= ' ') ++first;
  while (last > first && text[last - 1].unicode() <= ' ') --last;
  return text.mid(first, last - first);
}

QString CollapseBlanks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' '))) continue;
    out += c;
  }
  return out;
}

QString FitToWidth(const QString& text, int width) {
  if (width <= 0) return {};
  return text.left(width).leftJustified(width, QLatin1Char(' '));
}

bool IsInteger(const QString& text) {
  qsizetype i = 0;
  if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
  if (i == text.size()) return false;
  for (qsizetype k = i; k < text.size(); ++k)
    if (!isAsciiDigit(text[k])) return false;
  bool ok = false;
  const qlonglong value = text.toLongLong(&ok);
  return ok && value >= INT32_MIN && value <= INT32_MAX;
}

double ParseDecimalNumber(const QString& text, bool* ok) {
  QString s = TrimText(text);
  s.replace(QLatin1Char(','), QLatin1Char('.'));
  bool valid = false;
  double value = QLocale::c().toDouble(s, &valid);
  if (!valid || !std::isfinite(value)) {
    valid = false;
    value = 0.0;
  }
  if (ok) *ok = valid;
  return value;
}

QString ApplySuitLetters(const QString& contract) {
  if (contract.size() < 2) return contract;
  static const QString kSuits = QStringLiteral("PCKT");  // order of SuitLetters
  const qsizetype suit = kSuits.indexOf(contract[1]);
  if (suit < 0) return contract;
  QString out = contract;
  out[1] = SuitLetters[static_cast<int>(suit) + 1];
  return out;
}

QString WithoutPairsSeparator(const QString& name) {
  QString s = name;
  s.replace(QChar(0x00A3), QLatin1Char(' '));
  // A line break would cut the pairs file's line in two.
  s.replace(QLatin1Char('\r'), QLatin1Char(' '));
  s.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return s;
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

bool RefuseTypedPlayerName(const QString& name) {
  if (name.contains(QChar(0x00A3))) {
    ShowAlert(QStringLiteral("Désolé, le caractère \"£\" ne peut pas faire partie d'un nom de joueur: \"") + name +
              QStringLiteral("\""));
    return true;
  }
  const QString lost = CharactersTheFilesLose(name);
  if (lost.isEmpty()) return false;
  ShowAlert(QStringLiteral("Désolé, les fichiers du tournoi ne peuvent pas garder ces caractères du nom \"") + name +
            QStringLiteral("\": ") + lost +
            QStringLiteral("\r\nIls y deviendraient des \"?\". Écrivez ce nom autrement (en lettres latines), SVP..."));
  return true;
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

QString ExtractPlayerName(const QString& line) {
  QString s = WithoutPairsSeparator(line);
  const qsizetype cut = s.indexOf(QLatin1Char('\\'));
  if (cut >= 0) s.truncate(cut);
  for (QChar& c : s)
    if (isAsciiDigit(c)) c = QLatin1Char(' ');
  return TrimText(CollapseBlanks(s));
}

QString ExtractLicenceNumber(const QString& line) {
  QString s = line;
  const qsizetype cut = s.indexOf(QLatin1Char('\\'));
  if (cut >= 0) s.truncate(cut);
  for (QChar& c : s)
    if (!isAsciiDigit(c)) c = QLatin1Char(' ');
  return TrimText(CollapseBlanks(s));
}

QString FormatPairNumber(int pair) {
  if (IsHowell) return QString::number(pair);
  if (pair > TableCount) return QStringLiteral("E") + QString::number(pair - TableCount);
  return QStringLiteral("N") + QString::number(pair);
}

void AppendScoreColumn(double value, QString& text) {
  if (value == 0.0 && !ImpScoring)
    text += QString(8, QLatin1Char('-'));
  else
    text += QString::number(value, 'f', 2).rightJustified(8, QLatin1Char(' '));
}

int ComputeMixingCount() {
  const int percent = (MixingPercent >= 0 && MixingPercent <= 100) ? MixingPercent : 10;  // outside: the default
  const int count = PairCount * percent / 100;
  return count / 2 * 2;
}

void ComputeDealCount() {
  const int last = std::min(ResultSlotCount, kMaxResultSlots);
  int highest = 0;
  for (int s = 1; s <= last; ++s) highest = std::max(highest, ResultBoard[s]);
  DealCount = highest;
}

void FindByePair() {
  ByeNsPair = 0;
  ByeEwPair = 0;
  ByePairNumber = 0;
  ByePresent = false;
  const int tables = std::clamp(TableCount, 0, kMaxTables);
  for (int s = 1; s <= tables; ++s) {
    if (PairLabels[s] == QLatin1String("BYE")) {
      ByeNsPair = s;
      ByePairNumber = s;
      ByePresent = true;
      return;
    }
  }
  const int last = std::min(2 * tables, kMaxPairs);
  for (int s = tables + 1; s <= last; ++s) {
    if (PairLabels[s] == QLatin1String("BYE")) {
      ByeEwPair = s;
      ByePairNumber = s;
      ByePresent = true;
      return;
    }
  }
}

void RemindByePair() {
  if (PairsEntered || !ByePresent) return;
  QString pair;
  if (!MitchellNumbering)
    pair = QString::number(ByePairNumber);
  else if (ByeNsPair > 0)
    pair = QStringLiteral("E/W ") + QString::number(ByeNsPair);
  else
    pair = QStringLiteral("N/S ") + QString::number(ByeEwPair - TableCount);
  ShowAlert(QStringLiteral("N'oubliez pas de rappeler à la paire ") + pair +
            QStringLiteral(" qu'ils ne jouent pas le premier tour (ils sont BYE) mais ils doivent quand même utiliser les ") +
            (BridgeMatesMode ? QStringLiteral("Bridgemates") : QStringLiteral("tablettes")) +
            QStringLiteral(" et introduire leurs noms..."));
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

QString ChooseFromList() {
  ui::ListChoice list;
  list.form = forms::ListChoice;
  list.caption = QStringLiteral("Choisissez");
  const int count = std::clamp(ChoiceListCount, 0, kMaxPlayers);
  for (int i = 1; i <= count; ++i) {
    const QString line = TrimText(ChoiceListItems[i]);
    if (!line.isEmpty()) list.lines << line;
  }
  const int chosen = ui::interaction().chooseLine(list);
  if (chosen >= 1 && chosen <= list.lines.size()) {
    ChoiceIndex = chosen;
    TypedSearchText = list.lines[chosen - 1];
  } else {
    ChoiceIndex = 0;
    TypedSearchText.clear();
  }
  return TypedSearchText;
}

QString ChoosePairName() {
  if (!platform::fileExists(ProgramFolder + QStringLiteral("PAIRES.TXT"))) {
    ShowAlert(QStringLiteral("Fonction \"!%$?=@&\" non disponible, pas de fichier de paires (PAIRES.TXT)"));
    return {};
  }
  return WithoutPairsSeparator(ChooseFromList()).left(50);
}

bool AskForText(const QString& caption, QString& text) {
  ui::TextQuestion question;
  question.form = forms::TextQuestion;
  question.caption = QStringLiteral("Question");
  question.prompt = caption;
  question.text = text;
  const std::optional<QString> answer = ui::interaction().askText(question);
  text = answer.value_or(QString());
  return answer.has_value();
}

namespace {

// Asks a whole number from 0 to maximum until the answer is one, each refusal
// said; 0 when the director cancels or leaves the field empty.
int AskWholeNumberUpTo(const QString& caption, int defaultValue, int maximum, const QString& aboveMaximum) {
  ui::TextQuestion question;
  question.form = forms::NumberQuestion;
  question.prompt = caption;
  if (defaultValue != -1) question.text = QString::number(defaultValue);
  for (;;) {
    const std::optional<QString> answer = ui::interaction().askText(question);
    if (!answer) return 0;
    const QString text = TrimText(*answer);
    if (text.isEmpty()) return 0;
    if (!IsInteger(text)) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + QStringLiteral("\" n'est pas un nombre entier!"));
      continue;
    }
    const int value = text.toInt();
    if (value < 0) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + QStringLiteral("\" n'est pas un nombre entier positif!"));
      continue;
    }
    if (value > maximum) {
      ShowAlert(QStringLiteral("Désolé, \"") + *answer + aboveMaximum);
      continue;
    }
    return value;
  }
}

}  // namespace

int AskNonNegativeInteger(const QString& caption, int defaultValue) {
  return AskWholeNumberUpTo(caption, defaultValue, std::numeric_limits<int>::max(), QString());
}

int AskPercentage(const QString& caption, int defaultValue) {
  return AskWholeNumberUpTo(caption, defaultValue, 100, QStringLiteral("\" n'est pas un pourcentage (de 0 à 100)!"));
}

void ShowWarningWindow(const QString& text) {
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
  ui::Ask({.form = forms::ComputationWarnings,
           .caption = QStringLiteral("Attention"),
           .text = text,
           .buttons = {QStringLiteral("&OK / ENTER / ESC / Echap")},
           .codes = {1},
           .extra = {{QStringLiteral("lines"), lines}}});
}

void ShowInfoWindow(const QString& text) {
  ui::interaction().choose({.form = forms::PbnDealsNotice,
                            .caption = QStringLiteral("Info"),
                            .text = text,
                            .buttons = {QStringLiteral("OK (ENTER/ESC)")},
                            .codes = {1}});
}

void SetPbnCountHidden(bool hidden) {
  const QString name = ProgramFolder + QStringLiteral("MSG2.TXT");
  if (!hidden) {
    platform::deleteFile(name);
    return;
  }
  TextFile file;
  SafeRewrite(file, name);
  file.writeLine(QStringLiteral("Ne plus afficher le nombre d'étuis lus dans le PBN"));
  CloseTextFile(file);
}

bool GetSpecialFolderPath(int folderId, QString& path) {
  if (GetSpecialFolder(folderId, path)) return true;
  path.clear();
  return false;
}
