#include "TablesService.h"

#include "core/CardLetters.h"
#include "core/DealAnalyses.h"
#include "core/Globals.h"
#include "core/PlayerNames.h"
#include "core/Settings.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "scoring/Contract.h"
#include "scoring/LeadCheck.h"
#include "setup/PairLookups.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tables {
namespace {

constexpr qsizetype kDeviceChars = 32;
constexpr int kMaxFailureEntries = 4096;
constexpr int kMaxNameChars = 100;
constexpr int kMaxLicenceChars = 20;
constexpr std::size_t kMaxDevices = 1024;
// A result remembered after its file went, while no echo came.
constexpr auto kEchoGap = std::chrono::seconds(10);
// A failed address is remembered this long after its last failure.
constexpr auto kFailureMemory = std::chrono::minutes(10);

Reply badRequest() { return ErrorReply(400, QStringLiteral("bad_request"), QStringLiteral("Requête incorrecte.")); }
Reply badBoard() {
  return ErrorReply(400, QStringLiteral("bad_board"), QStringLiteral("Cette donne n'est pas jouée à cette table."));
}
// The refusal of one more try, with the seconds to wait.
Reply waitReply(qint64 seconds) {
  Reply r = ErrorReply(
      429, QStringLiteral("wait"),
      QStringLiteral("Trop d'essais : réessayez dans %1 seconde%2.").arg(seconds).arg(seconds > 1 ? "s" : ""));
  r.body.insert(QStringLiteral("wait"), seconds);
  return r;
}
// The board file's row and the echo are of the same two pairs: the row gives
// them as the slot stores them, the echo as they sat (exchanged when the
// director swapped the result's sides).
bool samePairs(const FrequencyRow& row, const EchoLine& echo) {
  return (row.ns == echo.ns && row.ew == echo.ew) || (row.ns == echo.ew && row.ew == echo.ns);
}

Reply writeFailed() {
  return ErrorReply(500, QStringLiteral("write_failed"),
                    QStringLiteral("Écriture impossible sur l'ordinateur : prévenez l'arbitre."));
}

// A whole number of the body, or nothing when it is absent, not whole or
// beyond what an int holds (checked before the cast).
std::optional<int> wholeNumber(const QJsonObject& body, const char* key) {
  const QJsonValue v = body.value(QLatin1String(key));
  if (!v.isDouble()) return std::nullopt;
  const double d = v.toDouble();
  if (!std::isfinite(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max() ||
      d != std::trunc(d))
    return std::nullopt;
  return static_cast<int>(d);
}

// A file's identity (device, inode, size, time).
QByteArray stampOf(const struct stat& st) {
  return QByteArray::number(quint64(st.st_dev)) + ' ' + QByteArray::number(quint64(st.st_ino)) + ' ' +
         QByteArray::number(qint64(st.st_size)) + ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + ' ' +
         QByteArray::number(qint64(st.st_mtim.tv_nsec));
}
// The same by the file's path, "" when it is missing.
QByteArray stampOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(platform::resolvePath(path)).constData(), &st) != 0) return {};
  return stampOf(st);
}

QString macOf(const QByteArray& key, const QString& device) {
  return QString::fromLatin1(
      QMessageAuthenticationCode::hash(device.toLatin1(), key, QCryptographicHash::Sha256).toHex().left(kDeviceChars));
}

bool isHex(const QString& text) {
  for (QChar c : text)
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
  return true;
}

// Two texts compared in a time that does not tell where they differ.
bool sameText(const QString& a, const QString& b) {
  if (a.size() != b.size()) return false;
  unsigned diff = 0;
  for (qsizetype i = 0; i < a.size(); ++i) diff |= a[i].unicode() ^ b[i].unicode();
  return diff == 0;
}

// A seat's placeholder: its letter, then digits ("N1", "O4").
bool isSeatPlaceholder(QStringView text, const char* letters) {
  if (text.size() < 2 || !QLatin1String(letters).contains(text[0])) return false;
  for (QChar c : text.mid(1))
    if (!c.isDigit()) return false;
  return true;
}

// The label the program gives a pair created in advance, before its players
// are known: "N1 - S1", "E4 - O4".
bool isPlaceholderLabel(const QString& label) {
  const qsizetype dash = label.indexOf(QLatin1String(" - "));
  return dash > 0 && isSeatPlaceholder(QStringView(label).left(dash), "NE") &&
         isSeatPlaceholder(QStringView(label).mid(dash + 3), "SOW");
}

QJsonValue optionalValue(const std::optional<int>& v) { return v ? QJsonValue(*v) : QJsonValue(); }

// The N/S score of a result the program holds: a contract's by the contract
// routine, 0 for a passed board, none otherwise.
QJsonValue echoScore(const QString& contract, int board) {
  if (contract == QLatin1String("PASSE")) return 0;
  const ContractOutcome parsed = ParseContract(contract, board);
  return parsed.valid() ? QJsonValue(parsed.score) : QJsonValue();
}

// A name typed at a table as the program can store it, as the desk would
// take it: Windows-1252 text without control characters, without the
// players file's separators ("@", "&") nor the pairs file's ("£"), and not
// the BYE (the program leaves a seat holding the word "BYE" empty).
std::optional<QString> acceptableName(const QString& raw) {
  for (QChar c : raw)
    if (c.category() == QChar::Other_Control) return std::nullopt;
  if (!CharactersTheFilesLose(raw).isEmpty()) return std::nullopt;  // before blanks of all kinds become one
  const QString name = raw.simplified();
  if (name.size() > kMaxNameChars || name.contains(u'@') || name.contains(u'&') || name.contains(u'\u00A3'))
    return std::nullopt;
  if (!CharactersTheFilesLose(name).isEmpty() || platform::fromCp1252(platform::toCp1252(name)) != name)
    return std::nullopt;
  static const QRegularExpression bye(QStringLiteral("\\bBYE\\b"));
  if (name.contains(bye) || name.compare(QLatin1String("BYE"), Qt::CaseInsensitive) == 0) return std::nullopt;
  return name;
}

}  // namespace

