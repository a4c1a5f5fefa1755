#include "platform/FolderIndex.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

bool isTemporaryName(QStringView name) {
  return name.startsWith(u'.') && name.endsWith(QLatin1String(kTemporarySuffix));
}

namespace folder_index {
namespace {

constexpr std::size_t kMaxFolders = 16;
constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// Qt's string hash runs wide vector instructions on some processors and can
// leave their upper halves in use; the scalar floating-point instructions
// after it then wait on them (a Butler recompute, which looks up its ".ADJ"
// and ".PEN", took half as long again). The index hashes its names itself.
struct NameHash {
  std::size_t operator()(const QString& s) const noexcept {
    return std::hash<std::u16string_view>{}(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                                                static_cast<std::size_t>(s.size())));
  }
};

// Names of one folder: each name folded to lower case leads to its
// spellings (more than one when twins differ only in case).
struct Folder {
  QString path;  // without a final "/" (except the root)
  dev_t device = 0;
  ino_t inode = 0;
  int watch = -1;
  bool complete = false;  // read once, then kept by the notifications
  // The path goes through a symbolic link, whose change no notification
  // reports: the folder it names is checked at each lookup.
  bool verify = false;
  std::unordered_map<QString, QStringList, NameHash> names;
  QStringList temporaries;
  unsigned long long used = 0;

  void add(const QString& name) {
    if (isTemporaryName(name)) {
      if (!temporaries.contains(name)) temporaries << name;
      return;
    }
    QStringList& spellings = names[name.toCaseFolded()];
    if (!spellings.contains(name)) spellings << name;
  }
  void remove(const QString& name) {
    if (isTemporaryName(name)) {
      temporaries.removeAll(name);
      return;
    }
    const auto it = names.find(name.toCaseFolded());
    if (it == names.end()) return;
    it->second.removeAll(name);
    if (it->second.isEmpty()) names.erase(it);
  }
};

QString Trimmed(const QString& folder) {
  QString path = folder;
  while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
  return path;
}

bool Read(const QString& path, Folder& into) {
  DIR* dir = ::opendir(QFile::encodeName(path).constData());
  if (!dir) return false;
  into.names.clear();
  into.temporaries.clear();
  while (const dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    into.add(QFile::decodeName(e->d_name));
  }
  ::closedir(dir);
  return true;
}

class Index {
 public:
  Index() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
  ~Index() {
    if (fd_ >= 0) ::close(fd_);
  }

  // The folder's index brought up to date, or nullptr when the folder does
  // not exist as spelled; scratch holds a one-time reading when the folder
  // cannot be watched.
  Folder* folder(const QString& spelled, Folder& scratch) {
    const QString path = Trimmed(spelled);
    drain();
    Folder* f = nullptr;
    for (Folder& candidate : folders_)
      if (candidate.path == path) f = &candidate;
    // A watched folder and its watched parents still stand where they were:
    // the path names the same folder.
    if (!f || f->verify) {
      struct stat st {};
      if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        if (f) drop(f->watch);
        return nullptr;
      }
      if (f && (f->device != st.st_dev || f->inode != st.st_ino)) {
        drop(f->watch);
        f = nullptr;
      }
      if (!f) f = watch(path, st);
      if (!f) return Read(path, scratch) ? &scratch : nullptr;
    }
    if (!f->complete) {
      if (!Read(path, *f)) return nullptr;
      f->complete = true;
    }
    f->used = ++clock_;
    return f;
  }

 private:
  Folder* watch(const QString& path, const struct stat& st) {
    if (fd_ < 0) return nullptr;
    // Watched before it is read: no change between the two goes unseen.
    const int wd = ::inotify_add_watch(fd_, QFile::encodeName(path).constData(), kEvents | IN_MASK_ADD);
    if (wd < 0) return nullptr;
    drop(wd);  // the same folder under another spelling
    if (folders_.size() >= kMaxFolders) {
      auto oldest = std::min_element(folders_.begin(), folders_.end(),
                                     [](const Folder& a, const Folder& b) { return a.used < b.used; });
      drop(oldest->watch);
    }
    Folder f;
    f.path = path;
    f.device = st.st_dev;
    f.inode = st.st_ino;
    f.watch = wd;
    f.verify = !watchParents(path);
    folders_.push_back(std::move(f));
    return &folders_.back();
  }

