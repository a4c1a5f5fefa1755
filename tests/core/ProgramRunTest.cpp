// The program itself, started as the director starts it (offscreen here).
#include "support/TestState.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include <unistd.h>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

struct ProgramRun {
  bool ended = false;
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// Starts the program offscreen with these variables besides the system's
// (none of the program's own, unless given), and lets it close its start
// screen once shown.
ProgramRun runProgram(const QString& exe, const QList<std::pair<QString, QString>>& vars) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& name : env.keys())
    if (name.startsWith("TALVARON_") || name.startsWith("XDG_")) env.remove(name);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TALVARON_CLOSE_START_SCREEN", "1");
  for (const auto& [name, value] : vars) env.insert(name, value);
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(exe, {});
  ProgramRun run;
  if (!process.waitForStarted(10000)) return run;
  run.ended = process.waitForFinished(60000);
  if (!run.ended) process.kill();
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

// A program folder with a players file, and the Documents and root folders,
// under dir: the variables that point the program at them.
QList<std::pair<QString, QString>> foldersUnder(const QTemporaryDir& dir) {
  const QString program = dir.path() + "/program/";
  writeBytes(program + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  QDir().mkpath(dir.path() + "/Documents");
  QDir().mkpath(dir.path() + "/root");
  return {{"TALVARON_PROGRAM_FOLDER", program},
          {"TALVARON_DOCUMENTS_FOLDER", dir.path() + "/Documents"},
          {"TALVARON_ROOT_FOLDER", dir.path() + "/root"}};
}

// The program placed in a folder of its own (a hard link when the disk
// allows it), as a package installs it in <prefix>/bin.
QString placeProgram(const QString& bin) {
  const QString built = QCoreApplication::applicationDirPath() + "/talvaron";
  const QString placed = bin + "/talvaron";
  QDir().mkpath(bin);
  if (::link(QFile::encodeName(built).constData(), QFile::encodeName(placed).constData()) != 0)
    QFile::copy(built, placed);
  return placed;
}

// Every entry under a folder with its size and time: what a run must leave alone.
QStringList listing(const QString& folder) {
  QStringList entries;
  QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    entries << info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                   info.lastModified().toString(Qt::ISODateWithMs);
  }
  entries.sort();
  return entries;
}

}  // namespace

