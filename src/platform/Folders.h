#pragma once
// Folders of the machine and copies or deletions of folder trees.
#include <QList>
#include <QString>

namespace platform {

// Folder of the executable, or TALVARON_PROGRAM_FOLDER when set; ends with "/".
QString programFolder();
// Full name of the running executable.
QString executablePath();
// The user's Documents folder (TALVARON_DOCUMENTS_FOLDER when set), without
// a trailing "/".
QString documentsFolder();
// What stands for the root of drive C: on Windows: the user's home folder
// (TALVARON_ROOT_FOLDER when set); ends with "/".
QString driveRootFolder();

// Copies a file or a folder tree (links are copied as links, never followed);
// existing files are overwritten. True on success.
bool copyTree(const QString& from, const QString& to);
// What copyRegularFiles left out, by the name under the folder copied.
struct LeftOut {
  QString name;
  enum Why { NotAFile, TooLarge, Unreadable } why;
};
// Copies the regular files of a folder tree into to (created; existing files
// overwritten), each of at most maxBytes, going on past everything else:
// links (never followed, a folder's neither), FIFOs, devices and sockets are
// never opened; they, the larger files and the files that cannot be read
// are listed in leftOut. False when to cannot be made.
bool copyRegularFiles(const QString& from, const QString& to, qint64 maxBytes, QList<LeftOut>& leftOut);
// Deletes a file or a folder tree without following links. True when nothing
// is left (a missing path counts as deleted).
bool deleteTree(const QString& path);
// Creates a folder and its parents, reusing the existing ones found without
// regard to case; true when it exists afterwards.
bool makeFolder(const QString& path);

}  // namespace platform
