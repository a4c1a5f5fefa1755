#include "platform/TextFiles.h"

#include "support/TestState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <unistd.h>

using namespace platform;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {
class TextFilesTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.path() + "/" + name; }
  QStringList folderEntries() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
  QTemporaryDir dir_;
};
}  // namespace

TEST_F(TextFilesTest, ReaderAcceptsCrLfLfBomAndAMissingLastLineEnd) {
  writeBytes(path("a.txt"), "un\r\ndeux\nDUPONT\xA3MARTIN\r\n\r\nfin");
  EXPECT_EQ(readTextLines(path("a.txt")), (QStringList{"un", "deux", QStringLiteral("DUPONT£MARTIN"), "", "fin"}));
  writeBytes(path("b.txt"), "\xEF\xBB\xBF" "caf\xC3\xA9\r\n");
  EXPECT_EQ(readTextLines(path("b.txt")), QStringList{QStringLiteral("café")});
  writeBytes(path("c.txt"), "");
  EXPECT_TRUE(readTextLines(path("c.txt")).isEmpty());
  EXPECT_FALSE(tryReadTextLines(path("absent.txt")).has_value());
  EXPECT_THROW(readTextLines(path("absent.txt")), IoError);
}

TEST_F(TextFilesTest, WriterWritesCp1252WithCrLfAndOptionalLastLineEnd) {
  writeTextLines(path("w.txt"), {QStringLiteral("3 0 0 X£DUPONT£MARTIN"), "fin"}, false);
  EXPECT_EQ(readBytes(path("w.txt")), QByteArray("3 0 0 X\xA3" "DUPONT\xA3MARTIN\r\nfin"));
  writeTextLines(path("w.txt"), {"a"}, true);
  EXPECT_EQ(readBytes(path("w.txt")), QByteArray("a\r\n"));
  EXPECT_EQ(folderEntries(), QStringList{"w.txt"});  // no temporary file left behind
}

TEST_F(TextFilesTest, RewriteAbandonedBeforeTheRenameLeavesTheOldFileIntact) {
  writeBytes(path("T.VAR"), "ancien\r\n");
  {
    TextWriter w;
    w.open(path("T.VAR"), WriteMode::Rewrite);
    w.writeLine("nouveau");
    w.writeBytes(QByteArray(200000, 'x'));  // past the buffer: part of it already on disk
    // destroyed without close(): as if the program died before the rename
  }
  EXPECT_EQ(readBytes(path("T.VAR")), QByteArray("ancien\r\n"));
  EXPECT_EQ(folderEntries(), QStringList{"T.VAR"});
}

TEST_F(TextFilesTest, AppendAddsToTheEnd) {
  writeBytes(path("LOG.TXT"), "1\r\n");
  TextWriter w;
  w.open(path("log.txt"), WriteMode::Append);  // found without regard to case
  w.writeLine("2");
  w.close();
  EXPECT_EQ(readBytes(path("LOG.TXT")), QByteArray("1\r\n2\r\n"));
  EXPECT_FALSE(QFile::exists(path("log.txt")));
}

TEST_F(TextFilesTest, AppendEndsAnUnfinishedLastLineAndGoesOutWhole) {
  writeBytes(path("A.ADJ"), "1 2 50 50");  // last line without its line end
  writeBytes(path("B.ADJ"), "1 2 50 50\r");
  writeBytes(path("C.ADJ"), "");
  for (const char* name : {"A.ADJ", "B.ADJ", "C.ADJ"}) {
    TextWriter w;
    w.open(path(name), WriteMode::Append);
    w.writeLine("3 4 60 40");
    w.close();
  }
  EXPECT_EQ(readBytes(path("A.ADJ")), QByteArray("1 2 50 50\r\n3 4 60 40\r\n"));
  EXPECT_EQ(readBytes(path("B.ADJ")), QByteArray("1 2 50 50\r\n3 4 60 40\r\n"));
  EXPECT_EQ(readBytes(path("C.ADJ")), QByteArray("3 4 60 40\r\n"));
  {
    TextWriter w;
    w.open(path("C.ADJ"), WriteMode::Append);
    w.write(QString(100000, 'x'));  // stopped before close(): nothing of it is added
  }
  EXPECT_EQ(readBytes(path("C.ADJ")), QByteArray("3 4 60 40\r\n"));
}

TEST_F(TextFilesTest, OnlyAnAppendToOneNameRefusesAHardLink) {
  writeBytes(path("A.LOG"), "1\r\n");
  ASSERT_EQ(::link(QFile::encodeName(path("A.LOG")).constData(), QFile::encodeName(path("B.LOG")).constData()), 0);
  TextWriter w;
  w.open(path("A.LOG"), WriteMode::Append);
  w.writeLine("2");
  w.close();
  EXPECT_EQ(readBytes(path("B.LOG")), QByteArray("1\r\n2\r\n"));  // one file, two names
  try {
    w.open(path("A.LOG"), WriteMode::AppendOneName);
    w.writeLine("3");
    w.close();
    FAIL() << "appended to a file with a second name";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), EMLINK);
  }
  EXPECT_EQ(readBytes(path("A.LOG")), QByteArray("1\r\n2\r\n"));
}