Reply ErrorReply(int status, const QString& code, const QString& message) {
  return {status, QJsonObject{{QStringLiteral("error"), code}, {QStringLiteral("message"), message}}};
}

QString AddressGroup(const QString& peer) {
  if (!peer.contains(u':')) return peer;
  QStringList groups = peer.split(u':');
  const qsizetype gap = groups.indexOf(QString());
  if (gap >= 0) {
    groups.removeAll(QString());
    while (groups.size() < 8) groups.insert(gap, QStringLiteral("0"));
  }
  return groups.mid(0, 4).join(u':') + QStringLiteral("::/64");
}

TablesService::TablesService(QString exchange, QString programFolder, Clock clock)
    : folder_(std::move(exchange)),
      programFolder_(std::move(programFolder)),
      clock_(std::move(clock)),
      code_(qEnvironmentVariable("TALVARON_TABLES_CODE")) {
  if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

std::optional<TablesService::Session> TablesService::session() {
  const QString path = platform::resolvePath(folder_.prefsFile());
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const QByteArray stamp = stampOf(st);
  const std::lock_guard<std::mutex> guard(mutex_);
  if (session_ && session_->stamp == stamp) return session_;
  const std::optional<QByteArray> bytes = platform::readRegularFile(path, 4096);
  if (!bytes) return std::nullopt;
  const QStringList lines = platform::splitLines(platform::decodeText(*bytes));
  const std::optional<Prefs> prefs = lines.isEmpty() ? std::nullopt : ParsePrefsLine(lines[0]);
  if (!prefs) return std::nullopt;
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData("talvaron-tables\n");
  hash.addData(stamp);
  hash.addData(*bytes);
  Session s{stamp, *prefs, hash.result()};
  if (!session_ || session_->key != s.key) {
    // A new evening (or this server's first request): every table is free.
    holders_.clear();
    tableChanges_.clear();
    takenOver_.clear();
    lookUps_.clear();
    written_.clear();
    movements_.clear();
    if (platform::fileExists(folder_.holdersFile())) writeHolders();
  }
  session_ = s;
  return s;
}

std::optional<Reply> TablesService::checkToken(const QString& token, Session& s, QString& device) {
  const std::optional<Session> current = session();
  if (!current)
    return ErrorReply(503, QStringLiteral("no_tournament"), QStringLiteral("Aucun tournoi avec tablettes n'est en cours."));
  s = *current;
  const qsizetype dot = token.indexOf(u'.');
  device = token.left(dot);
  if (dot != kDeviceChars || !isHex(device) || !sameText(token.mid(dot + 1), macOf(s.key, device)))
    return ErrorReply(401, QStringLiteral("token"), QStringLiteral("Appareil non reconnu : entrez le mot de passe."));
  return std::nullopt;
}

std::optional<Reply> TablesService::unknownTable(const Session& s, int table) {
  if (table < 1 || table > s.prefs.tableCount || !platform::fileExists(folder_.movementFile(table)))
    return ErrorReply(400, QStringLiteral("bad_table"),
                      QStringLiteral("Table inconnue : choisissez un numéro entre 1 et %1.").arg(s.prefs.tableCount));
  return std::nullopt;
}

std::optional<Reply> TablesService::checkTable(const Session& s, const QString& device, int table) {
  if (auto refused = unknownTable(s, table)) return refused;
  const std::lock_guard<std::mutex> guard(mutex_);
  const auto holder = holders_.find(table);
  // Asking about a table is no choice of it: after a restart the page
  // chooses its table again.
  if (holder == holders_.end())
    return ErrorReply(409, QStringLiteral("table_free"),
                      QStringLiteral("La table %1 n'est tenue par aucun appareil : choisissez-la.").arg(table));
  if (holder->second.device != device)
    return ErrorReply(409, QStringLiteral("table_lost"),
                      QStringLiteral("Un autre appareil a repris la table %1.").arg(table));
  return std::nullopt;
}

std::optional<Reply> TablesService::authorise(const QString& token, int table, Session& s, QString& device) {
  if (auto refused = checkToken(token, s, device)) return refused;
  return checkTable(s, device, table);
}

std::mutex& TablesService::tableLock(int table) {
  const std::lock_guard<std::mutex> guard(mutex_);
  std::unique_ptr<std::mutex>& lock = tableLocks_[table];
  if (!lock) lock = std::make_unique<std::mutex>();
  return *lock;
}

std::optional<Reply> TablesService::checkCaller(const QString& token, const QString& description) {
  Session s;
  QString device;
  if (auto refused = checkToken(token, s, device)) return refused;
  if (!description.isEmpty()) {
    const std::lock_guard<std::mutex> guard(mutex_);
    if (devices_.size() >= kMaxDevices && !devices_.contains(device)) {
      // Keep the holders' names only.
      std::erase_if(devices_, [this](const auto& d) {
        return std::none_of(holders_.begin(), holders_.end(), [&](const auto& h) { return h.second.device == d.first; });
      });
    }
    if (devices_.size() < kMaxDevices) devices_[device] = description;
  }
  return std::nullopt;
}

QString TablesService::describe(const QString& device) const {
  const auto found = devices_.find(device);
  QString text = found != devices_.end() ? found->second : QStringLiteral("Appareil ") + device.left(6);
  text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
  return text;
}

void TablesService::writeHolders() {
  QByteArray bytes;
  for (const auto& [table, holder] : holders_)
    if (!holder.device.isEmpty())
      bytes += (exchange::TableHolderLine(
                    {table, describe(holder.device), holder.since.toString(QStringLiteral("HH:mm:ss"))}) +
                QStringLiteral("\r\n"))
                   .toUtf8();
  try {
    platform::TextWriter writer;
    writer.open(folder_.holdersFile(), platform::WriteMode::Rewrite);
    writer.writeBytes(bytes);
    writer.close();
  } catch (const platform::IoError&) {
    // Only shown to the director: the tables go on.
  }
}

bool TablesService::leadsAsked() const {
  return !programFolder_.isEmpty() && platform::fileExists(programFolder_ + u'/' + kAskLeadFile);
}

// The wait before another guess: the address's own, and the whole server's
// once the address has used its free failures (mutex_ held). An address
// still within them is judged on its own count, so that strangers failing
// elsewhere never keep out a phone that types the right code; one the
// server has no room to remember waits with the whole server.
std::optional<Reply> TablesService::waitBeforeGuessing(const QString& key, std::chrono::steady_clock::time_point now) {
  while (!serverFailures_.empty() && now - serverFailures_.front() >= std::chrono::minutes(1)) serverFailures_.pop_front();
  std::chrono::steady_clock::time_point until{};
  const auto found = failures_.find(key);
  const bool ownCount = found != failures_.end() ? found->second.count < kFreeFailures
                                                 : failures_.size() < static_cast<std::size_t>(kMaxFailureEntries);
  if (!ownCount && serverFailures_.size() >= static_cast<std::size_t>(kServerFailuresPerMinute))
    until = serverFailures_.front() + std::chrono::minutes(1);
  if (found != failures_.end()) until = std::max(until, found->second.until);
  if (now >= until) return std::nullopt;
  return waitReply(std::chrono::ceil<std::chrono::seconds>(until - now).count());
}

Reply TablesService::join(const QJsonObject& body, const QString& peer, const QString& description) {
  const QJsonValue typed = body.value(QLatin1String("password"));
  if (!typed.isString()) return badRequest();
  const std::optional<Session> s = session();
  if (!s)
    return ErrorReply(503, QStringLiteral("no_tournament"), QStringLiteral("Aucun tournoi avec tablettes n'est en cours."));
  const auto now = clock_();
  const QString key = AddressGroup(peer);
  const std::lock_guard<std::mutex> guard(mutex_);
  if (auto wait = waitBeforeGuessing(key, now)) return *wait;
  // While the password is the program's built-in one (known to anyone who
  // has seen the program) or empty, the evening's code stands for it.
  // Either is compared exactly, every character and its case: the password
  // window and the join page say so. Folding the case would also fold
  // letters the director never typed ("ſ" for "s").
  const QString& expected = TablesJoinWithTheCode(s->prefs.password) ? code_ : s->prefs.password;
  if (expected.isEmpty() || !sameText(typed.toString(), expected)) {
    serverFailures_.push_back(now);
    if (failures_.size() >= kMaxFailureEntries)
      std::erase_if(failures_, [&](const auto& f) { return f.second.until <= now && now - f.second.last > kFailureMemory; });
    // A table full of addresses still waiting keeps them all: the others
    // are held by the whole server's limit.
    if (failures_.size() < kMaxFailureEntries || failures_.contains(key)) {
      Failures& f = failures_[key];
      ++f.count;
      f.last = now;
      if (f.count >= kFreeFailures) {
        const int shift = std::min(f.count - kFreeFailures, 6);
        f.until = now + std::chrono::seconds(std::min(1 << shift, kLongestWaitSeconds));
      }
    }
    return ErrorReply(403, QStringLiteral("password"), QStringLiteral("Mot de passe incorrect."));
  }
  failures_.erase(key);
  const QString device =
      QString::fromLatin1(QByteArray::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, '0') +
                          QByteArray::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, '0'));
  if (!description.isEmpty() && devices_.size() < kMaxDevices) devices_[device] = description;
  return {200, QJsonObject{{QStringLiteral("token"), device + u'.' + macOf(s->key, device)},
                           {QStringLiteral("tables"), s->prefs.tableCount}}};
}