TEST(ProgramRun, TheStartScreenComesUpAndTheProgramEndsCleanlyWhenItIsClosed) {
  const QString exe = QCoreApplication::applicationDirPath() + "/talvaron";
  ASSERT_TRUE(QFileInfo(exe).isExecutable()) << qPrintable(exe);
  QTemporaryDir dir;
  const QString program = dir.path() + "/program/";
  const QList<std::pair<QString, QString>> folders = foldersUnder(dir);

  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  for (const auto& [name, value] : folders) env.insert(name, value);
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
void startProgram(QProcess& run, const QString& root, bool closeOnceShown, const QString& steps = {}) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TALVARON_PROGRAM_FOLDER", root + "/program/");
  env.insert("TALVARON_DOCUMENTS_FOLDER", root + "/Documents");
  env.insert("TALVARON_ROOT_FOLDER", root + "/root");
  env.insert("TALVARON_ANSWER_MESSAGES", "1");
  if (closeOnceShown) env.insert("TALVARON_CLOSE_START_SCREEN", "1");
  if (!steps.isEmpty()) env.insert("TALVARON_TEST_STEPS", steps);
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

  // The first copy, once its start screen shows, has made its start-up
  // writes and holds the folder (its lock file names it).
  QProcess first;
  writeBytes(root + "/first-steps", "window TForm1\nprint StatusLabel\n");
  startProgram(first, root, false, root + "/first-steps");
  ASSERT_TRUE(first.waitForStarted(10000));
  const QByteArray firstId = QByteArray::number(first.processId());
  QByteArray shown;
  QElapsedTimer clock;
  clock.start();
  while (!shown.contains("StatusLabel: ") && first.state() == QProcess::Running && clock.elapsed() < 30000) {
    first.waitForReadyRead(100);
    shown += first.readAllStandardOutput();
  }
  ASSERT_TRUE(shown.contains("StatusLabel: ")) << shown.constData();
  ASSERT_TRUE(readBytes(results + "TALVARON.LCK").startsWith(firstId + "\r\n")) << readBytes(results + "TALVARON.LCK").constData();
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

TEST(ProgramRun, AnInstalledCopyMakesTheUsersOwnFolderAtItsFirstStartAndKeepsItAfterwards) {
  QTemporaryDir dir;
  const QString shared = dir.path() + "/usr/share/talvaron/";
  testing_support::writeShippedFiles(shared);
  const QString exe = placeProgram(dir.path() + "/usr/bin");
  ASSERT_TRUE(QFileInfo(exe).isExecutable());
  const QStringList installed = listing(dir.path() + "/usr");
  const QString home = dir.path() + "/home";
  QDir().mkpath(home);
  const QString folder = dir.path() + "/data/talvaron/";
  const QList<std::pair<QString, QString>> vars = {{"HOME", home}, {"XDG_DATA_HOME", dir.path() + "/data"}};

  // The first start: the folder is made from the shipped files, with an
  // empty players file, and the start screen says where both are.
  ProgramRun first = runProgram(exe, vars);
  ASSERT_TRUE(first.ended) << "the program did not end";
  EXPECT_EQ(first.exitCode, 0) << first.err.constData();
  EXPECT_TRUE(first.out.contains("start screen shown: visible")) << first.out.constData();
  EXPECT_TRUE(first.out.contains(("start screen status: Premier démarrage : dossier du programme créé, " + folder +
                                  "\nFichier de joueurs à compléter (vide) : " + folder + "JOUEURS.TXT\nRésultats : " +
                                  folder + "Resultats/\n")
                                     .toUtf8()))
      << first.out.constData();
  for (const QString& name : testing_support::kShippedFiles)
    EXPECT_EQ(readBytes(folder + name), name.toUtf8() + "\r\n") << qPrintable(name);
  EXPECT_TRUE(QFileInfo(folder + "JOUEURS.TXT").isFile());
  EXPECT_EQ(readBytes(folder + "JOUEURS.TXT"), "");
  EXPECT_EQ(readBytes(folder + "PATH.TXT"), (folder + "Resultats/").toUtf8());
  EXPECT_FALSE(QFileInfo::exists(home + "/.local/share/talvaron"));

  // The next start finds the folder as the director left it.
  writeBytes(folder + "JOUEURS.TXT", "DUPONT Jean 1021\r\n");
  QFile::remove(folder + "Howells/HOWELL04.TXT");
  ProgramRun second = runProgram(exe, vars);
  ASSERT_TRUE(second.ended) << "the program did not end";
  EXPECT_EQ(second.exitCode, 0) << second.err.constData();
  EXPECT_TRUE(second.out.contains(("start screen status: Dossier du programme : " + folder + "\n").toUtf8()))
      << second.out.constData();
  EXPECT_EQ(readBytes(folder + "JOUEURS.TXT"), "DUPONT Jean 1021\r\n");
  EXPECT_FALSE(QFileInfo::exists(folder + "Howells/HOWELL04.TXT"));

  // Nothing was ever written beside the installed files.
  EXPECT_EQ(listing(dir.path() + "/usr"), installed);
}

namespace {

// A release's shipped files and their list, as the package installs them:
// each file with its bytes in this release and those of earlier ones.
struct Shipped {
  QString name;
  QList<QByteArray> releases;  // this release's bytes first
};
void shipRelease(const QString& shared, const QString& version, const QList<Shipped>& files) {
  QDir(shared).removeRecursively();
  QByteArray list = "Talvaron " + version.toUtf8() + "\n";
  for (const Shipped& file : files) {
    writeBytes(shared + file.name, file.releases.first());
    list += file.name.toUtf8();
    for (const QByteArray& bytes : file.releases)
      list += '\t' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    list += '\n';
  }
  writeBytes(shared + "fichiers-livres.txt", list);
  writeBytes(shared + "tables/index.html", "<html>" + version.toUtf8() + "</html>\n");
}

// An installed copy under a folder of its own: the program in usr/bin, its
// shipped files in usr/share/talvaron, a home folder whose data folder gets
// the user's program folder; the status line's start for a folder made.
struct InstalledCopy {
  QTemporaryDir dir;
  QString shared = dir.path() + "/usr/share/talvaron/";
  QString exe = placeProgram(dir.path() + "/usr/bin");
  QString home = dir.path() + "/home";
  QString folder = home + "/.local/share/talvaron/";
  QList<std::pair<QString, QString>> vars = {{"HOME", home}};
  QString status = "start screen status: Dossier du programme : " + folder + "\nRésultats : " + folder + "Resultats/\n";
  InstalledCopy() { QDir().mkpath(home); }
};

}  // namespace

TEST(ProgramRun, AnInstalledCopyUpgradedBringsTheUsersFolderUpToDateAndSaysSoOnce) {
  InstalledCopy copy;
  const QString &shared = copy.shared, &exe = copy.exe, &folder = copy.folder, &status = copy.status;
  const auto& vars = copy.vars;

  shipRelease(shared, "1.0.0-1",
              {{"Howells/HOWELL08.TXT", {"8 paires\r\n"}}, {"Howells/Bralmet/HOWELL06.TXT", {"6 paires\r\n"}},
               {"BEStyle.css", {"body{}\r\n"}}});
  ProgramRun first = runProgram(exe, vars);
  ASSERT_TRUE(first.ended) << "the program did not end";
  EXPECT_EQ(first.exitCode, 0) << first.err.constData();
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires\r\n");
  EXPECT_EQ(readBytes(folder + "JOUEURS.TXT"), "");
  // The tables' pages are served from the installed copy, never copied.
  EXPECT_FALSE(QFileInfo::exists(folder + "tables"));
  EXPECT_FALSE(first.out.contains("Fichiers livrés")) << first.out.constData();

  // The director edits the club's Howell; then 1.0.1 is installed: HOWELL08
  // corrected, HOWELL06 changed too, a new HOWELL44.
  writeBytes(folder + "Howells/Bralmet/HOWELL06.TXT", "6 paires du club\r\n");
  shipRelease(shared, "1.0.1-1",
              {{"Howells/HOWELL08.TXT", {"8 paires, corrigee\r\n", "8 paires\r\n"}},
               {"Howells/HOWELL44.TXT", {"44 paires\r\n"}},
               {"Howells/Bralmet/HOWELL06.TXT", {"6 paires, v2\r\n", "6 paires\r\n"}},
               {"BEStyle.css", {"body{}\r\n"}}});
  const QStringList installed = listing(copy.dir.path() + "/usr");
  ProgramRun upgraded = runProgram(exe, vars);
  ASSERT_TRUE(upgraded.ended) << "the program did not end";
  EXPECT_EQ(upgraded.exitCode, 0) << upgraded.err.constData();
  EXPECT_TRUE(upgraded.out.contains(
      (status + "Fichiers livrés mis à jour (version 1.0.1-1) : 1 ajouté, 1 remplacé\n"
                "Gardés tels que vous les avez modifiés : Howells/Bralmet/HOWELL06.TXT (ceux de la version 1.0.1-1 sont dans " +
       shared + ")\nTalvaron ")
          .toUtf8()))
      << upgraded.out.constData();
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, corrigee\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL44.TXT"), "44 paires\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/Bralmet/HOWELL06.TXT"), "6 paires du club\r\n");
  EXPECT_FALSE(QFileInfo::exists(folder + "tables"));
  EXPECT_EQ(listing(copy.dir.path() + "/usr"), installed);

  // The next start says nothing more about it.
  ProgramRun next = runProgram(exe, vars);
  ASSERT_TRUE(next.ended) << "the program did not end";
  EXPECT_TRUE(next.out.contains((status + "Talvaron ").toUtf8())) << next.out.constData();
  EXPECT_FALSE(next.out.contains("Fichiers livrés")) << next.out.constData();
  EXPECT_EQ(readBytes(folder + "Howells/Bralmet/HOWELL06.TXT"), "6 paires du club\r\n");
}

TEST(ProgramRun, ADowngradeAndAnUnreadableListAreEachSaidOnceInTheStatusLine) {
  InstalledCopy copy;
  const QString &shared = copy.shared, &exe = copy.exe, &folder = copy.folder, &status = copy.status;
  const auto& vars = copy.vars;
  auto start = [&] {
    const ProgramRun run = runProgram(exe, vars);
    EXPECT_TRUE(run.ended && run.exitCode == 0) << run.err.constData();
    return QString::fromUtf8(run.out);
  };

  shipRelease(shared, "1.0.1-1", {{"Howells/HOWELL08.TXT", {"8 paires, corrigee\r\n", "8 paires\r\n"}}});
  start();
  // Back to 1.0.0, which knows only its own HOWELL08: the folder's is
  // 1.0.1's, not an edit of the director's.
  shipRelease(shared, "1.0.0-1", {{"Howells/HOWELL08.TXT", {"8 paires\r\n"}}});
  QString out = start();
  EXPECT_TRUE(out.contains(status + "Fichiers livrés mis à jour (version 1.0.0-1) : 0 ajouté, 0 remplacé\n"
                                    "Gardés tels que livrés par la version plus récente 1.0.1-1 : Howells/HOWELL08.TXT "
                                    "(ceux de la version 1.0.0-1 sont dans " +
                           shared + ")\nTalvaron "))
      << out.toStdString();
  EXPECT_FALSE(start().contains("Fichiers livrés"));

  // A list that cannot be read: said at the next start only.
  writeBytes(shared + "fichiers-livres.txt", "Talvaron 1.0.2-1\nHowells/HOWELL08.TXT\n");
  out = start();
  EXPECT_TRUE(out.contains(status + "Fichiers livrés non mis à jour : leur liste " + shared +
                           "fichiers-livres.txt est illisible\nTalvaron "))
      << out.toStdString();
  EXPECT_FALSE(start().contains("Fichiers livrés"));
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, corrigee\r\n");
}

TEST(ProgramRun, ACopyWithItsFilesBesideItOrAFolderNamedKeepsThatFolder) {
  QTemporaryDir dir;
  testing_support::writeShippedFiles(dir.path() + "/usr/share/talvaron/");
  const QString bin = dir.path() + "/usr/bin/";
  const QString exe = placeProgram(bin);
  const QString home = dir.path() + "/home";
  QDir().mkpath(home);

  // Movement files beside the executable, as in a build tree: that folder
  // is the program folder, whatever lies in ../share.
  writeBytes(bin + "Howells/HOWELL04.TXT", "4 paires\r\n");
  writeBytes(bin + "JOUEURS.TXT", "");
  ProgramRun beside = runProgram(exe, {{"HOME", home}});
  ASSERT_TRUE(beside.ended) << "the program did not end";
  EXPECT_EQ(beside.exitCode, 0) << beside.err.constData();
  EXPECT_TRUE(beside.out.contains(("start screen status: Dossier du programme : " + bin + "\n").toUtf8()))
      << beside.out.constData();
  EXPECT_EQ(readBytes(bin + "PATH.TXT"), (bin + "Resultats/").toUtf8());
  EXPECT_FALSE(QFileInfo::exists(home + "/.local/share/talvaron"));

  // An installed copy given a folder by TALVARON_PROGRAM_FOLDER uses it as it is.
  QDir(bin + "Howells").removeRecursively();
  const QString named = dir.path() + "/named/";
  writeBytes(named + "JOUEURS.TXT", "");
  ProgramRun overridden = runProgram(exe, {{"HOME", home}, {"TALVARON_PROGRAM_FOLDER", named}});
  ASSERT_TRUE(overridden.ended) << "the program did not end";
  EXPECT_EQ(overridden.exitCode, 0) << overridden.err.constData();
  EXPECT_EQ(readBytes(named + "PATH.TXT"), (named + "Resultats/").toUtf8());
  EXPECT_FALSE(QFileInfo::exists(named + "Howells"));
  EXPECT_FALSE(QFileInfo::exists(home + "/.local/share/talvaron"));
}

// Every window a routine asks for, and every face a lower floor calls up
// through, is there once the program has made its windows: the start-up
// check finds nothing missing.
// Every folder the environment can set, as the folders' code reads them, is
// in the manual page's environment section.
TEST(ProgramRun, TheManualPageNamesEveryFolderTheEnvironmentSets) {
  const QString src = QStringLiteral(TALVARON_SOURCE_DIR);
  const QString folders = QString::fromUtf8(readBytes(src + "/platform/Folders.cpp"));
  QStringList read;
  for (auto it = QRegularExpression(R"re(qEnvironmentVariable(?:IsEmpty)?\("(TALVARON_\w+)"\))re").globalMatch(folders);
       it.hasNext();)
    read << it.next().captured(1);
  read.removeDuplicates();
  ASSERT_GE(read.size(), 3) << read.join(' ').toStdString();
  const QString page = QString::fromUtf8(readBytes(src + "/../packaging/talvaron.1"));
  const QString environment = page.section(".SH ENVIRONNEMENT", 1).section("\n.SH ", 0, 0);
  for (const QString& name : read) EXPECT_TRUE(environment.contains(".B " + name + "\n")) << name.toStdString();
}

TEST(ProgramRun, TheStartUpCheckFindsEveryWindowAndFaceInstalled) {
  const QString exe = QCoreApplication::applicationDirPath() + "/talvaron";
  ASSERT_TRUE(QFileInfo(exe).isExecutable()) << qPrintable(exe);
  QTemporaryDir dir;
  const ProgramRun run = runProgram(exe, foldersUnder(dir) << std::pair<QString, QString>{"TALVARON_CHECK_INSTALLS", "1"});
  ASSERT_TRUE(run.ended) << "the program did not end";
  EXPECT_EQ(run.exitCode, 0) << run.err.constData();
  EXPECT_FALSE(run.err.contains("not installed")) << run.err.constData();
  EXPECT_FALSE(run.out.contains("start screen shown")) << "the check ends the program before its screen";
}

namespace {

// The program started offscreen on the folders under dir, taking the steps
// of the file given.
void startWithSteps(QProcess& run, const QTemporaryDir& dir, const QString& steps) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  for (const auto& [name, value] : foldersUnder(dir)) env.insert(name, value);
  env.insert("TALVARON_TEST_STEPS", steps);
  run.setProcessEnvironment(env);
  run.start(QCoreApplication::applicationDirPath() + "/talvaron", {});
}

void append(const QString& file, const QByteArray& bytes) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::Append));
  f.write(bytes);
}

}  // namespace

