#include "platform/Registry.h"

#include "support/TestState.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testing_support::readBytes;
using testing_support::writeBytes;

TEST(Registry, AValueIsWrittenOnlyInAnExistingKeyAndReadsBack) {
  QTemporaryDir dir;
  const QString file = dir.path() + "/registre.ini";
  platform::FileRegistry reg(file);
  const QString key = platform::kBridgeMatesSettingsKey;

  EXPECT_FALSE(reg.keyExists(key));
  EXPECT_FALSE(reg.setValue(key, "OverrideDBSettings", "no"));
  EXPECT_FALSE(QFileInfo::exists(file));  // a key is never created by a write

  reg.createKey(key);
  EXPECT_TRUE(reg.keyExists(key.toUpper()));
  EXPECT_FALSE(reg.value(key, "OverrideDBSettings"));
  EXPECT_TRUE(reg.setValue(key, "OverrideDBSettings", "yes"));
  EXPECT_TRUE(reg.setValue(key, "overridedbsettings", "no"));
  EXPECT_EQ(readBytes(file), "[Software\\VB and VBA Program Settings\\RFCM\\Settings]\r\nOverrideDBSettings=no\r\n");

  platform::FileRegistry again(file);
  EXPECT_EQ(again.value(key.toLower(), "OVERRIDEDBSETTINGS"), "no");
}

TEST(Registry, TheProgramsFileSitsInTheRootFolderAndTestsReplaceIt) {
  QTemporaryDir dir;
  qputenv("TALVARON_ROOT_FOLDER", dir.path().toUtf8());
  writeBytes(dir.path() + "/.talvaron-registre.ini", "[Software\\VB and VBA Program Settings\\RFCM\\Settings]\r\nOverrideDBSettings=yes\r\n");
  EXPECT_EQ(platform::registry().value(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue), "yes");
  {
    platform::MemoryRegistry memory;
    EXPECT_FALSE(platform::registry().keyExists(platform::kBridgeMatesSettingsKey));
  }
  EXPECT_TRUE(platform::registry().keyExists(platform::kBridgeMatesSettingsKey));
  qunsetenv("TALVARON_ROOT_FOLDER");
}
