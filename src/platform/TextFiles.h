#pragma once
// Text files as the program keeps them: Windows-1252 on disk, CR LF line ends.
// Every rewrite is atomic (temporary file in the same folder, flushed, renamed
// over the target); appends stay appends. Files are found by name without
// regard to letter case.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>
#include <vector>

namespace platform {

// The program's own errors about a file, with the numbers its messages have
// always shown; they are not system error codes.
enum class FileFault { NotOpen = 103, BadNumber = 106 };

// A failed file operation: the system error code (errno), or one of the
// program's own faults, and the full file name.
class IoError : public std::runtime_error {
 public:
  IoError(int code, QString fileName, QString message);
  IoError(FileFault fault, QString fileName, QString message);
  int code() const { return code_; }
  // The program's own fault, when it is one (code() is then its number).
  const std::optional<FileFault>& fault() const { return fault_; }
  const QString& fileName() const { return fileName_; }
  // The French text shown to the director.
  const QString& message() const { return message_; }

 private:
  int code_;
  std::optional<FileFault> fault_;
  QString fileName_;
  QString message_;
};

// The path of an existing file or folder whose name matches path's without
// regard to case (each component is matched); path itself when it exists.
// Components that match nothing keep their spelling, under the folders that
// matched (the name a new file or folder gets).
QString resolvePath(const QString& path);
bool fileExists(const QString& path);    // a file, found without regard to case
bool folderExists(const QString& path);  // a folder, found without regard to case
// fileExists() of each name in folder, from one reading of the folder's index.
std::vector<bool> filesExist(const QString& folder, const QStringList& names);
// Deletes a file found without regard to case, and any twin whose name
// differs from it only in case; a missing file is not an error.
bool deleteFile(const QString& path);
// Names (not paths) of the files of folder matching a wildcard pattern ("*.PAI")
// without regard to case, sorted by name.
QStringList listFolder(const QString& folder, const QString& pattern);

// Bytes of a file decoded: UTF-8 when it starts with a UTF-8 byte-order mark,
// Windows-1252 otherwise.
QString decodeText(const QByteArray& bytes);
// Lines of a text: CR LF or LF; a trailing CR is stripped; a last line without
// line end counts, an empty text has no line.
QStringList splitLines(const QString& text);
// Reads a whole text file into lines; throws IoError when it cannot be read.
QStringList readTextLines(const QString& path);
// The same, or nothing when the file does not exist or cannot be read.
std::optional<QStringList> tryReadTextLines(const QString& path);
// The first line of a text file ("" for an empty file), or nothing when the
// file does not exist or cannot be read.
std::optional<QString> tryReadFirstLine(const QString& path);

// The bytes of a file that others may have put in a shared folder (found
// without regard to case), read without ever waiting or following a link:
// only a regular file is read, never a link, a folder, a FIFO, a device or a
// socket, and never more than maxBytes. Nothing when it is missing (error
// ENOENT), a link (ELOOP), another kind of entry (ENXIO), longer than
// maxBytes (EFBIG) or unreadable (the system's code); error may be null.
std::optional<QByteArray> readRegularFile(const QString& path, qsizetype maxBytes, int* error = nullptr);
// The lines of such a file, decoded as readTextLines does.
std::optional<QStringList> readRegularTextLines(const QString& path, qsizetype maxBytes, int* error = nullptr);

// AppendOneName is Append that also refuses a file with a second name (a
// hard link), for a folder other programs write into: lines added there
// would also appear under the other name. A results folder restored with
// "cp -al" has every file hard-linked to the copy and takes plain appends.
enum class WriteMode { Rewrite, Append, AppendOneName };

// Writes a text file. Rewrite: the text goes to a temporary file beside the
// target, which replaces the target only at close(); a writer destroyed
// before close() leaves the old file as it was. The temporary file's name is
// one isTemporaryName() recognises (FolderIndex.h). A file without write
// permission is not replaced (EACCES); a symbolic link, a FIFO or any other
// entry that is not a regular file is itself replaced by the new file, and
// what a link leads to is never written (a hard link's other names keep the
// old bytes). Append: only to a regular file, never through a symbolic link
// (ELOOP) nor into a FIFO or a device (ENXIO); AppendOneName neither to a
// file with another name (a hard link: EMLINK); the text is
// added at close(), in one piece (a failed write leaves the file as it was),
// after a line end when the file's last line has none (unless the text added
// starts with one). Failures throw IoError carrying errno and the target's
// name.
class TextWriter {
 public:
  TextWriter() = default;
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;
  TextWriter(TextWriter&& other) noexcept;
  TextWriter& operator=(TextWriter&& other) noexcept;
  ~TextWriter();

  // Opening failure throws IoError(errno, path, openFailureMessage with %1 the
  // code and %2 the name), or a plain message when openFailureMessage is empty.
  void open(const QString& path, WriteMode mode, const QString& openFailureMessage = {});
  bool isOpen() const { return fd_ >= 0; }
  const QString& fileName() const { return target_; }

  void write(const QString& text);
  void writeLine(const QString& text = {});  // text then CR LF
  void writeBytes(const QByteArray& bytes);
  void close();    // commits; throws IoError
  void abandon();  // drops what was written; the target stays as it was

 private:
  void flushBuffer();
  void appendBuffer();
  [[noreturn]] void fail(int code, const QString& what);
  [[noreturn]] void refuse(int code, const QString& openFailureMessage);

  int fd_ = -1;
  WriteMode mode_ = WriteMode::Rewrite;
  QString target_;
  QString temp_;
  QByteArray buffer_;
};

// Writes lines in one go: each followed by CR LF, except the last one when
// finalLineEnd is false.
void writeTextLines(const QString& path, const QStringList& lines, bool finalLineEnd = true);

// Rewrites a file with these bytes (as TextWriter does) unless it already
// holds exactly them. True when the file was written.
bool rewriteIfChanged(const QString& path, const QByteArray& bytes, const QString& openFailureMessage = {});

// Replaces to (found without regard to case; a link of that name is
// replaced, what it leads to is left alone) with a copy of the bytes of
// from, the way a rewrite does: a temporary file beside it, flushed to disk,
// renamed over it, so that to is never left half written. The copy can be read and written by its owner
// whatever from's permissions. 0 on success, else the system error code.
int copyFileAtomically(const QString& from, const QString& to);

// While a WriteBatch lives, the rewrites of this thread make their folders'
// renames durable once, when the batch ends, instead of once per file.
class WriteBatch {
 public:
  WriteBatch();
  WriteBatch(const WriteBatch&) = delete;
  WriteBatch& operator=(const WriteBatch&) = delete;
  ~WriteBatch();
  void addFolder(const QString& folder);

 private:
  WriteBatch* outer_;
  QStringList folders_;
};

// Removes the temporary files that writers of ended processes (or of this
// one, no longer open) left in folder, those of files whose name starts with
// namePrefix (without regard to case; every one when it is empty).
void removeLeftoverTemporaries(const QString& folder, const QString& namePrefix = {});
// The same in folder and in every folder under it (links to folders are not
// followed).
void removeLeftoverTemporariesBelow(const QString& folder);

}  // namespace platform
