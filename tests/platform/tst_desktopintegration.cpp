#include "platform/DesktopIntegration.h"
#include "platform/ErrorGuard.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeText(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

int runTool(const QString& tool, const QStringList& args, QString* output = nullptr) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000))
        return -1;
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return p.exitCode();
}

} // namespace

class DesktopIntegrationTest : public QObject {
    Q_OBJECT
    TestEnvironment env;

private slots:
    void autorunFollowsTheEntry() {
        QVERIFY(!desktop::IsAutoRunEnabled());
        desktop::SetAutoRun(false); // nothing to delete: no error
        desktop::SetAutoRun(true);
        QVERIFY(desktop::IsAutoRunEnabled());
        const QString entry = readText(desktop::autostartFile());
        QVERIFY(entry.contains(QStringLiteral("Name=蓝岸英语阅读器")));
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QString out;
            QCOMPARE(runTool(validator, {desktop::autostartFile()}, &out), 0);
        }
        desktop::SetAutoRun(false);
        QVERIFY(!QFile::exists(desktop::autostartFile()));
    }

    void autorunNamesThisExecutableExactly() {
        desktop::SetAutoRun(true);
        const QString exe = QCoreApplication::applicationFilePath();
        QString entry = readText(desktop::autostartFile());
        writeText(desktop::autostartFile(), entry.replace(exe, exe.toUpper()));
        QVERIFY(!desktop::IsAutoRunEnabled()); // another letter case is another program
        desktop::SetAutoRun(true);
        QVERIFY(desktop::IsAutoRunEnabled());
    }

    void associationIsWhatTheDesktopReads() {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        writeText(
            config + QStringLiteral("/mimeapps.list"),
            QStringLiteral("[Default Applications]\ntext/plain=editor.desktop\n[Added Associations]\nx=y\n"));
        const QString exe = QStringLiteral("/opt/my reader/Lectern");
        desktop::RegisterFileAssociation(QStringLiteral(".vbd"), QStringLiteral("verbaloom.vbd"),
                                         QStringLiteral("蓝岸英语阅读文件"), exe, 0, false);
        const QString mimeApps = readText(config + QStringLiteral("/mimeapps.list"));
        QVERIFY(mimeApps.contains(QStringLiteral("text/plain=editor.desktop")));
        QVERIFY(mimeApps.contains(QStringLiteral("[Added Associations]\nx=y")));
        QVERIFY(mimeApps.contains(QStringLiteral("application/x-verbaloom-vbd=Lectern.desktop")));
        const QString entryFile = data + QStringLiteral("/applications/Lectern.desktop");
        const QString entry = readText(entryFile);
        QVERIFY(entry.contains(QStringLiteral("Exec=\"/opt/my reader/Lectern\" %f")));
        QVERIFY(entry.contains(QStringLiteral("MimeType=application/x-verbaloom-vbd;")));
        const QString package = readText(data + QStringLiteral("/mime/packages/verbaloom.vbd.xml"));
        QVERIFY(package.contains(QStringLiteral("<comment>蓝岸英语阅读文件</comment>")));
        QVERIFY(package.contains(QStringLiteral("<glob pattern=\"*.vbd\"/>")));

        // Written again at the next start, the default is not duplicated.
        desktop::RegisterFileAssociation(QStringLiteral(".vbd"), QStringLiteral("verbaloom.vbd"),
                                         QStringLiteral("蓝岸英语阅读文件"), exe, 0, false);
        QCOMPARE(readText(config + QStringLiteral("/mimeapps.list")).count(QStringLiteral("x-verbaloom-vbd")),
                 1);

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty())
            QCOMPARE(runTool(validator, {entryFile}), 0);
        const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (updateMime.isEmpty())
            QSKIP("shared-mime-info not installed");
        QCOMPARE(runTool(updateMime, {data + QStringLiteral("/mime")}), 0);
        const QString doc = env.path(QStringLiteral("lesson.vbd"));
        writeText(doc, QStringLiteral("0ECBF5097ACD5C78\r\n"));
        // What a file manager sees: the shared MIME database of this user's data folder.
        QCOMPARE(QMimeDatabase().mimeTypeForFile(doc).name(), QStringLiteral("application/x-verbaloom-vbd"));
    }

    void settingsSurviveDamageAndUnreadableStores() {
        const QString file = settings::userSettingsFile();
        QDir().mkpath(QFileInfo(file).absolutePath());
        writeText(file, QStringLiteral("[Verbaloom]\nmydict=42\nother=keep me\n"));
        QCOMPARE(settings::LoadExternalDictionaryPath(), QStringLiteral("42")); // a number reads as its text
        QVERIFY(!settings::FirstRunDone());
        settings::MarkFirstRunDone();
        QVERIFY(settings::FirstRunDone());
        QVERIFY(readText(file).contains(QStringLiteral("other=keep me")));

        // A machine store that cannot be written: the flag reads 0 and a write does nothing.
        const QString machine = settings::machineSettingsFile();
        writeText(machine, QStringLiteral("[Verbaloom]\nupdate=abc\n"));
        QCOMPARE(settings::ReadUpdateFlag(), 0);
        QFile::setPermissions(machine, QFileDevice::ReadOwner);
        if (QFileInfo(machine).isWritable())
            QSKIP("running with rights that ignore file permissions");
        settings::WriteUpdateFlag(1);
        QCOMPARE(settings::ReadUpdateFlag(), 0);
    }
};

QTEST_GUILESS_MAIN(DesktopIntegrationTest)
#include "tst_desktopintegration.moc"
