#pragma once
// Fixture helpers shared by the tests: a private program folder, Documents
// folder and results folder per test, a fixed clock, and the tournament state
// reset.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace testing_support {

// Reads a whole file's bytes ("" when missing).
QByteArray readBytes(const QString& path);
// Writes bytes to a file, creating its folder.
void writeBytes(const QString& path, const QByteArray& bytes);
// A few files as an installed copy ships them (its share/talvaron folder):
// two movement files, one of them the club's, and a web page's style sheet.
inline const QStringList kShippedFiles = {"Howells/HOWELL04.TXT", "Howells/Bralmet/HOWELL06.TXT", "BEStyle.css"};
void writeShippedFiles(const QString& folder);
// Some process holds the file's lock: flock(1) cannot take it without
// waiting.
bool FileLocked(const QString& file);

// Turns the event loop until done() or ms have passed; done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, int ms);

// Base fixture: every test gets fresh folders (ProgramFolder, DataFolder,
// DocumentsFolder, the root that stands for C:\), the state reset as at
// start-up, fatal stops that throw and a clock fixed at 2026-12-07 20:00
// (a Monday) unless the test sets another.
class TalvaronTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString programDir() const;  // ends with "/"
  QString dataDir() const;     // ends with "/"
  QString documentsDir() const;
  QString rootDir() const;     // ends with "/"

  QTemporaryDir tmp_;
};

// Resets every tournament global to its start value.
void resetGlobals();

// Runs pass; the first time it saves (when it tells that the results were
// counted again, core/ResultNews.h), meanwhile runs too: what others do
// between a pass's reading and its deletion or marking. True when meanwhile
// ran.
bool RunWithChangeWhileSaving(const std::function<void()>& pass, const std::function<void()>& meanwhile);

}  // namespace testing_support
