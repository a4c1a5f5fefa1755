// The program itself, started as the director starts it (offscreen here).
#include "support/TestState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

using testing_support::readBytes;
using testing_support::writeBytes;

TEST(ProgramRun, TheStartScreenComesUpAndTheProgramEndsCleanlyWhenItIsClosed) {
  const QString exe = QCoreApplication::applicationDirPath() + "/talvaron";
  ASSERT_TRUE(QFileInfo(exe).isExecutable()) << qPrintable(exe);
  QTemporaryDir dir;
  const QString program = dir.path() + "/program/";
  writeBytes(program + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  QDir().mkpath(dir.path() + "/Documents");
  QDir().mkpath(dir.path() + "/root");

  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TALVARON_PROGRAM_FOLDER", program);
  env.insert("TALVARON_DOCUMENTS_FOLDER", dir.path() + "/Documents");
  env.insert("TALVARON_ROOT_FOLDER", dir.path() + "/root");
  env.insert("TALVARON_CLOSE_START_SCREEN", "1");
  run.setProcessEnvironment(env);
  run.start(exe, {});
  ASSERT_TRUE(run.waitForStarted(10000));
  const bool ended = run.waitForFinished(60000);
  if (!ended) run.kill();
  ASSERT_TRUE(ended) << "the program did not end";
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
  EXPECT_TRUE(run.readAllStandardOutput().contains("start screen shown: visible"));
  // The start-up wrote the results folder and the PBN defaults beside the players file.
  EXPECT_EQ(readBytes(program + "PATH.TXT"), (program + "Resultats/").toUtf8());
  EXPECT_TRUE(QFileInfo(program + "Resultats").isDir());
  EXPECT_EQ(readBytes(program + "OPTIONPBN.TXT"), "1\r\n");
}

namespace {

// The program started on a program folder, offscreen, with its messages
// printed and closed (and the start screen closed once shown when asked).
void startProgram(QProcess& run, const QString& root, bool closeOnceShown) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TALVARON_PROGRAM_FOLDER", root + "/program/");
  env.insert("TALVARON_DOCUMENTS_FOLDER", root + "/Documents");
  env.insert("TALVARON_ROOT_FOLDER", root + "/root");
  env.insert("TALVARON_ANSWER_MESSAGES", "1");
  if (closeOnceShown) env.insert("TALVARON_CLOSE_START_SCREEN", "1");
  run.setProcessEnvironment(env);
  run.start(QCoreApplication::applicationDirPath() + "/talvaron", {});
}

ino_t inodeOf(const QString& path) {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// Every file of folder with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& folder) {
  QMap<QString, QByteArray> files;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) files[name] = readBytes(folder + name);
  return files;
}

}  // namespace

TEST(ProgramRun, ASecondCopyOnTheSameResultsFolderSaysSoAndEndsWithoutWriting) {
  QTemporaryDir dir;
  const QString root = dir.path();
  const QString program = root + "/program/";
  const QString results = root + "/Tournois/";
  writeBytes(program + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  writeBytes(program + "PATH.TXT", results.toUtf8());
  QDir().mkpath(root + "/Documents");
  QDir().mkpath(root + "/root");
  // A tournament of the first copy.
  writeBytes(results + "ABC.PAI", "1 1 0 A£B\r\n");
  writeBytes(results + "ABC.VAR", "0\r\n");

  QProcess first;
  startProgram(first, root, false);
  ASSERT_TRUE(first.waitForStarted(10000));
  // The first copy holds the folder once its lock file names it.
  const QByteArray firstId = QByteArray::number(first.processId());
  QElapsedTimer clock;
  clock.start();
  while (!readBytes(results + "TALVARON.LCK").startsWith(firstId + "\r\n") && clock.elapsed() < 30000)
    QThread::msleep(20);
  ASSERT_TRUE(readBytes(results + "TALVARON.LCK").startsWith(firstId + "\r\n")) << readBytes(results + "TALVARON.LCK").constData();
  QThread::msleep(300);  // its start-up writes are done
  // What a save cut short by a crash left: a start alone on the folder
  // removes it.
  const QString temporary = results + ".ABC.PAI.999999999.abcdef.talvaron-tmp";
  writeBytes(temporary, "1 1 0 A£B\r\n");
  const QMap<QString, QByteArray> before = filesUnder(results);
  const QMap<QString, QByteArray> programBefore = filesUnder(program);
  const auto pathFileId = QFileInfo(program + "PATH.TXT").fileTime(QFileDevice::FileModificationTime);
  const ino_t pathInode = inodeOf(program + "PATH.TXT");

  QProcess second;
  startProgram(second, root, true);
  ASSERT_TRUE(second.waitForStarted(10000));
  const bool ended = second.waitForFinished(60000);
  if (!ended) second.kill();
  ASSERT_TRUE(ended) << "the second copy did not end";
  const QString said = QString::fromUtf8(second.readAllStandardOutput());
  EXPECT_NE(second.exitCode(), 0);
  EXPECT_TRUE(said.contains("message: Talvaron tourne déjà sur le dossier des résultats " + results + " depuis le "))
      << qPrintable(said);
  EXPECT_TRUE(said.contains(" (processus " + QString::fromLatin1(firstId) + "). ")) << qPrintable(said);
  EXPECT_TRUE(said.contains("celui-ci s'arrête sans rien écrire.")) << qPrintable(said);
  EXPECT_FALSE(said.contains("start screen shown"));
  // Nothing was written, replaced or removed.
  EXPECT_EQ(filesUnder(results), before);
  EXPECT_EQ(filesUnder(program), programBefore);
  EXPECT_EQ(inodeOf(program + "PATH.TXT"), pathInode);
  EXPECT_EQ(QFileInfo(program + "PATH.TXT").fileTime(QFileDevice::FileModificationTime), pathFileId);
  EXPECT_EQ(first.state(), QProcess::Running);

  // The first copy killed, its lock is taken over by the next start, which
  // then runs as usual.
  first.kill();
  ASSERT_TRUE(first.waitForFinished(20000));
  QProcess third;
  startProgram(third, root, true);
  ASSERT_TRUE(third.waitForStarted(10000));
  ASSERT_TRUE(third.waitForFinished(60000));
  EXPECT_EQ(third.exitCode(), 0) << third.readAllStandardOutput().constData();
  EXPECT_TRUE(third.readAllStandardOutput().contains("start screen shown: visible"));
  EXPECT_FALSE(QFile::exists(temporary));
}