std::optional<std::chrono::seconds> TablesService::tableChangeWait(const QString& device,
                                                                  std::chrono::steady_clock::time_point now) {
  const auto window = std::chrono::minutes(kTableChangeMinutes);
  const auto found = tableChanges_.find(device);
  if (found == tableChanges_.end()) return std::nullopt;
  std::deque<std::chrono::steady_clock::time_point>& changes = found->second;
  while (!changes.empty() && now - changes.front() >= window) changes.pop_front();
  if (changes.size() < static_cast<std::size_t>(kTableChangesPerDevice)) return std::nullopt;
  return std::chrono::ceil<std::chrono::seconds>(changes.front() + window - now);
}

Reply TablesService::claim(const QString& token, const QJsonObject& body) {
  Session s;
  QString device;
  if (auto refused = checkToken(token, s, device)) return *refused;
  const std::optional<int> table = wholeNumber(body, "table");
  if (!table) return badRequest();
  if (auto refused = unknownTable(s, *table)) return *refused;
  const bool takeover = body.value(QLatin1String("takeover")).toBool(false);
  const auto now = clock_();
  const std::lock_guard<std::mutex> guard(mutex_);
  const auto held = holders_.find(*table);
  const QString before = held != holders_.end() ? held->second.device : QString();
  if (before == device) return {200, QJsonObject{{QStringLiteral("table"), *table}}};
  if (!before.isEmpty() && !takeover)
    return ErrorReply(
        409, QStringLiteral("table_taken"),
        QStringLiteral("La table %1 est déjà tenue par un autre appareil. Voulez-vous la reprendre ?").arg(*table));
  // A loop of takeovers between devices costs the other tables their disk
  // and fills the director's log: each device and each table are held back.
  std::optional<std::chrono::seconds> wait = tableChangeWait(device, now);
  if (const auto last = takenOver_.find(*table); !before.isEmpty() && last != takenOver_.end()) {
    const auto rest = last->second + std::chrono::seconds(kTakeoverRestSeconds) - now;
    if (rest > rest.zero())
      wait = std::max(wait.value_or(std::chrono::seconds(0)), std::chrono::ceil<std::chrono::seconds>(rest));
  }
  if (wait) return waitReply(wait->count());

  const QDateTime since = QDateTime::currentDateTime();
  if (!before.isEmpty()) {
    // Taken over once the page asked the player: the director reads who
    // took which table from whom.
    takenOver_[*table] = now;
    try {
      platform::TextWriter log;
      log.open(folder_.takeoverLog(), platform::WriteMode::Append);
      log.writeBytes((since.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("\tTable %1\t").arg(*table) +
                      describe(before) + QStringLiteral(" -> ") + describe(device) + QStringLiteral("\r\n"))
                         .toUtf8());
      log.close();
    } catch (const platform::IoError&) {
      // The takeover stands; only its record is missing.
    }
  }
  // One table at a time: the one the device held is free again.
  std::erase_if(holders_, [&](const auto& h) { return h.second.device == device; });
  holders_[*table] = {device, since};
  if (tableChanges_.size() >= kMaxDevices && !tableChanges_.contains(device)) {
    std::erase_if(tableChanges_, [&](const auto& c) {
      return c.second.empty() || now - c.second.back() >= std::chrono::minutes(kTableChangeMinutes);
    });
    if (tableChanges_.size() >= kMaxDevices) tableChanges_.erase(tableChanges_.begin());
  }
  tableChanges_[device].push_back(now);
  writeHolders();
  return {200, QJsonObject{{QStringLiteral("table"), *table}}};
}

