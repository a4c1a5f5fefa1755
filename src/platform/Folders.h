#pragma once
// Folders of the machine and copies or deletions of folder trees.
#include "platform/ShippedFiles.h"

#include <QList>
#include <QString>

#include <functional>

namespace platform {

// The program folder (settings, players file, results, movement files), ends
// with "/": TALVARON_PROGRAM_FOLDER when set; for an installed copy the user's
// own folder (userProgramFolder()); otherwise the folder of the executable, as
// a copy run from its build tree keeps it.
QString programFolder();
// Where an installed copy keeps the files it ships, the seed of each user's
// program folder: "<prefix>/share/talvaron/" when the executable sits in
// "<prefix>/bin", that folder holds the movement folder "Howells" and none
// lies beside the executable (a build tree has one there); empty for any
// other copy.
QString shippedFilesFolder();
// The program folder of an installed copy: "talvaron/" in the user's data
// folder ($XDG_DATA_HOME, by default ~/.local/share); ends with "/".
QString userProgramFolder();
// What the start of an installed copy did to the user's program folder.
struct ProgramFolderStart {
  bool made = false;            // made now, at the copy's first start
  ShippedFilesUpdate update;    // its copies of the shipped files brought up to date
};
// At each start of an installed copy (TALVARON_PROGRAM_FOLDER unset): the
// first makes the user's program folder from the shipped files (those of the
// shipped list when the package has one, else the whole shipped folder), plus
// the empty files named (seedFolder() below); a later one after an upgrade
// brings the folder's copies of the shipped files up to date
// (updateShippedFiles()). Nothing for any other copy. Throws IoError when the
// folder cannot be made or a file written.
ProgramFolderStart prepareProgramFolder(const QStringList& emptyFiles);
// Makes folder whole or not at all: a sibling receives a copy of seed's tree
// and the empty files named, then takes folder's name, so an interrupted start
// never leaves a half-made folder behind. False, with nothing changed, when
// folder exists (as a file, a folder or a link); throws IoError when it cannot
// be made.
bool seedFolder(const QString& folder, const QString& seed, const QStringList& emptyFiles);
// The same, the sibling filled by fill(sibling) instead of a copy of a tree
// (false from fill: the folder cannot be made).
bool seedFolder(const QString& folder, const std::function<bool(const QString&)>& fill,
                const QStringList& emptyFiles);
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
