#include "window/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quantrel::gui {

QString DefaultDataFolder() {
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (!executableFolder.isEmpty() && QFileInfo(executableFolder).isWritable())
        return executableFolder;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

QString DataFile(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

} // namespace quantrel::gui
