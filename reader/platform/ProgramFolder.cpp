#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

QString InstallFolder() {
    const QString moved = qEnvironmentVariable("VERBALOOM_PROGRAM_FOLDER");
    if (!moved.isEmpty())
        return withSlash(QDir::cleanPath(moved));
    return withSlash(QCoreApplication::applicationDirPath());
}

QString ProgramFolder() {
    const QString folder = InstallFolder();
    if (QFileInfo(folder).isWritable())
        return folder;
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String("/verbaloom");
    QDir().mkpath(data);
    return withSlash(data);
}