TEST_F(TextFilesTest, AtomicCopyReplacesTheTargetOnlyWhenWhole) {
  writeBytes(path("MODELE.BWS"), QByteArray(150000, 'm'));
  QFile::setPermissions(path("MODELE.BWS"), QFile::ReadOwner);
  writeBytes(path("T.BWS"), "old");
  EXPECT_EQ(copyFileAtomically(path("modele.bws"), path("t.bws")), 0);  // both found without regard to case
  EXPECT_EQ(readBytes(path("T.BWS")), QByteArray(150000, 'm'));
  EXPECT_TRUE(QFileInfo(path("T.BWS")).isWritable());
  EXPECT_EQ(copyFileAtomically(path("ABSENT.BWS"), path("T.BWS")), ENOENT);
  EXPECT_EQ(readBytes(path("T.BWS")), QByteArray(150000, 'm'));
  EXPECT_EQ(folderEntries(), QStringList({"MODELE.BWS", "T.BWS"}));
  // A link in the target's place is replaced; the file it leads to stays.
  ASSERT_TRUE(QFile::link(path("MODELE.BWS"), path("L.BWS")));
  writeBytes(path("T.BWS"), "nouveau");
  EXPECT_EQ(copyFileAtomically(path("T.BWS"), path("L.BWS")), 0);
  EXPECT_FALSE(QFileInfo(path("L.BWS")).isSymLink());
  EXPECT_EQ(readBytes(path("L.BWS")), "nouveau");
  EXPECT_EQ(readBytes(path("MODELE.BWS")), QByteArray(150000, 'm'));
}

TEST_F(TextFilesTest, OpenFailureCarriesTheCodeAndTheFullName) {
  writeBytes(path("plain"), "x");  // a file where a folder is expected: cannot be written into, even by root
  TextWriter w;
  try {
    w.open(path("plain/ABC.DAT"), WriteMode::Rewrite, QStringLiteral("code %1 fichier %2"));
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), ENOTDIR);
    EXPECT_EQ(e.fileName(), path("plain/ABC.DAT"));
    EXPECT_EQ(e.message(), QStringLiteral("code %1 fichier %2").arg(ENOTDIR).arg(path("plain/ABC.DAT")));
  }
  QDir().mkpath(path("dossier"));
  EXPECT_THROW(w.open(path("dossier"), WriteMode::Rewrite), IoError);  // a folder is never replaced by a file
  EXPECT_TRUE(QFileInfo(path("dossier")).isDir());
}

TEST_F(TextFilesTest, FilesAreFoundWithoutRegardToCase) {
  writeBytes(path("Sub/abc12.pai"), "1 0 0 A£B£C\r\n");
  EXPECT_EQ(resolvePath(path("SUB/ABC12.PAI")), path("Sub/abc12.pai"));
  EXPECT_TRUE(fileExists(path("sub/ABC12.pai")));
  EXPECT_FALSE(fileExists(path("sub/ABC13.pai")));
  EXPECT_TRUE(folderExists(path("SUB")));
  EXPECT_EQ(readTextLines(path("SUB/ABC12.PAI")).size(), 1);
  // A rewrite of the file under another spelling replaces it, leaving no twin.
  writeTextLines(path("SUB/ABC12.PAI"), {"2"});
  EXPECT_EQ(QDir(path("Sub")).entryList(QDir::Files), QStringList{"abc12.pai"});
  EXPECT_TRUE(deleteFile(path("SUB/Abc12.PAI")));
  EXPECT_FALSE(fileExists(path("Sub/abc12.pai")));
  EXPECT_TRUE(deleteFile(path("Sub/absent.txt")));
}

TEST_F(TextFilesTest, NewFilesGoIntoTheFolderFoundWithoutRegardToCase) {
  QDir().mkpath(path("Resultats/Quillmarke"));
  // The folders exist under another spelling; the new file keeps its own.
  writeTextLines(path("RESULTATS/quillmarke/ABC.DAT"), {"05/12/2026"});
  EXPECT_EQ(readBytes(path("Resultats/Quillmarke/ABC.DAT")), QByteArray("05/12/2026\r\n"));
  EXPECT_EQ(resolvePath(path("resultats/NEW/X.TXT")), path("Resultats/NEW/X.TXT"));
  TextWriter log;
  log.open(path("resultats/ABC.LOG"), WriteMode::Append);
  log.writeLine("1");
  log.close();
  EXPECT_EQ(readBytes(path("Resultats/ABC.LOG")), QByteArray("1\r\n"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Resultats"});
}

TEST_F(TextFilesTest, DeletingAFileLeavesNoTwinOfAnotherCase) {
  // Copied from another machine beside the program's own file: once deleted,
  // the name must not be found again.
  writeBytes(path("ABC.ADJ"), "1");
  writeBytes(path("abc.adj"), "2");
  writeBytes(path("ABCD.ADJ"), "3");
  EXPECT_TRUE(deleteFile(path("Abc.Adj")));
  EXPECT_FALSE(fileExists(path("ABC.ADJ")));
  EXPECT_EQ(folderEntries(), QStringList{"ABCD.ADJ"});
}

TEST_F(TextFilesTest, ListingByPatternIgnoresCaseAndSortsByName) {
  for (const char* n : {"b.pai", "A.PAI", "c.Pai", "d.var", "apai"}) writeBytes(path(n), "");
  QDir().mkpath(path("e.pai"));  // folders are not listed
  EXPECT_EQ(listFolder(dir_.path(), "*.PAI"), (QStringList{"A.PAI", "b.pai", "c.Pai"}));
  EXPECT_TRUE(listFolder(path("absent"), "*.PAI").isEmpty());
}