std::vector<MovementLine> TablesService::movementOf(int table) {
  const QString path = folder_.movementFile(table);
  const QByteArray stamp = stampOf(path);  // taken before the read: a change while reading shows next time
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    const auto found = movements_.find(table);
    if (found != movements_.end() && found->second.stamp == stamp) return found->second.lines;
  }
  std::vector<MovementLine> lines = ParseMovement(ReadExchangeLines(path).value_or(QStringList()));
  const std::lock_guard<std::mutex> guard(mutex_);
  movements_[table] = {stamp, lines};
  return lines;
}

std::optional<TablesService::Seat> TablesService::seatOfBoard(int table, int round, int board) {
  const std::optional<Session> s = session();
  if (!s) return std::nullopt;
  for (const MovementLine& m : movementOf(table)) {
    if ((round != 0 && m.round != round) || m.ns == 0 || m.ew == 0 || m.boardSet < 1) continue;
    const int first = (m.boardSet - 1) * s->prefs.boardsPerTable + 1;
    if (board >= first && board < first + s->prefs.boardsPerTable) return Seat{m.round, m.ns, m.ew};
  }
  return std::nullopt;
}

QJsonObject TablesService::boardState(int table, int board) {
  QJsonObject b{{QStringLiteral("board"), board},
                {QStringLiteral("dealer"), QString(QLatin1Char("NESO"[(board - 1 + 4000) % 4]))},
                {QStringLiteral("vulnerable"), VulnerabilityText(board)}};
  // The echo's stamp is taken before it is read: a change while reading shows next time.
  const QByteArray echoStamp = stampOf(folder_.echoFile(table, board));
  QJsonValue echo;
  QString echoed;  // the result the program holds ("" none)
  if (const auto lines = ReadExchangeLines(folder_.echoFile(table, board), 4096); lines && !lines->isEmpty()) {
    const std::optional<EchoLine> e = ParseEchoLine(lines->first());
    if (e && e->board == board && !ValueOfEcho(*e).isEmpty()) {
      echo = QJsonObject{{QStringLiteral("declarer"), e->declarer},
                         {QStringLiteral("contract"), e->contract},
                         {QStringLiteral("score"), echoScore(e->contract.toUpper(), board)}};
      echoed = ValueOfEcho(*e);
    }
  }
  const bool held = !echo.isNull();
  QString current = echoed;
  QJsonValue pending;
  const auto lines = ReadExchangeLines(folder_.resultFile(table, board), 4096);
  // A line the program would not read is not a result waiting for it.
  const std::optional<exchange::ResultFileRecord> sent =
      lines && !lines->isEmpty() ? ParseResultFileLine(lines->first()) : std::nullopt;
  if (sent) {
    pending = QJsonObject{{QStringLiteral("text"), sent->text}};
    current = ResultValue(sent->result);
  } else {
    // Taken by the program: until its echo is written, the board is as this
    // server wrote it.
    const std::lock_guard<std::mutex> guard(mutex_);
    const auto found = written_.find({table, board});
    if (found != written_.end()) {
      Written& w = found->second;
      const auto now = clock_();
      if (!w.goneSince) w.goneSince = now;
      // The echo of a result written before this one, come late: this one
      // still waits for its own.
      const qsizetype late = echoStamp != w.echoStamp ? w.earlier.indexOf(echoed) : -1;
      if (late >= 0) {
        w.earlier.remove(0, late + 1);
        w.echoStamp = echoStamp;
      }
      if (echoStamp != w.echoStamp || now - *w.goneSince > kEchoGap) {
        written_.erase(found);
      } else {
        pending = QJsonObject{{QStringLiteral("text"), w.text}};
        current = w.value;
      }
    }
  }
  QJsonValue frequency;
  if (held) {
    if (const auto lines = ReadExchangeLines(folder_.boardFile(board))) {
      QJsonArray rows;
      for (FrequencyRow r : ParseBoardFile(*lines)) {
        if (r.contract == QLatin1String("AJU") && !r.nsPercent) splitOf(board, r);
        rows.append(QJsonObject{{QStringLiteral("contract"), r.contract},
                                {QStringLiteral("declarer"), r.declarer},
                                {QStringLiteral("score"), optionalValue(r.score)},
                                {QStringLiteral("ns"), r.ns},
                                {QStringLiteral("nsPercent"), optionalValue(r.nsPercent)},
                                {QStringLiteral("ew"), r.ew},
                                {QStringLiteral("ewPercent"), optionalValue(r.ewPercent)},
                                {QStringLiteral("lead"), r.lead}});
      }
      frequency = rows;
    }
  }
  b.insert(QStringLiteral("current"), current);
  // Settled by the director at the desk: his words for the players.
  const std::optional<SlotResult> settled = exchange::ParseSettledBoardFile(
      ReadExchangeLines(folder_.settledFile(table, board), exchange::kSettledBoardFileBytes).value_or(QStringList()));
  b.insert(QStringLiteral("settled"), settled ? QJsonValue(exchange::SettledResultLine(*settled)) : QJsonValue());
  b.insert(QStringLiteral("pending"), pending);
  b.insert(QStringLiteral("echo"), echo);
  b.insert(QStringLiteral("frequency"), frequency);
  return b;
}

