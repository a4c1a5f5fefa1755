// Reading files that other programs put in a folder shared with them: only
// regular files, never through a link, never waiting, never more than asked.
#include "platform/FolderIndex.h"
#include "platform/TextFiles.h"

#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {
class SharedFolderReadTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.path() + "/" + name; }
  QTemporaryDir dir_;
};
}  // namespace

TEST_F(SharedFolderReadTest, ARegularFileIsReadUpToItsLimitAndFoundWithoutRegardToCase) {
  writeBytes(path("Rest1.txt"), "1 1 0 7 1 2 9 N 3SN= RC\r\n");
  int error = -1;
  // 25 bytes: 23 characters and the line end.
  EXPECT_EQ(readRegularFile(path("REST1.TXT"), 25, &error), QByteArray("1 1 0 7 1 2 9 N 3SN= RC\r\n"));
  EXPECT_EQ(readRegularTextLines(path("rest1.TXT"), 25), QStringList{"1 1 0 7 1 2 9 N 3SN= RC"});
  // One byte over: refused whole, not cut.
  EXPECT_FALSE(readRegularFile(path("REST1.TXT"), 24, &error));
  EXPECT_EQ(error, EFBIG);
  EXPECT_FALSE(readRegularFile(path("REST2.TXT"), 100, &error));
  EXPECT_EQ(error, ENOENT);
  writeBytes(path("EMPTY.TXT"), "");
  EXPECT_EQ(readRegularTextLines(path("EMPTY.TXT"), 10), QStringList{});
  // The same bytes as the usual reader: Windows-1252, or UTF-8 after its mark.
  writeBytes(path("PLAYERS.TXT"), "1&DUPONT\xA3@2&Caf\xE9@@\n");
  EXPECT_EQ(readRegularTextLines(path("PLAYERS.TXT"), 100), readTextLines(path("PLAYERS.TXT")));
}

TEST_F(SharedFolderReadTest, LinksFifosAndFoldersAreNeverRead) {
  QDir(dir_.path()).mkdir("dehors");
  writeBytes(path("dehors/secret.txt"), "1 1 0 7 1 2 9 N 3SN=\r\n");
  ASSERT_TRUE(QFile::link(path("dehors/secret.txt"), path("REST1.TXT")));
  ASSERT_TRUE(QFile::link("/dev/zero", path("REST2.TXT")));
  ASSERT_TRUE(QFile::link(path("dehors/absent.txt"), path("REST3.TXT")));
  int error = 0;
  for (const char* name : {"REST1.TXT", "REST2.TXT", "REST3.TXT"}) {
    EXPECT_FALSE(readRegularFile(path(name), 4096, &error)) << name;
    EXPECT_EQ(error, ELOOP) << name;
  }
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("REST4.TXT")).constData(), 0600), 0);
  QDir(dir_.path()).mkdir("REST5.TXT");
  QElapsedTimer clock;
  clock.start();
  for (const char* name : {"REST4.TXT", "REST5.TXT"}) {
    EXPECT_FALSE(readRegularFile(path(name), 4096, &error)) << name;
    EXPECT_EQ(error, ENXIO) << name;
  }
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(readBytes(path("dehors/secret.txt")), "1 1 0 7 1 2 9 N 3SN=\r\n");
}

TEST_F(SharedFolderReadTest, AHugeFileCostsNeitherTimeNorMemory) {
  // 200 MB on one line, most of it a hole: reading it whole would take both.
  const QByteArray name = QFile::encodeName(path("REST1.TXT"));
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "1 1 0 7 1 2 9 N 3SN=", 20), 20);
  ASSERT_EQ(::ftruncate(fd, 200LL * 1024 * 1024), 0);
  ::close(fd);
  QElapsedTimer clock;
  clock.start();
  int error = 0;
  EXPECT_FALSE(readRegularTextLines(path("REST1.TXT"), 4096, &error));
  EXPECT_EQ(error, EFBIG);
  EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(SharedFolderReadTest, LeftoverTemporariesGoInEveryFolderBelowButNotThroughLinks) {
  const QString dead = QStringLiteral(".RESS3.TXT.99999999.abcdef") + kTemporarySuffix;
  const QString alive = QStringLiteral(".RESS4.TXT.%1.abcdef").arg(::getppid()) + kTemporarySuffix;
  for (const char* folder : {"Q", "Q/Serie1", "Q/Serie1/Table2", "Q/Serie1/Diagrammes", "dehors"}) {
    writeBytes(path(folder) + "/" + dead, "x");
    writeBytes(path(folder) + "/" + alive, "x");
    writeBytes(path(folder) + "/RESS3.TXT", "x");
  }
  ASSERT_TRUE(QFile::link(path("dehors"), path("Q/Serie1/Lien")));
  removeLeftoverTemporariesBelow(path("q"));
  for (const char* folder : {"Q", "Q/Serie1", "Q/Serie1/Table2", "Q/Serie1/Diagrammes"}) {
    EXPECT_FALSE(QFile::exists(path(folder) + "/" + dead)) << folder;
    EXPECT_TRUE(QFile::exists(path(folder) + "/" + alive)) << folder;  // its writer still runs
    EXPECT_TRUE(QFile::exists(path(folder) + "/RESS3.TXT")) << folder;
  }
  EXPECT_TRUE(QFile::exists(path("dehors") + "/" + dead));
}
