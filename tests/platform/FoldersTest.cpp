#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include "support/TestState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testing_support::readBytes;
using testing_support::writeBytes;

TEST(Folders, TreesAreCopiedAndDeletedWithoutFollowingLinks) {
  QTemporaryDir dir;
  const QString outside = dir.path() + "/outside";
  writeBytes(outside + "/keep.txt", "keep");
  writeBytes(dir.path() + "/src/a.txt", "a");
  writeBytes(dir.path() + "/src/sub/b.txt", "b");
  ASSERT_TRUE(QFile::link(outside, dir.path() + "/src/link"));

  ASSERT_TRUE(platform::copyTree(dir.path() + "/src", dir.path() + "/dst"));
  EXPECT_EQ(readBytes(dir.path() + "/dst/sub/b.txt"), "b");
  EXPECT_TRUE(QFileInfo(dir.path() + "/dst/link").isSymLink());

  ASSERT_TRUE(platform::deleteTree(dir.path() + "/src"));
  EXPECT_FALSE(QFileInfo::exists(dir.path() + "/src"));
  EXPECT_EQ(readBytes(outside + "/keep.txt"), "keep");  // the link's target survives
  EXPECT_TRUE(platform::deleteTree(dir.path() + "/absent"));

  // A folder is never copied into itself, however the target is spelled.
  EXPECT_FALSE(platform::copyTree(dir.path() + "/dst", dir.path() + "/dst/sub/../backup"));
  EXPECT_FALSE(platform::copyTree(dir.path() + "/dst/", dir.path() + "/dst"));
  EXPECT_FALSE(QFileInfo::exists(dir.path() + "/dst/backup"));
  EXPECT_TRUE(platform::copyTree(dir.path() + "/dst", dir.path() + "/dst2"));
}

TEST(Folders, EnvironmentNamesTheProgramDocumentsAndRootFolders) {
  QTemporaryDir dir;
  qputenv("TALVARON_PROGRAM_FOLDER", dir.path().toUtf8());
  qputenv("TALVARON_DOCUMENTS_FOLDER", (dir.path() + "/Docs/").toUtf8());
  qputenv("TALVARON_ROOT_FOLDER", dir.path().toUtf8());
  EXPECT_EQ(platform::programFolder(), dir.path() + "/");
  EXPECT_EQ(platform::documentsFolder(), dir.path() + "/Docs");
  EXPECT_EQ(platform::driveRootFolder(), dir.path() + "/");
  qunsetenv("TALVARON_PROGRAM_FOLDER");
  qunsetenv("TALVARON_DOCUMENTS_FOLDER");
  qunsetenv("TALVARON_ROOT_FOLDER");
  EXPECT_TRUE(platform::programFolder().endsWith('/'));
}

TEST(Folders, AFolderIsCreatedOnlyWhenNoSpellingOfItExists) {
  QTemporaryDir dir;
  QDir().mkpath(dir.path() + "/Quillmarke/S1/nomspaires");
  ASSERT_TRUE(platform::makeFolder(dir.path() + "/QUILLMARKE/S1/NomsPaires/"));
  ASSERT_TRUE(platform::makeFolder(dir.path() + "/quillmarke/S2"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Quillmarke"});
  EXPECT_EQ(QDir(dir.path() + "/Quillmarke/S1").entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"nomspaires"});
  EXPECT_TRUE(QFileInfo(dir.path() + "/Quillmarke/S2").isDir());
}

TEST(Folders, AProgramFolderIsMadeWholeFromItsSeedOnlyWhenItIsMissing) {
  QTemporaryDir dir;
  const QString seed = dir.path() + "/share/talvaron/";
  testing_support::writeShippedFiles(seed);
  const QString folder = dir.path() + "/home/.local/share/talvaron/";

  // Made with its parents, a copy of the seed and the empty files named.
  ASSERT_TRUE(platform::seedFolder(folder, seed, {"JOUEURS.TXT"}));
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL04.TXT"), "Howells/HOWELL04.TXT\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/Bralmet/HOWELL06.TXT"), "Howells/Bralmet/HOWELL06.TXT\r\n");
  EXPECT_EQ(readBytes(folder + "BEStyle.css"), "BEStyle.css\r\n");
  EXPECT_TRUE(QFileInfo(folder + "JOUEURS.TXT").isFile());
  EXPECT_EQ(readBytes(folder + "JOUEURS.TXT"), "");
  EXPECT_EQ(QDir(dir.path() + "/home/.local/share").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"talvaron"});
  EXPECT_TRUE(QFileInfo::exists(seed + "BEStyle.css"));

  // Once there, the folder is the director's: never seeded again.
  writeBytes(folder + "JOUEURS.TXT", "DUPONT Jean 1021\r\n");
  QFile::remove(folder + "BEStyle.css");
  EXPECT_FALSE(platform::seedFolder(folder, seed, {"JOUEURS.TXT"}));
  EXPECT_EQ(readBytes(folder + "JOUEURS.TXT"), "DUPONT Jean 1021\r\n");
  EXPECT_FALSE(QFileInfo::exists(folder + "BEStyle.css"));

  // A file or a link (even a dangling one) in the folder's place is left alone.
  writeBytes(dir.path() + "/file", "x");
  EXPECT_FALSE(platform::seedFolder(dir.path() + "/file", seed, {}));
  EXPECT_EQ(readBytes(dir.path() + "/file"), "x");
  ASSERT_TRUE(QFile::link(dir.path() + "/nowhere", dir.path() + "/link"));
  EXPECT_FALSE(platform::seedFolder(dir.path() + "/link", seed, {}));
  EXPECT_FALSE(QFileInfo::exists(dir.path() + "/nowhere"));
}

TEST(Folders, AProgramFolderThatCannotBeMadeWholeLeavesNothingBehind) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/data/talvaron";
  // No seed to copy: an error naming the folder, and no half-made copy.
  try {
    platform::seedFolder(folder, dir.path() + "/missing", {"JOUEURS.TXT"});
    FAIL() << "no error";
  } catch (const platform::IoError& e) {
    EXPECT_EQ(e.fileName(), folder);
    EXPECT_TRUE(e.message().contains(folder)) << qPrintable(e.message());
  }
  EXPECT_EQ(QDir(dir.path() + "/data").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{});

  // The seed holding a players file of its own cannot also get the empty one.
  writeBytes(dir.path() + "/seed/JOUEURS.TXT", "DUPONT Jean 1021\r\n");
  EXPECT_THROW(platform::seedFolder(folder, dir.path() + "/seed", {"JOUEURS.TXT"}), platform::IoError);
  EXPECT_EQ(QDir(dir.path() + "/data").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{});
}
