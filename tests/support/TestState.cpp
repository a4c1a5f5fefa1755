#include "support/TestState.h"

#include "core/DealAnalyses.h"
#include "core/DeviceEchoes.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ResultNews.h"
#include "core/State.h"
#include "platform/Clock.h"
#include "support/FlowDoubles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace testing_support {

QByteArray readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write " + path.toStdString());
  f.write(bytes);
}

void writeShippedFiles(const QString& folder) {
  for (const QString& name : kShippedFiles) writeBytes(folder + name, name.toUtf8() + "\r\n");
}

void resetGlobals() {
  // Every global from the one list, then the slots as the program clears them.
  // The case's folders and files stay: a reset in the middle of a case is a
  // restart of the program on the same machine.
  const QString program = ProgramFolder, data = DataFolder, documents = DocumentsFolder;
  const QString print = PrintFile, results = ResultsTextFile, resultsF = ResultsFTextFile, recap = RecapTextFile;
  const OneBased<QChar, 4> suits = SuitLetters;
  ResetGlobals();
  ClearBoardAnalyses();
  ProgramFolder = program;
  DataFolder = data;
  DocumentsFolder = documents;
  PrintFile = print;
  ResultsTextFile = results;
  ResultsFTextFile = resultsF;
  RecapTextFile = recap;
  SuitLetters = suits;
  ClearPairSlots();
  ClearAllResults();
  // The devices, where they are linked, forget what they polled.
  deviceEchoes().stateCleared();
  TabletPassword = QStringLiteral("FarnelTosk");
}

void TalvaronTest::SetUp() {
  ASSERT_TRUE(tmp_.isValid());
  QDir().mkpath(programDir());
  QDir().mkpath(documentsDir());
  QDir().mkpath(rootDir());
  qputenv("TALVARON_PROGRAM_FOLDER", programDir().toUtf8());
  qputenv("TALVARON_DOCUMENTS_FOLDER", documentsDir().toUtf8());
  qputenv("TALVARON_ROOT_FOLDER", rootDir().toUtf8());
  SetFatalStopThrows(true);
  platform::setFixedNow(QDateTime(QDate(2026, 12, 7), QTime(20, 0, 0)));
  resetGlobals();
  flowCalls().clear();
  ProgramFolder = programDir();
  DataFolder = dataDir();
  QDir().mkpath(dataDir());
  DocumentsFolder = documentsDir();
  PrintFile = DocumentsFolder + QStringLiteral("/TEMP.TXT");
  ResultsTextFile = DocumentsFolder + QStringLiteral("/RESULTS.TXT");
  ResultsFTextFile = DocumentsFolder + QStringLiteral("/RESULTSF.TXT");
  RecapTextFile = DocumentsFolder + QStringLiteral("/RECAP.TXT");
  for (int i = 1; i <= 4; ++i) SuitLetters[i] = QLatin1Char("PCKT"[i - 1]);
}

void TalvaronTest::TearDown() {
  platform::setFixedNow(QDateTime());
  resetGlobals();
}

QString TalvaronTest::programDir() const { return tmp_.path() + QStringLiteral("/program/"); }
QString TalvaronTest::dataDir() const { return tmp_.path() + QStringLiteral("/program/Resultats/"); }
QString TalvaronTest::documentsDir() const { return tmp_.path() + QStringLiteral("/Documents"); }
QString TalvaronTest::rootDir() const { return tmp_.path() + QStringLiteral("/root/"); }

bool RunWithChangeWhileSaving(const std::function<void()>& pass, const std::function<void()>& meanwhile) {
  // Added last, it hears that the results were counted again after the
  // menu's counters did.
  class Meanwhile : public ResultListener {
   public:
    explicit Meanwhile(const std::function<void()>& run) : ResultListener("meanwhile"), run_(run) {}
    void resultsCounted() override {
      if (ran) return;
      ran = true;
      run_();
    }
    bool ran = false;

   private:
    const std::function<void()>& run_;
  } listener(meanwhile);
  AddResultListener(listener);
  try {
    pass();
  } catch (...) {
    RemoveResultListener(listener);
    throw;
  }
  RemoveResultListener(listener);
  return listener.ran;
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);  // between two looks, not instead of one
  }
  return true;
}

bool FileLocked(const QString& file) {
  return QProcess::execute("flock", {"--nonblock", "--conflict-exit-code", "7", file, "true"}) == 7;
}

}  // namespace testing_support
