#include "scoring/Contract.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "setup/PairLookups.h"

#include <set>

namespace {

const QChar kEnd(0xFFFF);  // past the end of the text

bool IsLevelDigit(QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); }
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsDeclarer(QChar c) {
  return c == QLatin1Char('N') || c == QLatin1Char('E') || c == QLatin1Char('S') || c == QLatin1Char('O');
}

// Reads the typed text one character at a time, upper-cased.
class ContractReader {
 public:
  explicit ContractReader(const QString& text) : text_(text) {}
  QChar next() {
    ++pos_;
    return pos_ < text_.size() ? text_[pos_].toUpper() : kEnd;
  }
  void stepBack() { --pos_; }
  // Characters after the one read last.
  qsizetype remaining() const { return text_.size() - 1 - pos_; }

 private:
  const QString& text_;
  qsizetype pos_ = 0;  // the first character is read apart
};

const QString kNotADigit = QStringLiteral("Doit commencer par un chiffre...");
const QString kLevelRange = QStringLiteral("Chiffre entre 1 et 7!");
const QString kBadStrain = QStringLiteral("Contrat doit être P/C/K/T/S!");
const QString kInconsistent = QStringLiteral("Incohérence dans le contrat Caractères \"X, N, S, E, O\"...");
const QString kBadSign = QStringLiteral("+ - ou =");
const QString kOneDigit = QStringLiteral("Un chiffre, SVP!");
const QString kSecondDigit = QStringLiteral("Un second chiffre éventuellement, SVP...");
const QString kTrailing = QStringLiteral("Caractères en trop après le résultat!");
const QString kBadCount = QStringLiteral("Nombre incorrect!");
const QString kEmpty = QStringLiteral("Chaîne vide dans \"Contract\"!");

struct ParseState {
  ContractOutcome outcome;
  int lastDigit = 0;
};

ParseState Parse(const QString& text, int board) {
  ParseState st;
  ContractOutcome& o = st.outcome;
  auto refuse = [&](const QString& message) {
    o.error = message;
    o.score = -1;
    return st;
  };
  if (text.isEmpty()) return refuse(kEmpty);

  const QChar first = text[0];
  if (!IsLevelDigit(first)) return refuse(kNotADigit);
  st.lastDigit = first.digitValue();
  o.level = st.lastDigit;
  if (o.level > 7) return refuse(kLevelRange);
  o.builtText = first;

  ContractReader in(text);
  const QChar strain = UpcaseSuitLetter(in.next());
  if (strain != QLatin1Char('C') && strain != QLatin1Char('K') && strain != QLatin1Char('P') &&
      strain != QLatin1Char('S') && strain != QLatin1Char('T'))
    return refuse(kBadStrain);
  o.strain = strain;
  o.builtText += strain;

  QChar c = in.next();
  QChar declarer;
  if (c == QLatin1Char('X')) {
    c = in.next();
    if (c == QLatin1Char('X')) {
      o.doubling = Doubling::Redoubled;
      o.builtText += QLatin1String("XX");
      declarer = in.next();
    } else {
      o.doubling = Doubling::Doubled;
      o.builtText += QLatin1Char('X');
      declarer = c;
    }
  } else if (c == QLatin1Char('C')) {
    o.doubling = Doubling::Doubled;
    o.builtText += QLatin1Char('X');
    declarer = in.next();
  } else if (c == QLatin1Char('S')) {
    c = in.next();
    if (IsDeclarer(c)) {
      o.doubling = Doubling::Redoubled;
      o.builtText += QLatin1String("XX");
      declarer = c;
    } else {
      declarer = QLatin1Char('S');  // South, undoubled: what follows is the result
      in.stepBack();
    }
  } else if (c == QLatin1Char('N') || c == QLatin1Char('E') || c == QLatin1Char('O')) {
    declarer = c;
  } else {
    return refuse(kInconsistent);
  }
  // After a doubling mark the declarer must still be one of the four seats.
  if (!IsDeclarer(declarer)) return refuse(kInconsistent);
  o.declarer = declarer;
  o.builtText += declarer;

  c = in.next();
  QChar sign;
  if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('='))
    sign = c;
  else if (c == kEnd)
    sign = QLatin1Char('=');
  else
    return refuse(kBadSign);
  o.builtText += sign;

  int count = 0;
  if (sign == QLatin1Char('=')) {
    if (c != kEnd && in.remaining() > 0) return refuse(kTrailing);
  } else {
    c = in.next();
    if (!IsLevelDigit(c)) return refuse(kOneDigit);
    st.lastDigit = c.digitValue();
    o.builtText += c;
    count = st.lastDigit;
    if (in.remaining() > 0) {
      c = in.next();
      if (!IsDigit(c)) return refuse(kSecondDigit);  // "-10": the second digit may be 0
      o.builtText += c;
      count = 10 * count + c.digitValue();
      if (c != QLatin1Char('0')) st.lastDigit = c.digitValue();
      if (in.remaining() > 0) return refuse(kTrailing);
    }
    if (sign == QLatin1Char('-')) count = -count;
  }
  if (o.level + count > 7 || o.level + count < -6) return refuse(kBadCount);
  o.overtricks = count;

  const int declarerScore = ContractScore(o.level, o.strain, o.doubling, DeclarerVulnerable(board, declarer), count);
  const bool northSouth = declarer == QLatin1Char('N') || declarer == QLatin1Char('S');
  o.score = northSouth ? declarerScore : -declarerScore;
  return st;
}

