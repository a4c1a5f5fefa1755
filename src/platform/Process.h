#pragma once
// Programs the program starts, watches and stops by executable name (the
// device servers and the companion programs). Routines call processes(); the
// program uses the system's processes, tests install FakeProcesses.
#include <QHash>
#include <QString>
#include <QStringList>

namespace platform {

// Results of start(), as the Windows shell gives them: 2 the file is not
// found, 5 access is refused, any other failure a code up to 32; success is
// above 32.
inline constexpr int kStartNotFound = 2;
inline constexpr int kStartAccessRefused = 5;
inline constexpr int kStartBadFormat = 11;
inline constexpr int kStartFailed = 31;
inline constexpr int kStartSucceeded = 42;

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a program without waiting for it. program is a full name (found
  // without regard to case), or a bare name searched in the PATH.
  virtual int start(const QString& program, const QStringList& arguments) = 0;
  // True when a process of the current user runs an executable of this name
  // (the base name after "/" or "\", compared without regard to case).
  virtual bool isRunning(const QString& name) = 0;
  // Terminates every process isRunning(name) would find; the result of the
  // last termination, false when none was found.
  virtual bool stop(const QString& name) = 0;
};

// The installed processes (the system's until a test installs its own).
Processes& processes();
// Installs an implementation (not owned); nullptr puts the system's back.
void setProcesses(Processes* implementation);

// The name after the last "/" or "\".
QString programBaseName(const QString& name);
// Two program names designate the same executable: base names equal
// without regard to case.
bool sameProgramName(const QString& a, const QString& b);

// The system's processes, read from /proc.
class SystemProcesses : public Processes {
 public:
  int start(const QString& program, const QStringList& arguments) override;
  bool isRunning(const QString& name) override;
  bool stop(const QString& name) override;
};

// The processes of the tests: nothing is started; the programs "running"
// are a list of names; every call is recorded.
class FakeProcesses : public Processes {
 public:
  // Installs itself for its lifetime (and puts the previous one back).
  FakeProcesses();
  ~FakeProcesses() override;
  FakeProcesses(const FakeProcesses&) = delete;
  FakeProcesses& operator=(const FakeProcesses&) = delete;

  int start(const QString& program, const QStringList& arguments) override;
  bool isRunning(const QString& name) override;
  bool stop(const QString& name) override;

  QStringList running;              // executable names (or full names) running
  QHash<QString, int> startResults;  // by base name, upper case; default: success
  // "start: <program> <arguments joined by blanks>", "running?: <name>", "stop: <name>".
  QStringList events;

 private:
  Processes* previous_ = nullptr;
};

}  // namespace platform
