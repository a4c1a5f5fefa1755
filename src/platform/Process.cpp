#include "platform/Process.h"

#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <QProcessEnvironment>

#include <csignal>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

SystemProcesses systemProcesses;
Processes* installed = nullptr;

// The names a process is known by: its executable and the first word of its
// command line. A script runs as its interpreter ("/bin/sh script ..."): the
// system then names the process after the script (its first 15 characters),
// so a word after the interpreter (the script, or an option of the
// interpreter line before it) carrying that name is the script's.
QStringList processNames(const QString& procEntry) {
  QStringList names;
  const QString exe = QFile::symLinkTarget(procEntry + QStringLiteral("/exe"));
  if (!exe.isEmpty()) names << programBaseName(exe);
  QFile cmd(procEntry + QStringLiteral("/cmdline"));
  if (!cmd.open(QIODevice::ReadOnly)) return names;
  const QList<QByteArray> words = cmd.read(4096).split('\0');
  if (!words.isEmpty() && !words[0].isEmpty()) names << programBaseName(QFile::decodeName(words[0]));
  QFile comm(procEntry + QStringLiteral("/comm"));
  if (!comm.open(QIODevice::ReadOnly)) return names;
  QString shortName = QFile::decodeName(comm.readAll());
  if (shortName.endsWith('\n')) shortName.chop(1);
  if (shortName.isEmpty()) return names;
  for (qsizetype i = 1; i <= 2 && i < words.size(); ++i) {
    const QString script = programBaseName(QFile::decodeName(words[i]));
    if (script.size() >= shortName.size() && script.left(15) == shortName) names << script;
  }
  return names;
}

// Process ids of the current user's processes running the named program.
QList<pid_t> findProcesses(const QString& name) {
  QList<pid_t> found;
  const uid_t me = ::getuid();
  const pid_t self = ::getpid();
  const QDir proc(QStringLiteral("/proc"));
  for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool numeric = false;
    const pid_t pid = static_cast<pid_t>(entry.toInt(&numeric));
    if (!numeric || pid == self) continue;
    const QString path = QStringLiteral("/proc/") + entry;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || st.st_uid != me) continue;
    for (const QString& n : processNames(path))
      if (sameProgramName(n, name)) {
        found << pid;
        break;
      }
  }
  return found;
}

// A file the system can run: a binary or a script with its interpreter line.
bool runnableFormat(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(4);
  return head.startsWith("\x7F" "ELF") || head.startsWith("#!");
}

// A child of this process run through QProcess: its output read as the
// event loop (or a wait) brings it.
class SystemChild : public ChildProgram {
 public:
  explicit SystemChild(std::unique_ptr<QProcess> process) : process_(std::move(process)) {}
  ~SystemChild() override { stop(); }

  qint64 processId() const override { return pid_ ? pid_ : process_->processId(); }
  void rememberId() { pid_ = process_->processId(); }

  bool running() override {
    // A process that ended is noticed even where no event loop turns.
    if (process_->state() != QProcess::NotRunning) process_->waitForFinished(0);
    return process_->state() != QProcess::NotRunning;
  }

  std::optional<QString> readLine() override {
    if (!process_->canReadLine()) process_->waitForReadyRead(0);
    if (!process_->canReadLine()) return std::nullopt;
    QString line = QString::fromUtf8(process_->readLine());
    while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
    return line;
  }

  void whenOutput(std::function<void()> news) override {
    // Queued: a read inside a wait of readLine() tells nothing at once.
    QObject::connect(process_.get(), &QProcess::readyReadStandardOutput, process_.get(), [news = std::move(news)] {
      if (QCoreApplication::instance()) QMetaObject::invokeMethod(QCoreApplication::instance(), news, Qt::QueuedConnection);
    });
  }

  QString errors() override {
    errors_ += process_->readAllStandardError();
    return QString::fromUtf8(errors_);
  }

  int exitCode() override {
    if (running()) return -1;
    return process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
  }

  void stop() override {
    if (process_->state() == QProcess::NotRunning) return;
    process_->terminate();
    if (!process_->waitForFinished(1000)) {
      process_->kill();
      process_->waitForFinished(2000);
    }
  }

 private:
  std::unique_ptr<QProcess> process_;
  QByteArray errors_;
  qint64 pid_ = 0;
};

}  // namespace

Processes& processes() { return installed ? *installed : systemProcesses; }

void setProcesses(Processes* implementation) { installed = implementation; }

QString programBaseName(const QString& name) {
  const qsizetype cut = std::max(name.lastIndexOf('/'), name.lastIndexOf('\\'));
  return cut < 0 ? name : name.mid(cut + 1);
}

bool sameProgramName(const QString& a, const QString& b) {
  const QString x = programBaseName(a);
  return !x.isEmpty() && x.compare(programBaseName(b), Qt::CaseInsensitive) == 0;
}

