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