void Publish(const ParseState& st) {
  ContractTextBuilt = st.outcome.builtText;
  if (!st.outcome.declarer.isNull()) DeclarerLetter = st.outcome.declarer;
  if (st.lastDigit > 0) ContractLevel = st.lastDigit;
}

// Every score a contract can give, by vulnerability of the declaring side:
// made contracts and penalties (as positive numbers).
struct PossibleScores {
  std::set<int> made[2];
  std::set<int> penalties[2];
  PossibleScores() {
    const QChar strains[] = {QLatin1Char('T'), QLatin1Char('P'), QLatin1Char('S')};  // minor, major, no trump
    const Doubling doublings[] = {Doubling::None, Doubling::Doubled, Doubling::Redoubled};
    for (int vul = 0; vul < 2; ++vul)
      for (int level = 1; level <= 7; ++level)
        for (QChar strain : strains)
          for (Doubling d : doublings)
            for (int n = -6 - level; n <= 7 - level; ++n) {
              const int s = ContractScore(level, strain, d, vul == 1, n);
              if (n >= 0)
                made[vul].insert(s);
              else
                penalties[vul].insert(-s);
            }
  }
};

const PossibleScores& Possible() {
  static const PossibleScores table;
  return table;
}

}  // namespace

int ContractScore(int level, QChar strain, Doubling doubling, bool vulnerable, int overtricks) {
  const int factor = doubling == Doubling::None ? 1 : (doubling == Doubling::Doubled ? 2 : 4);
  if (overtricks < 0) {
    const int n = -overtricks;
    if (doubling == Doubling::None) return -(vulnerable ? 100 : 50) * n;
    int penalty = 200 * n - 100;
    if (vulnerable)
      penalty += 100 * n;
    else if (n >= 4)
      penalty += 100 * (n - 3);
    return -(doubling == Doubling::Redoubled ? 2 * penalty : penalty);
  }
  const bool minor = strain == QLatin1Char('K') || strain == QLatin1Char('T');
  const bool noTrump = strain == QLatin1Char('S');
  const int trickScore = ((minor ? 20 : 30) * level + (noTrump ? 10 : 0)) * factor;
  int score = trickScore;
  score += trickScore < 100 ? 50 : (vulnerable ? 500 : 300);
  if (doubling == Doubling::Doubled) score += 50;
  if (doubling == Doubling::Redoubled) score += 100;
  if (doubling == Doubling::None)
    score += overtricks * (minor ? 20 : 30);
  else
    score += overtricks * (vulnerable ? 200 : 100) * (doubling == Doubling::Redoubled ? 2 : 1);
  if (level == 6) score += vulnerable ? 750 : 500;
  if (level == 7) score += vulnerable ? 1500 : 1000;
  return score;
}