int SystemProcesses::start(const QString& program, const QStringList& arguments) {
  QString path;
  if (program.contains('/')) {
    path = resolvePath(program);
  } else {
    path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return kStartNotFound;
  }
  const QFileInfo info(path);
  if (!info.exists()) return kStartNotFound;
  if (info.isDir() || !info.isExecutable()) return kStartAccessRefused;
  if (!runnableFormat(path)) return info.isReadable() ? kStartBadFormat : kStartAccessRefused;
  QProcess p;
  p.setProgram(info.absoluteFilePath());
  p.setArguments(arguments);
  p.setStandardInputFile(QProcess::nullDevice());
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setStandardErrorFile(QProcess::nullDevice());
  return p.startDetached() ? kStartSucceeded : kStartFailed;
}

std::unique_ptr<ChildProgram> SystemProcesses::startChild(const QString& program, const QStringList& arguments,
                                                          const QHash<QString, QString>& environment) {
  const QFileInfo info(resolvePath(program));
  if (!info.isFile() || !info.isExecutable()) return nullptr;
  auto process = std::make_unique<QProcess>();
  process->setProgram(info.absoluteFilePath());
  process->setArguments(arguments);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (auto i = environment.cbegin(); i != environment.cend(); ++i) env.insert(i.key(), i.value());
  process->setProcessEnvironment(env);
  process->setStandardInputFile(QProcess::nullDevice());
  // The child ends with this process, even when this one is killed.
  process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process->start();
  if (!process->waitForStarted(5000)) return nullptr;
  auto child = std::make_unique<SystemChild>(std::move(process));
  child->rememberId();
  return child;
}

bool SystemProcesses::isRunning(const QString& name) { return !findProcesses(name).isEmpty(); }

bool SystemProcesses::stop(const QString& name) {
  bool result = false;
  for (const pid_t pid : findProcesses(name)) result = ::kill(pid, SIGKILL) == 0;
  return result;
}

struct FakeProcesses::ChildState {
  FakeProcesses* owner = nullptr;  // none once the fake is gone
  QString program;
  QStringList output;
  std::function<void()> news;
  bool running = true;
  int code = 0;
  QString errors;
};

class FakeProcesses::Child : public ChildProgram {
 public:
  explicit Child(std::shared_ptr<ChildState> state) : state_(std::move(state)) {}
  qint64 processId() const override { return 0; }
  bool running() override { return state_->running; }
  std::optional<QString> readLine() override {
    if (state_->output.isEmpty()) return std::nullopt;
    return state_->output.takeFirst();
  }
  void whenOutput(std::function<void()> news) override { state_->news = std::move(news); }
  QString errors() override { return state_->errors; }
  int exitCode() override { return state_->running ? -1 : state_->code; }
  void stop() override {
    if (!state_->running) return;
    if (state_->owner) state_->owner->events << QStringLiteral("stop child: ") + state_->program;
    state_->running = false;
  }

 private:
  std::shared_ptr<ChildState> state_;
};

FakeProcesses::FakeProcesses() : previous_(installed) { setProcesses(this); }

FakeProcesses::~FakeProcesses() {
  for (const auto& c : children_) c->owner = nullptr;
  setProcesses(previous_);
}

int FakeProcesses::start(const QString& program, const QStringList& arguments) {
  events << (QStringLiteral("start: ") + program + (arguments.isEmpty() ? QString() : ' ' + arguments.join(' ')));
  const int result = startResults.value(programBaseName(program).toUpper(), kStartSucceeded);
  if (result > 32) running << program;
  return result;
}

bool FakeProcesses::isRunning(const QString& name) {
  events << QStringLiteral("running?: ") + name;
  for (const QString& r : running)
    if (sameProgramName(r, name)) return true;
  return false;
}

std::unique_ptr<ChildProgram> FakeProcesses::startChild(const QString& program, const QStringList& arguments,
                                                        const QHash<QString, QString>& environment) {
  events << (QStringLiteral("child: ") + program + (arguments.isEmpty() ? QString() : ' ' + arguments.join(' ')));
  childEnvironment = environment;
  if (startResults.value(programBaseName(program).toUpper(), kStartSucceeded) <= 32) return nullptr;
  auto state = std::make_shared<ChildState>();
  state->owner = this;
  state->program = program;
  state->output = childOutput;
  if (childEndsWith) {
    state->running = false;
    state->code = *childEndsWith;
    state->errors = childErrors;
  }
  children_ << state;
  return std::make_unique<Child>(state);
}

void FakeProcesses::endChildren(int code, const QString& errors) {
  for (const auto& c : children_)
    if (c->running) {
      c->running = false;
      c->code = code;
      c->errors = errors;
    }
}

void FakeProcesses::say(const QString& line) {
  for (const auto& c : QList<std::shared_ptr<ChildState>>(children_))
    if (c->running) {
      c->output << line;
      if (c->news) c->news();
    }
}

bool FakeProcesses::stop(const QString& name) {
  events << QStringLiteral("stop: ") + name;
  const qsizetype before = running.size();
  running.removeIf([&](const QString& r) { return sameProgramName(r, name); });
  return running.size() != before;
}

}  // namespace platform
