#include "platform/FolderLock.h"

#include "support/TestState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kLockName[] = "TALVARON.LCK";

// A results folder shared by two accounts: the folder and its lock file
// belong to this one, and a second account may only read them. The second
// account is played by a child process: "nobody" when the tests run as root
// (who may write anything), else this account with the rights taken away.
class FolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.path() + "/Resultats/";
    ASSERT_EQ(::mkdir(QFile::encodeName(folder_).constData(), 0755), 0);
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);
  }
  void TearDown() override { ::chmod(QFile::encodeName(folder_).constData(), 0755); }
  QByteArray lockPath() const { return QFile::encodeName(folder_ + kLockName); }

  // The second account's lockFolder() in a child, which then keeps whatever
  // it holds until release() is called. Its answer: 'L' locked, 'H' another
  // process holds it, or 'E' followed by the opening's code.
  QByteArray secondAccount() {
    if (::pipe(answer_) != 0 || ::pipe(release_) != 0) return "pipe";
    child_ = ::fork();
    if (child_ == 0) {
      if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
      int openError = 0;
      const auto holder = platform::lockFolder(folder_, kLockName, openError);
      QByteArray said = openError != 0 ? "E" + QByteArray::number(openError) : !holder ? QByteArray("L") : QByteArray("H");
      (void)!::write(answer_[1], said.constData(), static_cast<size_t>(said.size()));
      ::close(answer_[1]);
      char c = 0;
      (void)!::read(release_[0], &c, 1);
      ::_exit(0);
    }
    ::close(answer_[1]);
    char buffer[32] = {};
    const ssize_t got = ::read(answer_[0], buffer, sizeof buffer);
    return got > 0 ? QByteArray(buffer, static_cast<int>(got)) : QByteArray("nothing");
  }
  void release() {
    (void)!::write(release_[1], "x", 1);
    int status = 0;
    ::waitpid(child_, &status, 0);
    ::close(answer_[0]);
    ::close(release_[0]);
    ::close(release_[1]);
  }
  // Read-only for the second account.
  void othersMayOnlyRead(const QByteArray& path, mode_t mode) {
    ::chmod(path.constData(), ::geteuid() == 0 ? mode : mode & 0555);
  }

  QTemporaryDir dir_;
  QString folder_;
  pid_t child_ = -1;
  int answer_[2] = {-1, -1};
  int release_[2] = {-1, -1};
};

TEST_F(FolderLockTest, AnotherAccountLocksAFileItMayOnlyRead) {
  testing_support::writeBytes(folder_ + kLockName, "123\r\n2026-12-07T20:00:00\r\n");
  othersMayOnlyRead(lockPath(), 0644);
  othersMayOnlyRead(QFile::encodeName(folder_), 0755);
  ASSERT_EQ(secondAccount(), "L");
  // The lock is the child's: this process cannot take it meanwhile.
  const int fd = ::open(lockPath().constData(), O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(errno, EWOULDBLOCK);
  release();
  EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);  // let go with the child's end
  ::close(fd);
}

TEST_F(FolderLockTest, ALockFileThatCannotBeOpenedIsReported) {
  // No lock file yet, and no right to create one.
  othersMayOnlyRead(QFile::encodeName(folder_), 0755);
  if (::geteuid() != 0) ::chmod(QFile::encodeName(folder_).constData(), 0555);
  ASSERT_EQ(secondAccount(), "E" + QByteArray::number(EACCES));
  release();
  // A link in its place is never followed, whoever asks.
  ::chmod(QFile::encodeName(folder_).constData(), 0755);
  ASSERT_EQ(::symlink("/nowhere", lockPath().constData()), 0);
  int openError = 0;
  EXPECT_FALSE(platform::lockFolder(folder_, kLockName, openError).has_value());  // this process holds nothing
  EXPECT_EQ(openError, ELOOP);
}

}  // namespace