// The steps a test writes are taken at the program's own windows, in order,
// and the file is followed as it grows (a line only once it is whole): the
// quit asked from the start screen, refused with Esc, asked again and
// confirmed with Enter.
TEST(ProgramRun, TheStepsOfATestAreTakenInOrderWhileTheirFileGrows) {
  QTemporaryDir dir;
  const QString steps = dir.path() + "/steps";
  writeBytes(steps, "window TForm1\n\n# what the start screen says\nprint StatusLabel\n");
  QProcess run;
  startWithSteps(run, dir, steps);
  ASSERT_TRUE(run.waitForStarted(10000));
  QByteArray out;
  QElapsedTimer clock;
  clock.start();
  while (!out.contains("StatusLabel: ") && run.state() == QProcess::Running && clock.elapsed() < 30000) {
    run.waitForReadyRead(100);
    out += run.readAllStandardOutput();
  }
  ASSERT_TRUE(out.contains("StatusLabel: Dossier du programme : ")) << out.constData();
  // Half a line first: nothing is taken of it until it ends.
  append(steps, "click BitBtn2\nwindow TFo");
  QThread::msleep(300);
  append(steps, "rm59\nprint Label1\nkey Escape\nwindow TForm1\nprint StatusLabel\n"
                "click BitBtn2\nwindow TForm59\nkey Return\n");
  const bool ended = run.waitForFinished(30000);
  if (!ended) {
    run.kill();
    run.waitForFinished(5000);
  }
  out += run.readAllStandardOutput();
  ASSERT_TRUE(ended) << "the program did not end: " << out.constData();
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
  QStringList printed;
  for (const QByteArray& line : out.split('\n'))
    if (line.startsWith("StatusLabel: ") || line.startsWith("Label1: ")) printed << QString::fromUtf8(line.left(19));
  EXPECT_EQ(printed, QStringList({"StatusLabel: Dossie", "Label1: Vraiment qu", "StatusLabel: Dossie"})) << out.constData();
  EXPECT_TRUE(out.contains("Label1: Vraiment quitter le programme?\n")) << out.constData();
}

// A line that is no step ends the program at once, naming it: a test never
// waits for a step that will not come.
TEST(ProgramRun, ALineThatIsNoStepEndsTheProgram) {
  for (const char* line : {"click", "key Sideways", "press OK", "window"}) {
    QTemporaryDir dir;
    const QString steps = dir.path() + "/steps";
    writeBytes(steps, QByteArray("window TForm1\n") + line + "\nprint StatusLabel\n");
    QProcess run;
    startWithSteps(run, dir, steps);
    ASSERT_TRUE(run.waitForStarted(10000));
    const bool ended = run.waitForFinished(30000);
    if (!ended) {
      run.kill();
      run.waitForFinished(5000);
    }
    ASSERT_TRUE(ended) << line;
    EXPECT_EQ(run.exitCode(), 4) << line;
    EXPECT_TRUE(run.readAllStandardError().contains(QByteArray("step not understood: ") + line + "\n")) << line;
    EXPECT_FALSE(run.readAllStandardOutput().contains("StatusLabel")) << line;
  }
}
