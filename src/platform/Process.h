#pragma once
// Programs the program starts, watches and stops by executable name (the
// device servers and the companion programs). Routines call processes(); the
// program uses the system's processes, tests install FakeProcesses.
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// Results of start(), as the Windows shell gives them: 2 the file is not
// found, 5 access is refused, any other failure a code up to 32; success is
// above 32.
inline constexpr int kStartNotFound = 2;
inline constexpr int kStartAccessRefused = 5;
inline constexpr int kStartBadFormat = 11;
inline constexpr int kStartFailed = 31;
inline constexpr int kStartSucceeded = 42;

// A program started as this process's own child: known by its handle,
// never by its name, and stopped by this process alone.
class ChildProgram {
 public:
  virtual ~ChildProgram() = default;
  virtual qint64 processId() const = 0;
  // False once the program has ended.
  virtual bool running() = 0;
  // The next whole line the program wrote on its standard output (its line
  // end removed), none while no whole line waits.
  virtual std::optional<QString> readLine() = 0;
  // news is called, from the event loop, each time the program has written
  // on its standard output (read it with readLine()).
  virtual void whenOutput(std::function<void()> news) = 0;
  // What the program wrote on its standard error so far.
  virtual QString errors() = 0;
  // Its exit code once ended (-1 when a signal ended it).
  virtual int exitCode() = 0;
  // SIGTERM, then SIGKILL when it still runs a second later; returns once
  // it has ended.
  virtual void stop() = 0;
};

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
  // Starts program (a full name) as this process's child with these
  // variables added to the environment; the child ends when this process
  // dies, however it dies. Nothing when it cannot be started.
  virtual std::unique_ptr<ChildProgram> startChild(const QString& program, const QStringList& arguments,
                                                   const QHash<QString, QString>& environment) = 0;
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
  std::unique_ptr<ChildProgram> startChild(const QString& program, const QStringList& arguments,
                                           const QHash<QString, QString>& environment) override;
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
  // A child that says childOutput on its standard output and runs until
  // stopped or ended by endChildren(); refused (nothing) when
  // startResults gives a failure for its name.
  std::unique_ptr<ChildProgram> startChild(const QString& program, const QStringList& arguments,
                                           const QHash<QString, QString>& environment) override;
  // The children started and still running end, with this code and this
  // standard error.
  void endChildren(int code, const QString& errors);
  // The children still running write this line on their standard output
  // (their news told at once).
  void say(const QString& line);

  QStringList running;              // executable names (or full names) running
  QHash<QString, int> startResults;  // by base name, upper case; default: success
  // "start: <program> <arguments joined by blanks>", "running?: <name>", "stop: <name>",
  // "child: <program> <arguments>", "stop child: <program>".
  QStringList events;
  // The lines each child writes at its start: by default the line of the
  // tables' server (the only child the program starts) once it listens.
  QStringList childOutput{QStringLiteral("Serveur des tables : http://0.0.0.0:8080/")};
  // When set, each child has already ended at its start with this code,
  // having said childErrors on its standard error.
  std::optional<int> childEndsWith;
  QString childErrors;
  QHash<QString, QString> childEnvironment;  // of the last child started

 private:
  struct ChildState;
  class Child;
  QList<std::shared_ptr<ChildState>> children_;
  Processes* previous_ = nullptr;
};

}  // namespace platform
