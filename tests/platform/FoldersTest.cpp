#include "platform/Folders.h"

#include "support/TestState.h"

#include <QDir>
#include <QFile>
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
