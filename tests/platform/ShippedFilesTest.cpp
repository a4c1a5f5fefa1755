#include "platform/ShippedFiles.h"

#include "support/TestState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// SHA-256 of the files' bytes, worked out with sha256sum.
const char* const kOld08 = "eeff07e808d8b7d98aceed7e41e98c909f43dcecb6cba5b939371d7fc9d9ede6";    // "8 paires, ancienne\r\n"
const char* const kFixed08 = "7cb0278c991595e2b39aef6c52f2f0f8898c11ce6cc8c36433bd1baa35dad312";  // "8 paires, corrigee\r\n"
const char* const kRevised08 = "620e9b5cc7b74805cd35ad4d780d85d0fca11c4ef27953a8a98bd32191c9c5ff";  // "8 paires, revue\r\n"
const char* const kOld06 = "b5f437ff455a374aa5e29e7a4b319667794f3d2ec3f1088a9a6c055dc643458b";    // "6 paires\r\n"
const char* const kNew06 = "7150eff128827fd38f11ffc9eccd270743fe7553c6589a6ef15ec38dfa216af9";    // "6 paires, v2\r\n"
const char* const kStyle = "dd37b84b609288765a57fc32d97f8825c479e438923682eb829fabd622513a4a";    // "body{}\r\n"
const char* const k44 = "b060c610a54cc70ea431656972b4896ba9f89d49ab84d9d876f767a6ba22add5";       // "44 paires\r\n"

QByteArray line(const QString& name, std::initializer_list<const char*> sums) {
  QByteArray text = name.toUtf8();
  for (const char* sum : sums) text += QByteArray("\t") + sum;
  return text + '\n';
}

// The shipped folder of 1.0.0: three files, and the tables' pages, which the
// list leaves out.
void ship100(const QString& shipped) {
  QDir(shipped).removeRecursively();
  writeBytes(shipped + "Howells/HOWELL08.TXT", "8 paires, ancienne\r\n");
  writeBytes(shipped + "Howells/Bralmet/HOWELL06.TXT", "6 paires\r\n");
  writeBytes(shipped + "BEStyle.css", "body{}\r\n");
  writeBytes(shipped + "tables/app.js", "// 1.0.0\n");
  writeBytes(shipped + "fichiers-livres.txt", "Talvaron 1.0.0-1\n" + line("BEStyle.css", {kStyle}) +
                                                 line("Howells/Bralmet/HOWELL06.TXT", {kOld06}) +
                                                 line("Howells/HOWELL08.TXT", {kOld08}));
}

// 1.0.1: HOWELL08 corrected, HOWELL06 changed, a new HOWELL44, a changed
// page; BEStyle.css as before.
void ship101(const QString& shipped) {
  QDir(shipped).removeRecursively();
  writeBytes(shipped + "Howells/HOWELL08.TXT", "8 paires, corrigee\r\n");
  writeBytes(shipped + "Howells/HOWELL44.TXT", "44 paires\r\n");
  writeBytes(shipped + "Howells/Bralmet/HOWELL06.TXT", "6 paires, v2\r\n");
  writeBytes(shipped + "BEStyle.css", "body{}\r\n");
  writeBytes(shipped + "tables/app.js", "// 1.0.1\n");
  writeBytes(shipped + "fichiers-livres.txt", "Talvaron 1.0.1-1\n" + line("BEStyle.css", {kStyle}) +
                                                 line("Howells/Bralmet/HOWELL06.TXT", {kNew06, kOld06}) +
                                                 line("Howells/HOWELL08.TXT", {kFixed08, kOld08}) +
                                                 line("Howells/HOWELL44.TXT", {k44}));
}

// A shipped folder and a user's folder in a temporary one.
struct Folders {
  QTemporaryDir dir;
  QString shipped = dir.path() + "/shipped/";
  QString folder = dir.path() + "/folder/";
  // The user's folder brought up to 1.0.0.
  void at100() {
    ship100(shipped);
    platform::updateShippedFiles(folder, shipped);
  }
};