  // Watches each folder above path for its own renaming or removal. False
  // when one is a symbolic link or cannot be watched.
  bool watchParents(const QString& path) {
    bool sure = true;
    QString parent = path;
    for (;;) {
      struct stat st {};
      if (::lstat(QFile::encodeName(parent).constData(), &st) != 0 || S_ISLNK(st.st_mode)) sure = false;
      const qsizetype cut = parent.lastIndexOf(u'/');
      if (cut <= 0) break;
      parent.truncate(cut);
      const int wd = ::inotify_add_watch(fd_, QFile::encodeName(parent).constData(),
                                         IN_MOVE_SELF | IN_DELETE_SELF | IN_MASK_ADD | IN_ONLYDIR);
      if (wd < 0) {
        sure = false;
      } else {
        parents_.insert(wd, parent);
      }
    }
    return sure;
  }

  // Forgets the folder of this watch. Watches stay in place (a folder may
  // also be another's parent); those of folders gone end by themselves.
  void drop(int wd) {
    folders_.erase(std::remove_if(folders_.begin(), folders_.end(), [wd](const Folder& g) { return g.watch == wd; }),
                   folders_.end());
  }

  // Applies every pending notification.
  void drain() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) {
        if (n < 0 && errno == EINTR) continue;
        return;  // EAGAIN: nothing more
      }
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        apply(*e);
      }
    }
  }

  void apply(const inotify_event& e) {
    if (e.mask & IN_Q_OVERFLOW) {  // events lost: read every folder again
      for (Folder& f : folders_) f.complete = false;
      return;
    }
    if (e.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
      // A folder renamed or removed: every folder under it is forgotten.
      if (const auto parent = parents_.constFind(e.wd); parent != parents_.constEnd()) {
        const QString under = *parent + u'/';
        folders_.erase(std::remove_if(folders_.begin(), folders_.end(),
                                      [&under](const Folder& f) { return f.path.startsWith(under); }),
                       folders_.end());
        if (e.mask & IN_IGNORED) parents_.remove(e.wd);
      }
      drop(e.wd);
      return;
    }
    const auto it = std::find_if(folders_.begin(), folders_.end(), [&e](const Folder& f) { return f.watch == e.wd; });
    if (it == folders_.end() || !it->complete || e.len == 0) return;
    const QString name = QFile::decodeName(e.name);
    if (e.mask & (IN_CREATE | IN_MOVED_TO)) it->add(name);
    if (e.mask & (IN_DELETE | IN_MOVED_FROM)) it->remove(name);
  }

  int fd_;
  std::vector<Folder> folders_;
  QHash<int, QString> parents_;  // watches of the folders above them
  unsigned long long clock_ = 0;
};

std::mutex& Lock() {
  static std::mutex m;
  return m;
}

Index& TheIndex() {
  static Index index;
  return index;
}

// The spelling of name in an index brought up to date.
QString Spelling(const Folder& f, const QString& name) {
  const auto it = f.names.find(name.toCaseFolded());
  if (it == f.names.end()) return QString();
  const QStringList& spelled = it->second;
  if (spelled.contains(name)) return name;
  return *std::min_element(spelled.begin(), spelled.end());
}

}  // namespace

std::optional<QString> find(const QString& folder, const QString& name) {
  const std::lock_guard<std::mutex> guard(Lock());
  Folder scratch;
  const Folder* f = TheIndex().folder(folder, scratch);
  if (!f) return std::nullopt;
  return Spelling(*f, name);
}

std::optional<QStringList> findEach(const QString& folder, const QStringList& names) {
  const std::lock_guard<std::mutex> guard(Lock());
  Folder scratch;
  const Folder* f = TheIndex().folder(folder, scratch);
  if (!f) return std::nullopt;
  QStringList found;
  found.reserve(names.size());
  for (const QString& name : names) found << Spelling(*f, name);
  return found;
}

QStringList spellings(const QString& folder, const QString& name) {
  const std::lock_guard<std::mutex> guard(Lock());
  Folder scratch;
  const Folder* f = TheIndex().folder(folder, scratch);
  if (!f) return {};
  const auto it = f->names.find(name.toCaseFolded());
  return it == f->names.end() ? QStringList() : it->second;
}

QStringList temporaries(const QString& folder) {
  const std::lock_guard<std::mutex> guard(Lock());
  Folder scratch;
  const Folder* f = TheIndex().folder(folder, scratch);
  return f ? f->temporaries : QStringList();
}

}  // namespace folder_index
}  // namespace platform
