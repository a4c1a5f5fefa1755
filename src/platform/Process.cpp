#include "platform/Process.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

SystemProcesses systemProcesses;
Processes* installed = nullptr;

// The names a process is known by: its executable and the first word of its
// command line (a script shows its interpreter as executable).
QStringList processNames(const QString& procEntry) {
  QStringList names;
  const QString exe = QFile::symLinkTarget(procEntry + QStringLiteral("/exe"));
  if (!exe.isEmpty()) names << programBaseName(exe);
  QFile cmd(procEntry + QStringLiteral("/cmdline"));
  if (cmd.open(QIODevice::ReadOnly)) {
    const QByteArray all = cmd.read(4096);
    const QByteArray first = all.left(all.indexOf('\0') < 0 ? all.size() : all.indexOf('\0'));
    if (!first.isEmpty()) names << programBaseName(QFile::decodeName(first));
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

bool SystemProcesses::isRunning(const QString& name) { return !findProcesses(name).isEmpty(); }

bool SystemProcesses::stop(const QString& name) {
  bool result = false;
  for (const pid_t pid : findProcesses(name)) result = ::kill(pid, SIGKILL) == 0;
  return result;
}

FakeProcesses::FakeProcesses() : previous_(installed) { setProcesses(this); }

FakeProcesses::~FakeProcesses() { setProcesses(previous_); }

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

bool FakeProcesses::stop(const QString& name) {
  events << QStringLiteral("stop: ") + name;
  const qsizetype before = running.size();
  running.removeIf([&](const QString& r) { return sameProgramName(r, name); });
  return running.size() != before;
}

}  // namespace platform