std::optional<QString> TablesService::heldLead(int table, int board) {
  const auto lines = ReadExchangeLines(folder_.echoFile(table, board), 4096);
  const std::optional<EchoLine> e = lines && !lines->isEmpty() ? ParseEchoLine(lines->first()) : std::nullopt;
  if (!e || e->board != board) return std::nullopt;
  if (e->lead) return e->lead;
  // The tablets' echo carries no lead: the board file's row of the two pairs
  // does, once it holds the echoed result.
  for (const FrequencyRow& r : ParseBoardFile(ReadExchangeLines(folder_.boardFile(board)).value_or(QStringList())))
    if (samePairs(r, *e) && r.contract == e->contract && r.declarer == e->declarer) return r.lead;
  return std::nullopt;
}

void TablesService::splitOf(int board, FrequencyRow& row) {
  // The board files give an arbitral score without its split; the echo of
  // the table where the two pairs met still holds it ("60 - 40").
  const std::optional<Session> s = session();
  for (int t = 1; s && t <= s->prefs.tableCount; ++t) {
    const auto lines = ReadExchangeLines(folder_.echoFile(t, board), 4096);
    const std::optional<EchoLine> e = lines && !lines->isEmpty() ? ParseEchoLine(lines->first()) : std::nullopt;
    if (!e || e->board != board || !samePairs(row, *e)) continue;
    const QStringList split = ValueOfEcho(*e).split(QStringLiteral(" - "));
    bool ok[2] = {};
    const int ns = split.size() == 2 ? split[0].toInt(&ok[0]) : 0;
    const int ew = split.size() == 2 ? split[1].toInt(&ok[1]) : 0;
    if (ok[0] && ok[1]) {
      row.nsPercent = ns;
      row.ewPercent = ew;
    }
    return;
  }
}

QJsonValue TablesService::whereNext(int pair, int round, const std::vector<std::vector<MovementLine>>& movements,
                                    const std::vector<ByeLine>& byes) {
  if (pair <= 0) return {};
  const auto place = [](int table, bool ns, bool sitOut) {
    return QJsonObject{{QStringLiteral("table"), table},
                       {QStringLiteral("direction"), ns ? QStringLiteral("N/S") : QStringLiteral("E/W")},
                       {QStringLiteral("sitOut"), sitOut}};
  };
  for (const auto& movement : movements)
    for (const MovementLine& m : movement)
      if (m.round == round && (m.ns == pair || m.ew == pair)) return place(m.table, m.ns == pair, m.ns == 0 || m.ew == 0);
  for (const ByeLine& b : byes)
    if (b.round == round && (b.ns == pair || b.ew == pair)) return place(b.table, b.ns == pair, true);
  return {};
}

Reply TablesService::state(const QString& token, int table) {
  Session s;
  QString device;
  if (auto refused = authorise(token, table, s, device)) return *refused;
  const Prefs& p = s.prefs;
  // Every table's movement, to tell each pair where it plays next.
  std::vector<std::vector<MovementLine>> movements;
  for (int t = 1; t <= p.tableCount; ++t) movements.push_back(movementOf(t));
  // The program writes a table's rounds in the order of its boards.
  std::vector<MovementLine> movement = movements[table - 1];
  std::stable_sort(movement.begin(), movement.end(),
                   [](const MovementLine& a, const MovementLine& b) { return a.round < b.round; });
  const std::vector<ByeLine> byes = ParseByeList(ReadExchangeLines(folder_.byeFile()).value_or(QStringList()));
  const auto shown = [&](int ew) { return p.mitchellNumbering() && ew > p.tableCount ? ew - p.tableCount : ew; };
  const auto name = [&](int pair, bool eastWest) {
    return pair > 0 ? ReadExchangeText(folder_.pairNameFile(pair, eastWest, p)) : QString();
  };
  QJsonArray rounds;
  QString firstNames;
  int onRound = 0;
  for (const MovementLine& m : movement) {
    int ns = m.ns;
    int ew = m.ew;
    const bool sitOut = ns == 0 || ew == 0 || m.boardSet < 1;
    if (ns == 0 && ew == 0) {
      // Only one pair sits here: the sit-out list names it.
      for (const ByeLine& b : byes)
        if (b.round == m.round && b.table == table) {
          ns = b.ns;
          ew = b.ew;
          break;
        }
    }
    QJsonArray boards;
    if (!sitOut) {
      const int first = (m.boardSet - 1) * p.boardsPerTable + 1;
      for (int board = first; board < first + p.boardsPerTable; ++board) {
        const QJsonObject state = boardState(table, board);
        if (onRound == 0 && state.value(QLatin1String("current")).toString().isEmpty() &&
            state.value(QLatin1String("settled")).isNull())
          onRound = m.round;
        boards.append(state);
      }
    }
    const QString nsName = name(ns, false);
    const QString ewName = name(ew, true);
    if (rounds.isEmpty()) firstNames = ns > 0 ? nsName : ewName;
    QJsonValue next;
    if (&m != &movement.back())
      next = QJsonObject{{QStringLiteral("ns"), whereNext(ns, (&m + 1)->round, movements, byes)},
                         {QStringLiteral("ew"), whereNext(ew, (&m + 1)->round, movements, byes)}};
    rounds.append(QJsonObject{{QStringLiteral("round"), m.round},
                              {QStringLiteral("ns"), ns},
                              {QStringLiteral("ew"), ew},
                              {QStringLiteral("nsShown"), ns},
                              {QStringLiteral("ewShown"), shown(ew)},
                              {QStringLiteral("nsName"), nsName},
                              {QStringLiteral("ewName"), ewName},
                              {QStringLiteral("sitOut"), sitOut},
                              {QStringLiteral("next"), next},
                              {QStringLiteral("boards"), boards}});
  }
  // Sent and not yet read, or read: the first round's pair then bears names,
  // no longer the program's "N1 - S1" or "E4 - O4" nor a seat left empty.
  bool sentHere = false;
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    const auto sent = playersSent_.find(table);
    sentHere = sent != playersSent_.end() && sent->second == s.key;
  }
  const bool playersDone = sentHere || platform::fileExists(folder_.playersFile(table)) ||
                           (!firstNames.isEmpty() && !firstNames.contains(QLatin1String("***")) &&
                            !isPlaceholderLabel(firstNames));
  return {200, QJsonObject{{QStringLiteral("table"), table},
                           {QStringLiteral("tables"), p.tableCount},
                           {QStringLiteral("boardsPerTable"), p.boardsPerTable},
                           {QStringLiteral("round"), onRound != 0 ? onRound : movement.empty() ? 0 : movement.back().round},
                           {QStringLiteral("leads"), leadsAsked()},
                           {QStringLiteral("players"), QJsonObject{{QStringLiteral("needed"), !p.pairsEntered},
                                                                  {QStringLiteral("done"), playersDone}}},
                           {QStringLiteral("rounds"), rounds}}};
}