QStringList sorted(QStringList list) {
  list.sort();
  return list;
}

}  // namespace

TEST(ShippedFiles, AnUpgradeAddsNewFilesReplacesUnchangedOnesAndKeepsThoseTheDirectorChanged) {
  QTemporaryDir dir;
  const QString shipped = dir.path() + "/usr/share/talvaron/";
  const QString folder = dir.path() + "/home/talvaron/";
  QDir().mkpath(folder);

  // 1.0.0's first start: every listed file, the list last; never the pages.
  ship100(shipped);
  platform::ShippedFilesUpdate first = platform::updateShippedFiles(folder, shipped);
  EXPECT_EQ(first.version, "1.0.0-1");
  EXPECT_EQ(sorted(first.added), (QStringList{"BEStyle.css", "Howells/Bralmet/HOWELL06.TXT", "Howells/HOWELL08.TXT"}));
  EXPECT_TRUE(first.replaced.isEmpty());
  EXPECT_TRUE(first.kept.isEmpty());
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, ancienne\r\n");
  EXPECT_EQ(readBytes(folder + "fichiers-livres.txt"), readBytes(shipped + "fichiers-livres.txt"));
  EXPECT_FALSE(QFileInfo::exists(folder + "tables"));
  // The next start of the same version does nothing.
  EXPECT_TRUE(platform::updateShippedFiles(folder, shipped).version.isEmpty());

  // The director edits the club's Howell and adds a file of their own.
  writeBytes(folder + "Howells/Bralmet/HOWELL06.TXT", "6 paires du club\r\n");
  writeBytes(folder + "Howells/MAISON.TXT", "le club\r\n");

  ship101(shipped);
  platform::ShippedFilesUpdate upgrade = platform::updateShippedFiles(folder, shipped);
  EXPECT_EQ(upgrade.version, "1.0.1-1");
  EXPECT_EQ(upgrade.added, QStringList{"Howells/HOWELL44.TXT"});
  EXPECT_EQ(upgrade.replaced, QStringList{"Howells/HOWELL08.TXT"});
  EXPECT_EQ(upgrade.kept, QStringList{"Howells/Bralmet/HOWELL06.TXT"});
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL44.TXT"), "44 paires\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, corrigee\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/Bralmet/HOWELL06.TXT"), "6 paires du club\r\n");
  EXPECT_EQ(readBytes(folder + "BEStyle.css"), "body{}\r\n");
  EXPECT_EQ(readBytes(folder + "Howells/MAISON.TXT"), "le club\r\n");
  EXPECT_FALSE(QFileInfo::exists(folder + "tables"));
  EXPECT_EQ(QFileInfo(folder + "Howells/HOWELL44.TXT").permissions() & QFile::WriteOwner, QFile::WriteOwner);

  // Said once: the next start finds the folder up to date, the edit still kept.
  EXPECT_TRUE(platform::updateShippedFiles(folder, shipped).version.isEmpty());
  EXPECT_EQ(readBytes(folder + "Howells/Bralmet/HOWELL06.TXT"), "6 paires du club\r\n");
}

