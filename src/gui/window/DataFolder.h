#pragma once
// Where the program keeps its files (equation files, kept tape, conversion file, trace
// log, engine snapshot): the executable's folder when it is writable, as a portable
// install expects, otherwise the per-user data folder.

#include <QString>

namespace quantrel::gui {

/// The executable's folder when it is writable, else QStandardPaths::AppDataLocation,
/// created on demand. Never empty.
QString DefaultDataFolder();

/// `name` inside `folder`: DataFile("/opt/q", "Debug.txt") -> "/opt/q/Debug.txt".
QString DataFile(const QString& folder, const QString& name);

} // namespace quantrel::gui
