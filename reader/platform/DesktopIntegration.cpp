#include "DesktopIntegration.h"

#include "ErrorGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kTitle = QStringLiteral("蓝岸英语阅读器");
const QString kDesktopName = QStringLiteral("Lectern.desktop");

QString configHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// Exec keys quote a path with spaces or special characters, escaping quote, backquote, dollar, backslash.
QString quoteExec(const QString& path) {
    QString escaped = path;
    for (const char* c : {"\\", "\"", "`", "$"})
        escaped.replace(QLatin1String(c), QLatin1String("\\") + QLatin1String(c));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The program an Exec value names: its first word, unquoted.
QString execProgram(const QString& exec) {
    if (!exec.startsWith(QLatin1Char('"')))
        return exec.section(QLatin1Char(' '), 0, 0);
    QString program;
    for (qsizetype i = 1; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == QLatin1Char('\\') && i + 1 < exec.size())
            program += exec[++i];
        else if (c == QLatin1Char('"'))
            break;
        else
            program += c;
    }
    return program;
}

// Desktop entry strings escape backslashes and line breaks.
QString entryValue(QString text) {
    text.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    text.replace(QLatin1String("\n"), QLatin1String("\\n"));
    return text;
}

QString xmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Writes the file unless it already holds the content; answers whether it wrote.
bool writeFile(const QString& path, const QByteArray& content) {
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.size() == content.size() && current.readAll() == content)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw UserError(QStringLiteral("Failed to set data for '%1'").arg(path));
    return true;
}

// Sets one key of mimeapps.list's [Default Applications], keeping every other line as it was.
QByteArray withDefaultApplication(const QByteArray& old, const QString& mimeType, const QString& entry) {
    QStringList lines = QString::fromUtf8(old).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    const QString header = QStringLiteral("[Default Applications]");
    const QString line = mimeType + QLatin1Char('=') + entry;
    qsizetype section = lines.indexOf(header);
    if (section < 0) {
        lines << header << line;
    } else {
        qsizetype i = section + 1;
        for (; i < lines.size() && !lines[i].startsWith(QLatin1Char('[')); ++i) {
            if (lines[i].section(QLatin1Char('='), 0, 0).trimmed() == mimeType) {
                lines[i] = line;
                return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
            }
        }
        lines.insert(i, line);
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

void runIfInstalled(const QString& tool, const QString& folder) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty())
        QProcess::startDetached(path, {folder});
}

} // namespace

namespace desktop {

QString autostartFile() {
    return configHome() + QStringLiteral("/autostart/") + kDesktopName;
}

bool IsAutoRunEnabled() {
    QFile file(autostartFile());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inEntry = false;
    const QString exe = QCoreApplication::applicationFilePath();
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return execProgram(line.mid(5)) == exe;
    }
    return false;
}

void SetAutoRun(bool enable) {
    if (!enable) {
        QFile::remove(autostartFile());
        return;
    }
    const QString exe = QCoreApplication::applicationFilePath();
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Comment=%2\n"
                                         "Exec=%3\n"
                                         "Icon=lectern\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(kTitle, QStringLiteral("英语阅读、朗读与查词"), quoteExec(exe));
    try {
        writeFile(autostartFile(), entry.toUtf8());
    } catch (const UserError&) {
        // A folder that cannot be written leaves autorun off, without a message.
    }
}

QString mimeTypeFor(const QString& className) {
    QString name = className;
    name.replace(QLatin1Char('.'), QLatin1Char('-'));
    return QStringLiteral("application/x-") + name;
}

void RegisterFileAssociation(const QString& extension, const QString& className, const QString& description,
                             const QString& exePath, int iconIndex, bool notifyShell) {
    const QString mimeType = mimeTypeFor(className);
    const QString icon =
        iconIndex == 0 ? QStringLiteral("lectern") : QStringLiteral("lectern-%1").arg(iconIndex);
    const QString package =
        dataHome() + QStringLiteral("/mime/packages/") + className + QStringLiteral(".xml");
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%2</comment>\n"
                       "    <icon name=\"%3\"/>\n"
                       "    <glob pattern=\"*%4\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(mimeType, xmlEscaped(description), icon, xmlEscaped(extension));
    bool changed = writeFile(package, xml.toUtf8());

    // The icon the type and the entry name, from the program's own resources when it has one.
    const QString iconFile =
        dataHome() + QStringLiteral("/icons/hicolor/scalable/apps/") + icon + QStringLiteral(".svg");
    QFile resource(QStringLiteral(":/lectern/lectern.svg"));
    if (resource.open(QIODevice::ReadOnly))
        changed |= writeFile(iconFile, resource.readAll());

    const QString applications = dataHome() + QStringLiteral("/applications");
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Comment=%2\n"
                                         "Exec=%3 %f\n"
                                         "Icon=%4\n"
                                         "MimeType=%5;\n"
                                         "Terminal=false\n"
                                         "Categories=Education;Languages;\n")
                              .arg(kTitle, entryValue(description), quoteExec(exePath), icon, mimeType);
    changed |= writeFile(applications + QLatin1Char('/') + kDesktopName, entry.toUtf8());

    const QString mimeApps = configHome() + QStringLiteral("/mimeapps.list");
    QFile old(mimeApps);
    QByteArray content;
    if (old.open(QIODevice::ReadOnly))
        content = old.readAll();
    old.close();
    changed |= writeFile(mimeApps, withDefaultApplication(content, mimeType, kDesktopName));

    // Every start registers again; the databases are rebuilt only when that changed something
    // or the type is missing from the built database.
    const bool built =
        QFile::exists(dataHome() + QStringLiteral("/mime/") + mimeType + QStringLiteral(".xml"));
    if (notifyShell && (changed || !built)) {
        runIfInstalled(QStringLiteral("update-mime-database"), dataHome() + QStringLiteral("/mime"));
        runIfInstalled(QStringLiteral("update-desktop-database"), applications);
    }
}

} // namespace desktop