ContractOutcome ParseContract(const QString& text, int board) { return Parse(text, board).outcome; }

bool ParseLevelDigit(QChar c) {
  if (!IsLevelDigit(c)) return false;
  ContractLevel = c.digitValue();
  return true;
}

QChar UpcaseSuitLetter(QChar c) {
  const char l = c.toLatin1();
  if (l == 'c' || l == 'k' || l == 'p' || l == 't') return c.toUpper();
  return c;
}

bool ConfirmContractScore(const QString& message) {
  return ui::Ask({.form = forms::ScoreConfirmation,
                  .caption = QStringLiteral("Résultat"),
                  .text = message,
                  .buttons = {QStringLiteral("&OK"), QStringLiteral("ESC/Echap= &Annuler")},
                  .codes = {1, 0},
                  .cancelCode = 0}) == 1;
}

int ContractParser(const QString& text, bool confirm) {
  // The board is taken now: a device import may change CurrentBoard while the
  // confirmation is on screen.
  const ParseState st = Parse(text, CurrentBoard);
  const ContractOutcome& o = st.outcome;
  if (!o.valid()) {
    Publish(st);
    if (confirm) {
      if (text.isEmpty())
        ShowAlert(kEmpty);
      else
        ShowAlert(QLatin1Char('"') + text + QLatin1Char('"') + QStringLiteral("\r\n-> ") + o.error);
    }
    return -1;
  }
  if (!confirm) {
    Publish(st);
    return o.score;
  }
  const bool accepted = ConfirmContractScore(o.builtText + QStringLiteral(" : ") + QString::number(o.score));
  // Published after the window: a parse made meanwhile by a device import
  // must not stand for this one.
  Publish(st);
  return accepted ? o.score : -1;
}

QString ResultDeclarerText(int score, const QString& text, int board, bool byContracts, QChar lastDeclarer) {
  const QString unknown = QStringLiteral("?");
  if (score == 0 || score >= kScoreAverage) return unknown;
  const QString t = text.trimmed().toUpper();
  if (t == QLatin1String("PASSE") || t.contains(QLatin1String("AJU")) || t.contains(QLatin1String("MOY")))
    return unknown;
  if (byContracts && !t.isEmpty()) {
    // The declarer as the parser reads it ("S" after the strain is a
    // redouble, not South).
    const ContractOutcome parsed = ParseContract(t, board);
    QChar d = parsed.valid() ? parsed.declarer : QChar();
    if (d.isNull() && IsDeclarer(lastDeclarer)) d = lastDeclarer;
    if (!d.isNull()) return QString(d);
  }
  // A score typed as a number: the declaring side is known only when the
  // points can come from a made contract of one side and not from a penalty
  // of the other.
  const int vulNs = DeclarerVulnerable(board, QLatin1Char('N')) ? 1 : 0;
  const int vulEw = DeclarerVulnerable(board, QLatin1Char('E')) ? 1 : 0;
  const PossibleScores& p = Possible();
  const int points = score > 0 ? score : -score;
  const int vulScorer = score > 0 ? vulNs : vulEw;
  const int vulOther = score > 0 ? vulEw : vulNs;
  const bool madeByScorer = p.made[vulScorer].count(points) > 0;
  const bool otherWentDown = p.penalties[vulOther].count(points) > 0;
  const QString scorer = score > 0 ? QStringLiteral("N") : QStringLiteral("E");
  const QString other = score > 0 ? QStringLiteral("E") : QStringLiteral("N");
  if (madeByScorer && !otherWentDown) return scorer;
  if (otherWentDown && !madeByScorer) return other;
  return unknown;
}

QString ResultDeclarerText(int score, const QString& text) {
  return ResultDeclarerText(score, text, CurrentBoard, EntryByContracts, DeclarerLetter);
}
