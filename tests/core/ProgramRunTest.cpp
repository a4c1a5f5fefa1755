// The program itself, started as the director starts it (offscreen here).
#include "support/TestState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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
