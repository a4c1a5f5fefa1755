// The atomic writer's refusals and links, and the folder index that finds
// names without regard to case.
#include "platform/FolderIndex.h"
#include "platform/TextFiles.h"

#include "support/TestState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
class SafeRewriteTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.path() + "/" + name; }
  QTemporaryDir dir_;
};
}  // namespace

TEST_F(SafeRewriteTest, AReadOnlyFileIsRefusedWithItsNameAndKept) {
  writeBytes(path("ABC.VAR"), "old");
  QFile::setPermissions(path("ABC.VAR"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  TextWriter w;
  try {
    w.open(path("abc.var"), WriteMode::Rewrite, "Erreur %1 : %2");
    FAIL() << "a read-only file was opened for rewriting";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), EACCES);
    EXPECT_EQ(e.message(), QStringLiteral("Erreur %1 : %2").arg(EACCES).arg(path("ABC.VAR")));
  }
  EXPECT_FALSE(rewriteIfChanged(path("ABC.VAR"), "old"));  // nothing to write: no error
  EXPECT_THROW(rewriteIfChanged(path("ABC.VAR"), "new"), IoError);
  EXPECT_EQ(readBytes(path("ABC.VAR")), "old");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ABC.VAR"});
}

TEST_F(SafeRewriteTest, ALinkIsReplacedAndWhatItLeadsToIsNeverWritten) {
  QDir(dir_.path()).mkdir("real");
  writeBytes(path("real/ABC.PAI"), "old");
  ASSERT_TRUE(QFile::link(path("real/ABC.PAI"), path("ABC.PAI")));
  QFile::setPermissions(path("real/ABC.PAI"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  writeTextLines(path("abc.pai"), {"new"});
  EXPECT_FALSE(QFileInfo(path("ABC.PAI")).isSymLink());
  EXPECT_EQ(readBytes(path("ABC.PAI")), "new\r\n");
  EXPECT_EQ(readBytes(path("real/ABC.PAI")), "old");
  // A link already leading to the same bytes is still replaced by a file.
  ASSERT_TRUE(QFile::link(path("real/ABC.PAI"), path("SAME.PAI")));
  EXPECT_TRUE(rewriteIfChanged(path("SAME.PAI"), "old"));
  EXPECT_FALSE(QFileInfo(path("SAME.PAI")).isSymLink());
  EXPECT_FALSE(rewriteIfChanged(path("SAME.PAI"), "old"));
  // A dangling link creates nothing where it points.
  ASSERT_TRUE(QFile::link(path("real/NEW.DAT"), path("NEW.DAT")));
  writeTextLines(path("NEW.DAT"), {"x"});
  EXPECT_FALSE(QFileInfo(path("NEW.DAT")).isSymLink());
  EXPECT_EQ(readBytes(path("NEW.DAT")), "x\r\n");
  EXPECT_FALSE(QFileInfo::exists(path("real/NEW.DAT")));
  EXPECT_EQ(QDir(path("real")).entryList(QDir::Files | QDir::Hidden), QStringList{"ABC.PAI"});
}

TEST_F(SafeRewriteTest, AnAppendNeverGoesThroughALinkNorIntoAFifo) {
  QDir(dir_.path()).mkdir("real");
  writeBytes(path("real/OUT.LOG"), "old\r\n");
  ASSERT_TRUE(QFile::link(path("real/OUT.LOG"), path("ABC.LOG")));
  ASSERT_TRUE(QFile::link(path("real/NEW.LOG"), path("LOG.TXT")));
  for (const QString name : {"abc.log", "LOG.TXT"}) {
    TextWriter w;
    try {
      w.open(path(name), WriteMode::Append, "Erreur %1 : %2");
      w.writeLine("ligne");
      w.close();
      FAIL() << "appended through a link";
    } catch (const IoError& e) {
      EXPECT_EQ(e.code(), ELOOP);
      EXPECT_EQ(e.fileName(), path(name.toUpper()));
      EXPECT_EQ(e.message(), QStringLiteral("Erreur %1 : %2").arg(ELOOP).arg(path(name.toUpper())));
    }
  }
  EXPECT_EQ(readBytes(path("real/OUT.LOG")), "old\r\n");
  EXPECT_FALSE(QFileInfo::exists(path("real/NEW.LOG")));
  EXPECT_TRUE(QFileInfo(path("LOG.TXT")).isSymLink());

  // A FIFO: with nobody reading it, or with a reader, nothing waits and
  // nothing is written into it; a rewrite puts a file in its place.
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("DONNESTOUR1.TXT")).constData(), 0600), 0);
  TextWriter w;
  try {
    w.open(path("DONNESTOUR1.TXT"), WriteMode::Append);
    FAIL() << "appended into a FIFO without reader";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), ENXIO);
  }
  const int reader = ::open(QFile::encodeName(path("DONNESTOUR1.TXT")).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  try {
    w.open(path("DONNESTOUR1.TXT"), WriteMode::Append);
    FAIL() << "appended into a FIFO with a reader";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), ENXIO);
  }
  ::close(reader);
  writeTextLines(path("DONNESTOUR1.TXT"), {"7"});
  EXPECT_TRUE(QFileInfo(path("DONNESTOUR1.TXT")).isFile());
  EXPECT_EQ(readBytes(path("DONNESTOUR1.TXT")), "7\r\n");
}

TEST_F(SafeRewriteTest, TheIndexFollowsEveryChangeOfTheFolder) {
  const QString folder = dir_.path();
  EXPECT_EQ(folder_index::find(folder, "ABC.ADJ"), QString());
  writeBytes(path("abc.adj"), "1");  // copied in by someone else, another case
  EXPECT_EQ(folder_index::find(folder, "ABC.ADJ"), QString("abc.adj"));
  EXPECT_TRUE(fileExists(path("ABC.ADJ")));
  EXPECT_EQ(resolvePath(path("ABC.ADJ")), path("abc.adj"));
  QFile::rename(path("abc.adj"), path("Abc.Adj"));
  EXPECT_EQ(resolvePath(path("ABC.ADJ")), path("Abc.Adj"));
  QFile::remove(path("Abc.Adj"));
  EXPECT_FALSE(fileExists(path("ABC.ADJ")));
  // The folder replaced by another of the same name.
  QDir(folder).mkdir("sub");
  writeBytes(path("sub/X.PEN"), "1");
  EXPECT_TRUE(fileExists(path("sub/x.pen")));
  QDir(folder).rename("sub", "old");
  QDir(folder).mkdir("sub");
  EXPECT_FALSE(fileExists(path("sub/x.pen")));
  // A writer's temporary file is never taken for a file.
  writeBytes(path(".X.PEN.1.abcdef") + kTemporarySuffix, "1");
  EXPECT_FALSE(fileExists(path(".x.pen.1.abcdef") + kTemporarySuffix));
  EXPECT_TRUE(listFolder(folder, "*").isEmpty());
}