std::optional<std::chrono::seconds> TablesService::lookUpWait(int table) {
  const auto now = clock_();
  const auto every = std::chrono::seconds(kLookUpEverySeconds);
  const std::lock_guard<std::mutex> guard(mutex_);
  LookUps& l = lookUps_.try_emplace(table, LookUps{kLookUpsAtOnce, now}).first->second;
  const auto back = (now - l.counted) / every;
  l.left = static_cast<int>(std::min<std::int64_t>(kLookUpsAtOnce, l.left + back));
  l.counted = l.left == kLookUpsAtOnce ? now : l.counted + back * every;
  if (l.left == 0) return std::chrono::ceil<std::chrono::seconds>(l.counted + every - now);
  --l.left;
  return std::nullopt;
}

std::shared_ptr<const PlayersIndex> TablesService::playersIndex() {
  const QString path = folder_.playersListFile();
  const QByteArray stamp = path.isEmpty() ? QByteArray() : stampOf(path);  // before the read, as for the movements
  const std::lock_guard<std::mutex> guard(playersMutex_);
  if (!players_.index || players_.path != path || players_.stamp != stamp) {
    const auto lines = ReadExchangeLines(path, 1 << 20);
    players_ = {path, stamp, std::make_shared<const PlayersIndex>(ParsePlayersList(lines.value_or(QStringList())))};
  }
  return players_.index;
}

Reply TablesService::findPlayers(const QString& token, int table, const QString& licence, const QString& name) {
  Session s;
  QString device;
  if (auto refused = authorise(token, table, s, device)) return *refused;
  const QString wantedLicence = licence.trimmed();
  const QString wantedName = name.simplified();
  if (wantedLicence.isEmpty() == wantedName.isEmpty() || wantedLicence.size() > kMaxLicenceChars ||
      wantedName.size() > kMaxNameChars)
    return badRequest();
  // A table names four players a round: counting licences through the
  // list is held to that pace.
  if (const auto wait = lookUpWait(table)) return waitReply(wait->count());
  // The one player the table means, as the names it sends are matched.
  QJsonArray players;
  if (const auto p = playersIndex()->find(wantedLicence, wantedName))
    players.append(QJsonObject{{QStringLiteral("licence"), p->licence}, {QStringLiteral("name"), p->name}});
  return {200, QJsonObject{{QStringLiteral("players"), players}}};
}

Reply TablesService::sendPlayers(const QString& token, const QJsonObject& body) {
  const std::optional<int> table = wholeNumber(body, "table");
  const QJsonValue seats = body.value(QLatin1String("seats"));
  if (!table || !seats.isObject()) return badRequest();
  Session s;
  QString device;
  if (auto refused = authorise(token, *table, s, device)) return *refused;
  if (s.prefs.pairsEntered)
    return ErrorReply(400, QStringLiteral("bad_request"),
                      QStringLiteral("Les paires sont introduites dans le programme : rien à envoyer."));
  std::array<SeatEntry, 4> entries;
  std::shared_ptr<const PlayersIndex> listed;
  const char* letters[4] = {"N", "S", "E", "O"};
  for (int i = 0; i < 4; ++i) {
    const QJsonValue seat = seats.toObject().value(QLatin1String(letters[i]));
    if (seat.isNull() || seat.isUndefined()) continue;
    if (!seat.isObject()) return badRequest();
    const QJsonValue licence = seat.toObject().value(QLatin1String("licence"));
    const QJsonValue name = seat.toObject().value(QLatin1String("name"));
    if ((!licence.isString() && !licence.isUndefined()) || (!name.isString() && !name.isUndefined())) return badRequest();
    const QString digits = licence.toString().trimmed();
    bool allDigits = digits.size() <= kMaxLicenceChars;
    for (QChar c : digits) allDigits = allDigits && c >= u'0' && c <= u'9';
    if (!allDigits)
      return ErrorReply(400, QStringLiteral("bad_licence"), QStringLiteral("Licence incorrecte : des chiffres seulement."));
    const std::optional<QString> accepted = acceptableName(name.toString());
    if (!accepted)
      return ErrorReply(400, QStringLiteral("bad_name"),
                        QStringLiteral("Nom incorrect : 100 caractères au plus, sans « @ », « & », « £ », ni « BYE », ni signe spécial."));
    entries[i] = {accepted->isEmpty() ? QString() : digits, *accepted};
    // The players' list names the player as the program knows him: a look-up
    // as the page's, written as typed once the table has used them all.
    if ((digits.isEmpty() && accepted->isEmpty()) || lookUpWait(*table)) continue;
    if (!listed) listed = playersIndex();
    if (const auto found = listed->find(digits, *accepted))
      if (const auto listedName = acceptableName(found->name)) entries[i] = {found->licence, *listedName};
  }
  const std::lock_guard<std::mutex> guard(tableLock(*table));
  try {
    WriteExchangeLine(folder_.playersFile(*table), PlayersFileLine(entries));
  } catch (const platform::IoError&) {
    return writeFailed();
  }
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    playersSent_[*table] = s.key;
  }
  return {200, QJsonObject{{QStringLiteral("written"), true}}};
}