TEST(ShippedFiles, AFolderSeveralReleasesBehindOrHalfUpdatedIsBroughtUpToDate) {
  Folders folders;
  const QString &shipped = folders.shipped, &folder = folders.folder;
  folders.at100();

  // 1.0.2 lists both earlier versions of HOWELL08.
  ship101(shipped);
  writeBytes(shipped + "Howells/HOWELL08.TXT", "8 paires, revue\r\n");
  writeBytes(shipped + "fichiers-livres.txt",
             "Talvaron 1.0.2-1\n" + line("Howells/HOWELL08.TXT", {kRevised08, kFixed08, kOld08}));
  // A file deleted by the director comes back; one a folder now stands
  // for is kept.
  QFile::remove(folder + "Howells/HOWELL08.TXT");
  writeBytes(shipped + "fichiers-livres.txt",
             readBytes(shipped + "fichiers-livres.txt") + line("BEStyle.css", {kStyle}));
  QFile::remove(folder + "BEStyle.css");
  QDir().mkpath(folder + "BEStyle.css");
  platform::ShippedFilesUpdate update = platform::updateShippedFiles(folder, shipped);
  EXPECT_EQ(update.added, QStringList{"Howells/HOWELL08.TXT"});
  EXPECT_EQ(update.kept, QStringList{"BEStyle.css"});
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, revue\r\n");

  // A copy still at 1.0.0, never started under 1.0.1, is replaced; a
  // folder whose update was cut short before its end is updated again.
  writeBytes(folder + "Howells/HOWELL08.TXT", "8 paires, ancienne\r\n");
  QFile::remove(folder + "fichiers-livres.txt");
  update = platform::updateShippedFiles(folder, shipped);
  EXPECT_EQ(update.replaced, QStringList{"Howells/HOWELL08.TXT"});
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, revue\r\n");
  EXPECT_EQ(readBytes(folder + "fichiers-livres.txt"), readBytes(shipped + "fichiers-livres.txt"));
}

TEST(ShippedFiles, OnlyAWellFormedListIsFollowedAndNoNameLeavesTheFolder) {
  Folders folders;
  const QString &shipped = folders.shipped, &folder = folders.folder;
  writeBytes(shipped + "A.TXT", "a");
  const QByteArray sum = "ca978112ca1bbdcafac231b39a23dc4da786eff8147c4e72b9807785afee48bb";  // "a"
  const QList<QByteArray> bad = {
      "",                                                     // empty
      "A.TXT\t" + sum + "\n",                                 // no version line
      "Talvaron \nA.TXT\t" + sum + "\n",                      // no version
      "Talvaron 1.0.0-1\nA.TXT\n",                            // no checksum
      "Talvaron 1.0.0-1\nA.TXT\t" + sum.left(63) + "\n",      // a short one
      "Talvaron 1.0.0-1\nA.TXT\t" + sum.toUpper() + "\n",     // not lower case
      "Talvaron 1.0.0-1\n../A.TXT\t" + sum + "\n",            // out of the folder
      "Talvaron 1.0.0-1\n/etc/A.TXT\t" + sum + "\n",
      "Talvaron 1.0.0-1\nHowells/./A.TXT\t" + sum + "\n",
      "Talvaron 1.0.0-1\nHowells//A.TXT\t" + sum + "\n",
  };
  for (const QByteArray& text : bad) {
    writeBytes(shipped + "fichiers-livres.txt", text);
    EXPECT_FALSE(platform::readShippedList(shipped + "fichiers-livres.txt")) << text.constData();
    const platform::ShippedFilesUpdate update = platform::updateShippedFiles(folder, shipped);
    EXPECT_TRUE(update.unreadableList) << text.constData();
    EXPECT_TRUE(update.version.isEmpty()) << text.constData();
    EXPECT_FALSE(QFileInfo::exists(folder + "A.TXT")) << text.constData();
    // Said once: the next start finds that list already seen.
    EXPECT_FALSE(platform::updateShippedFiles(folder, shipped).unreadableList) << text.constData();
  }

  // CR LF line ends and empty lines are read alike.
  writeBytes(shipped + "fichiers-livres.txt", "Talvaron 1.0.0-1\r\n\r\nA.TXT\t" + sum + "\r\n");
  const auto list = platform::readShippedList(shipped + "fichiers-livres.txt");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->version, "1.0.0-1");
  ASSERT_EQ(list->files.size(), 1);
  EXPECT_EQ(list->files[0].name, "A.TXT");
  EXPECT_EQ(list->files[0].checksums, QStringList{QString::fromLatin1(sum)});
  EXPECT_EQ(platform::fileChecksum(shipped + "A.TXT"), QString::fromLatin1(sum));
  EXPECT_EQ(platform::fileChecksum(shipped), QString());
  ASSERT_TRUE(QFile::link(shipped + "A.TXT", shipped + "link"));
  EXPECT_EQ(platform::fileChecksum(shipped + "link"), QString());
}

