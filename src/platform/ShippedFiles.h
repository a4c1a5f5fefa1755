#pragma once
// The files an installed copy ships (movement files, web page files, the
// BridgeMates template) and their copies in each user's program folder.
//
// The package holds a list of them, "fichiers-livres.txt" beside them: a
// first line "Talvaron <version>", then one line per file, its name under the
// shipped folder and, separated by tabs, the SHA-256 of the bytes this
// version ships followed by those of every earlier version that shipped a
// file of that name. The user's folder keeps a copy of the list it was last
// brought up to; a start that finds another list there (or none) brings the
// folder's copies up to date.
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

inline const QString kShippedListName = QStringLiteral("fichiers-livres.txt");

struct ShippedFile {
  QString name;            // under the shipped folder, "/" between folders
  QStringList checksums;   // lower-case hex SHA-256: this version's, then earlier ones
};

struct ShippedList {
  QString version;
  QList<ShippedFile> files;
};

// The list in the file path; nothing when it is missing or not such a list
// (a name that would leave the folder, a line without a checksum).
std::optional<ShippedList> readShippedList(const QString& path);

// Lower-case hex SHA-256 of a regular file's bytes; empty when path is not a
// regular file (a link is not followed) or cannot be read.
QString fileChecksum(const QString& path);

// What bringing a folder up to the shipped files did.
struct ShippedFilesUpdate {
  QString version;     // the list's version; empty when nothing was to be done
  QStringList added;   // missing from the folder: copied
  QStringList replaced;  // the bytes of an earlier version: replaced
  QStringList kept;    // changed by the user (or not a regular file): left alone
  QStringList newer;   // the bytes of a newer release the folder was brought up to: left alone
  QString newerVersion;  // that release
  QStringList refused;   // to be added or replaced, but writing there is refused
  bool unreadableList = false;  // the shipped list is not one: nothing else done
};

// Brings folder (ends with "/") up to the files listed in shipped (ends with
// "/"): nothing when shipped holds no list or folder already holds the same
// list; otherwise each listed file is added when missing, left alone when it
// holds this version's bytes, replaced when it holds an earlier version's,
// kept when it holds the bytes of the newer release the folder's own list
// names (a downgrade), kept when the user changed it; the list is copied
// last, so an interrupted update is done again at the next start. A file the
// folder refuses to take (no permission, a read-only file system) is listed
// as refused and the update goes on, its list left uncopied. A shipped list
// that is no list is copied as it is, so that it is said once. Files the
// list does not name are never touched. Throws IoError when a file cannot be
// written for another reason.
ShippedFilesUpdate updateShippedFiles(const QString& folder, const QString& shipped);

}  // namespace platform
