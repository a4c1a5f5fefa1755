#pragma once
// The names in the folders the program looks into, kept in memory so that a
// name can be found without regard to case without reading the folder each
// time. The system's change notifications keep each index exact (files
// created, deleted or renamed by anyone); where they are not available every
// lookup reads the folder.
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The temporary files of the atomic writer: "." + the target's name + "." +
// the writer's process id + "." + six random characters + kTemporarySuffix.
inline constexpr char kTemporarySuffix[] = ".talvaron-tmp";
bool isTemporaryName(QStringView name);

namespace folder_index {

// The spelling on disk of the entry of folder (an absolute path, spelled as
// on disk) whose name matches name without regard to case: name itself when
// it exists as spelled, "" when nothing matches. Never a temporary file of
// the writer. Nothing when folder does not exist as spelled.
std::optional<QString> find(const QString& folder, const QString& name);

// find() for several names of one folder, from one reading of its index.
std::optional<QStringList> findEach(const QString& folder, const QStringList& names);

// Every spelling of name in folder (twins differ only in case).
QStringList spellings(const QString& folder, const QString& name);

// The writer's temporary files in folder (names), without reading the folder
// when it is indexed.
QStringList temporaries(const QString& folder);

}  // namespace folder_index
}  // namespace platform
