#include "Configuration.h"

#include "ProgramFolder.h"

#include <QSettings>

namespace config {

QString value(const QString& key, const QString& fallback) {
    QString file = qEnvironmentVariable("VERBALOOM_CONFIG");
    if (file.isEmpty())
        file = InstallFolder() + QLatin1String("verbaloom.ini");
    const QSettings settings(file, QSettings::IniFormat);
    const QString v = settings.value(key).toString().trimmed();
    return v.isEmpty() ? fallback : v;
}

namespace {
QString withoutTrailingSlash(QString s) {
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}
} // namespace

QString makerServer() {
    return withoutTrailingSlash(
        value(QStringLiteral("hosts/maker_server"), QStringLiteral("http://www.verbaloom.com")));
}

QString makerWebSite() {
    return value(QStringLiteral("hosts/maker_web_site"), QStringLiteral("http://www.verbaloom.com/"));
}

QString downloadPage() {
    return value(QStringLiteral("hosts/download_page"),
                 QStringLiteral("http://www.verbaloom.com/download.html"));
}

QString downloadSite() {
    return withoutTrailingSlash(
        value(QStringLiteral("hosts/download_site"), QStringLiteral("http://down.verbaloom.com")));
}

} // namespace config
