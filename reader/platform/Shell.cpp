#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

shell::Opener& opener() {
    static shell::Opener instance;
    return instance;
}

QUrl toUrl(const QString& target) {
    // Addresses are handed over exactly as built; only local paths become file URLs.
    if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:")))
        return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(target);
}

} // namespace

namespace shell {

void open(const QString& target) {
    if (opener()) {
        opener()(QStringLiteral("open"), target);
        return;
    }
    const QFileInfo info(target);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(target, {});
        return;
    }
    QDesktopServices::openUrl(toUrl(target));
}

void startProgram(const QString& path) {
    if (opener()) {
        opener()(QStringLiteral("start"), path);
        return;
    }
    QProcess::startDetached(path, {});
}

void install(Opener replacement) {
    opener() = std::move(replacement);
}

} // namespace shell