namespace {

// The contract of a request as the contract routine reads it ("4PXN-2").
std::optional<QString> contractOfRequest(const QJsonObject& body) {
  const QString declarer = body.value(QLatin1String("declarer")).toString();
  const QString strain = body.value(QLatin1String("strain")).toString().toUpper();
  const QString doubling = body.value(QLatin1String("doubling")).toString().toUpper();
  const std::optional<int> level = wholeNumber(body, "level");
  const std::optional<int> result = wholeNumber(body, "result");
  if (!level || !result || strain.size() != 1 || *level < 0 || *level > 9 || *result < -13 || *result > 13)
    return std::nullopt;
  if (declarer != QLatin1String("N") && declarer != QLatin1String("E") && declarer != QLatin1String("S") &&
      declarer != QLatin1String("O"))
    return std::nullopt;
  if (!doubling.isEmpty() && doubling != QLatin1String("X") && doubling != QLatin1String("XX")) return std::nullopt;
  QString sign = QStringLiteral("=");
  if (*result > 0) sign = QStringLiteral("+%1").arg(*result);
  if (*result < 0) sign = QStringLiteral("-%1").arg(-*result);
  return QString::number(*level) + strain + doubling + declarer + sign;
}

}  // namespace

Reply TablesService::score(const QString& token, const QJsonObject& body) {
  const std::optional<int> table = wholeNumber(body, "table");
  const std::optional<int> board = wholeNumber(body, "board");
  if (!table || !board) return badRequest();
  Session s;
  QString device;
  if (auto refused = authorise(token, *table, s, device)) return *refused;
  if (!seatOfBoard(*table, 0, *board)) return badBoard();
  const std::optional<QString> text = contractOfRequest(body);
  if (!text) return badRequest();
  const ContractOutcome parsed = ParseContract(*text, *board);
  if (!parsed.valid()) return ErrorReply(400, QStringLiteral("bad_contract"), parsed.error);
  const QString said = parsed.score >= 0 ? QStringLiteral("N/S marque %1").arg(parsed.score)
                                         : QStringLiteral("E/O marque %1").arg(-parsed.score);
  return {200, QJsonObject{{QStringLiteral("contract"), parsed.builtText},
                           {QStringLiteral("score"), parsed.score},
                           {QStringLiteral("text"), said}}};
}

Reply TablesService::result(const QString& token, const QJsonObject& body) {
  const std::optional<int> table = wholeNumber(body, "table");
  const std::optional<int> round = wholeNumber(body, "round");
  const std::optional<int> board = wholeNumber(body, "board");
  const QString kind = body.value(QLatin1String("kind")).toString();
  const QJsonValue previous = body.value(QLatin1String("previous"));
  if (!table || !round || !board || !previous.isString()) return badRequest();
  Session s;
  QString device;
  if (auto refused = authorise(token, *table, s, device)) return *refused;
  const std::optional<Seat> seat = seatOfBoard(*table, *round, *board);
  if (!seat) return badBoard();

  TableResult r;
  if (kind == QLatin1String("contract")) {
    r.kind = ResultKind::Contract;
    const std::optional<QString> text = contractOfRequest(body);
    if (!text) return badRequest();
    const ContractOutcome parsed = ParseContract(*text, *board);
    if (!parsed.valid()) return ErrorReply(400, QStringLiteral("bad_contract"), parsed.error);
    r.result.declarer = parsed.declarer;
    r.result.contract = parsed.builtText;
    const QString lead = body.value(QLatin1String("lead")).toString().trimmed();
    if (lead.isEmpty() && leadsAsked())
      return ErrorReply(400, QStringLiteral("lead_needed"), QStringLiteral("Indiquez l'entame."));
    if (!lead.isEmpty()) {
      const std::optional<QString> card = NormalisedLead(lead);
      if (!card)
        return ErrorReply(
            400, QStringLiteral("bad_lead"),
            QStringLiteral("Entame incorrecte : la hauteur (A, R, D, V, 10 à 2 ou x) puis la couleur (P, C, K, T)."));
      r.result.lead = *card;
      // Where the deal is known, the player on lead must hold the card.
      if (const auto hands = ParseDiagram(ReadExchangeLines(folder_.diagramFile(*board)).value_or(QStringList()))) {
        const QString heading = LeaderHeading(r.result.declarer);
        static const QStringList headings{QStringLiteral("Nord"), QStringLiteral("Sud"), QStringLiteral("Est"), QStringLiteral("Ouest")};
        const qsizetype seat = headings.indexOf(heading);
        if (seat >= 0) {
          const QString refusal = LeadNotHeld((*hands)[seat], heading, r.result.lead);
          if (!refusal.isEmpty()) return ErrorReply(400, QStringLiteral("lead_not_held"), refusal);
        }
      }
    }
  } else if (kind == QLatin1String("pass")) {
    r.kind = ResultKind::Pass;
  } else if (kind == QLatin1String("notplayed")) {
    r.kind = ResultKind::NotPlayed;
  } else if (kind == QLatin1String("arbitral")) {
    r.kind = ResultKind::Arbitral;
  } else if (kind == QLatin1String("split")) {
    r.kind = ResultKind::Split;
    const std::optional<int> a = wholeNumber(body, "nsPercent");
    const std::optional<int> b = wholeNumber(body, "ewPercent");
    if (!a || !b || *a < 0 || *a > 100 || *b < 0 || *b > 100)
      return ErrorReply(400, QStringLiteral("bad_split"), QStringLiteral("Pourcentages entre 0 et 100."));
    r.result.percentages = std::pair<double, double>(*a, *b);
  } else if (kind == QLatin1String("delete")) {
    r.kind = ResultKind::Delete;
  } else {
    return badRequest();
  }

  const std::lock_guard<std::mutex> guard(tableLock(*table));
  const QJsonObject before = boardState(*table, *board);
  if (!before.value(QLatin1String("settled")).isNull()) {
    Reply settled = ErrorReply(409, QStringLiteral("settled"),
                               QStringLiteral("Cette donne a été réglée par l'arbitre : adressez-vous à lui."));
    settled.body.insert(QStringLiteral("board"), before);
    return settled;
  }
  const QString current = before.value(QLatin1String("current")).toString();
  const QString value = ResultValue(r);
  const QString text = ResultText(r);
  const QJsonValue pending = before.value(QLatin1String("pending"));
  const bool sameAsPending = pending.isObject() && pending[QLatin1String("text")].toString() == text;
  // Taken by the program, the result is the same unless a lead is sent that
  // the program does not hold.
  const auto sameLead = [&] {
    if (!r.result.leadGiven()) return true;
    const std::optional<QString> held = heldLead(*table, *board);
    return held && held->compare(r.result.lead, Qt::CaseInsensitive) == 0;
  };
  if (value == current && (pending.isNull() ? sameLead() : sameAsPending))
    return {200, QJsonObject{{QStringLiteral("written"), false}, {QStringLiteral("board"), before}}};
  if (value != current && previous.toString() != current) {
    Reply conflict = ErrorReply(409, QStringLiteral("conflict"),
                                QStringLiteral("Ce résultat a été changé entre-temps (par un autre appareil ou par "
                                               "l'arbitre). Vérifiez-le avant de renvoyer."));
    conflict.body.insert(QStringLiteral("board"), before);
    return conflict;
  }
  const QByteArray echoStamp = stampOf(folder_.echoFile(*table, *board));
  try {
    WriteExchangeLine(folder_.resultFile(*table, *board),
                      ResultFileLine(*table, *board, seat->round, seat->ns, seat->ew, text));
  } catch (const platform::IoError&) {
    return writeFailed();
  }
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    Written& w = written_[{*table, *board}];
    // A result the program took before this one came is echoed first.
    if (w.goneSince) w.earlier << w.value;
    w = {text, value, echoStamp, w.earlier, std::nullopt};
  }
  return {200, QJsonObject{{QStringLiteral("written"), true},
                           {QStringLiteral("board"), boardState(*table, *board)}}};
}