// Going back to an earlier release: the files the newer one had brought are
// no edits of the director's. Going forward again finds them as shipped.
TEST(ShippedFiles, ADowngradeKeepsTheNewerReleasesFilesAndSaysWhichReleaseTheyCameFrom) {
  Folders folders;
  const QString &shipped = folders.shipped, &folder = folders.folder;
  ship101(shipped);
  platform::updateShippedFiles(folder, shipped);
  writeBytes(folder + "BEStyle.css", "body{color:red}\r\n");  // the director's own

  ship100(shipped);
  const platform::ShippedFilesUpdate down = platform::updateShippedFiles(folder, shipped);
  EXPECT_EQ(down.version, "1.0.0-1");
  EXPECT_EQ(sorted(down.newer), (QStringList{"Howells/Bralmet/HOWELL06.TXT", "Howells/HOWELL08.TXT"}));
  EXPECT_EQ(down.newerVersion, "1.0.1-1");
  EXPECT_EQ(down.kept, QStringList{"BEStyle.css"});
  EXPECT_TRUE(down.added.isEmpty() && down.replaced.isEmpty() && down.refused.isEmpty());
  EXPECT_EQ(readBytes(folder + "Howells/HOWELL08.TXT"), "8 paires, corrigee\r\n");
  EXPECT_TRUE(platform::updateShippedFiles(folder, shipped).version.isEmpty());

  ship101(shipped);
  const platform::ShippedFilesUpdate up = platform::updateShippedFiles(folder, shipped);
  EXPECT_TRUE(up.newer.isEmpty() && up.added.isEmpty() && up.replaced.isEmpty());
  EXPECT_EQ(up.kept, QStringList{"BEStyle.css"});
}

// A folder the user may not write in: what could not be brought up to date
// is told, nothing is thrown, and the update is done once writing is allowed.
TEST(ShippedFiles, AFolderThatRefusesWritingIsToldAndUpdatedOnceItAllowsIt) {
  Folders folders;
  const QString &shipped = folders.shipped, &folder = folders.folder;
  folders.at100();
  ship101(shipped);
  const QByteArray record = readBytes(folder + "fichiers-livres.txt");

  const auto open = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                    QFile::ExeOther;
  QFile::setPermissions(folders.dir.path(), open | QFile::WriteOwner);
  for (const QString& sub : {QString(), QStringLiteral("Howells/"), QStringLiteral("Howells/Bralmet/")})
    QFile::setPermissions(folder + sub, open);
  platform::ShippedFilesUpdate update;
  {
    // Root writes anywhere: the update runs as an unprivileged user then.
    const bool lowered = ::geteuid() == 0 && ::seteuid(65534) == 0;
    EXPECT_NO_THROW(update = platform::updateShippedFiles(folder, shipped));
    if (lowered && ::seteuid(0) != 0) std::abort();
  }
  EXPECT_EQ(sorted(update.refused),
            (QStringList{"Howells/Bralmet/HOWELL06.TXT", "Howells/HOWELL08.TXT", "Howells/HOWELL44.TXT"}));
  EXPECT_TRUE(update.added.isEmpty() && update.replaced.isEmpty());
  EXPECT_EQ(readBytes(folder + "fichiers-livres.txt"), record);

  for (const QString& sub : {QString(), QStringLiteral("Howells/"), QStringLiteral("Howells/Bralmet/")})
    QFile::setPermissions(folder + sub, open | QFile::WriteOwner);
  update = platform::updateShippedFiles(folder, shipped);
  EXPECT_TRUE(update.refused.isEmpty());
  EXPECT_EQ(update.added, QStringList{"Howells/HOWELL44.TXT"});
  EXPECT_EQ(sorted(update.replaced), (QStringList{"Howells/Bralmet/HOWELL06.TXT", "Howells/HOWELL08.TXT"}));
}