Reply TablesService::ranking(const QString& token) {
  Session s;
  QString device;
  if (auto refused = checkToken(token, s, device)) return *refused;
  const QStringList lines = ReadExchangeLines(folder_.rankingFile()).value_or(QStringList());
  const std::vector<RankingList> lists = ParseRankingFile(lines);
  if (lists.empty())
    return {200, QJsonObject{{QStringLiteral("available"), false},
                             {QStringLiteral("message"), lines.isEmpty() ? QString() : lines.first()}}};
  QJsonArray out;
  for (const RankingList& list : lists) {
    QJsonArray rows;
    for (const RankingRow& r : list.rows)
      rows.append(QJsonObject{{QStringLiteral("place"), r.place},
                              {QStringLiteral("pair"), r.pair},
                              {QStringLiteral("name"), r.name},
                              {QStringLiteral("score"), r.score}});
    out.append(QJsonObject{{QStringLiteral("title"), list.title}, {QStringLiteral("rows"), rows}});
  }
  return {200, QJsonObject{{QStringLiteral("available"), true}, {QStringLiteral("lists"), out}}};
}

namespace {

// The double-dummy table (rows N, S, E, O; columns clubs .. no trump), the
// par and the table's result against them, when the analysis was made on the
// diagram's cards. diagram: the hands N, S, E, W in the diagram's letters.
void addAnalysis(QJsonObject& deal, const DealAnalysis& analysis, const std::array<Hand, 4>& diagram,
                 const QJsonObject& echo, int board) {
  std::array<std::array<QString, 4>, 4> hands;  // North, East, South, West
  const int diagramSeat[4] = {0, 2, 1, 3};
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit) hands[seat][suit] = FrenchHoldingToEnglish(diagram[diagramSeat[seat]][suit]);
  if (!analysis.solved() || analysis.deal != DealKeyOfHands(hands)) return;
  QJsonArray rows;
  for (int seat : {AnalysisNorth, AnalysisSouth, AnalysisEast, AnalysisWest}) {
    QJsonArray row;
    for (int tricks : analysis.tricks[seat]) row.append(tricks);
    rows.append(row);
  }
  deal.insert(QStringLiteral("tricks"), rows);
  deal.insert(QStringLiteral("par"), ParText(analysis));
  const ContractOutcome played = ParseContract(echo.value(QLatin1String("contract")).toString(), board);
  if (played.valid()) {
    const QString doubling = played.doubling == Doubling::Redoubled ? QStringLiteral("XX")
                             : played.doubling == Doubling::Doubled  ? QStringLiteral("X")
                                                                     : QString();
    const QString compared =
        ResultAgainstAnalysis(analysis, played.level, played.strain, doubling, played.declarer, played.overtricks);
    if (!compared.isEmpty()) deal.insert(QStringLiteral("compared"), compared);
  }
}

}  // namespace

Reply TablesService::deals(const QString& token, int table) {
  Session s;
  QString device;
  if (auto refused = authorise(token, table, s, device)) return *refused;
  QJsonArray deals;
  // What could be made, as the program computed it (read once per request).
  const QMap<int, DealAnalysis> analyses =
      ParseDealAnalysisLines(ReadExchangeLines(folder_.analysisFile()).value_or(QStringList())).value_or(QMap<int, DealAnalysis>());
  for (const MovementLine& m : movementOf(table)) {
    if (m.ns == 0 || m.ew == 0 || m.boardSet < 1) continue;
    const int first = (m.boardSet - 1) * s.prefs.boardsPerTable + 1;
    for (int board = first; board < first + s.prefs.boardsPerTable; ++board) {
      // Only a board this table has played: the others may still be ahead.
      const QJsonObject state = boardState(table, board);
      if (state.value(QLatin1String("current")).toString().isEmpty()) continue;
      const auto diagram = ParseDiagram(ReadExchangeLines(folder_.diagramFile(board)).value_or(QStringList()));
      if (!diagram) continue;
      QJsonObject hands;
      const char* seats[4] = {"N", "S", "E", "O"};
      for (int i = 0; i < 4; ++i) {
        QJsonArray suits;
        for (const QString& suit : (*diagram)[i]) suits.append(suit);
        hands.insert(QLatin1String(seats[i]), suits);
      }
      QJsonObject deal{{QStringLiteral("board"), board}, {QStringLiteral("hands"), hands}};
      // Once the program has taken the table's result: the table, the par
      // and how the result compares, when they were made on these cards.
      const QJsonObject echo = state.value(QLatin1String("echo")).toObject();
      if (!echo.isEmpty()) addAnalysis(deal, analyses.value(board), *diagram, echo, board);
      deals.append(deal);
    }
  }
  return {200, QJsonObject{{QStringLiteral("deals"), deals}}};
}

}  // namespace tables
