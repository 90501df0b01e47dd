// The keyed-file rules that history.dat, info.dat and article.dat rely on.
#include "support/TestSupport.h"

#include "platform/AnsiCodec.h"
#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"

#include <QDir>
#include <QtTest>

class TestHistoryFile : public QObject {
    Q_OBJECT
    TestEnvironment env;

private slots:
    void reading() {
        const KeyedFile file = KeyedFile::fromBytes(ansi::encode(QStringLiteral(
            "; comment\r\nstray=before any section\r\n[Info]\r\nCount=3\r\n  time = 20 \r\nbad=12x\r\n"
            "url=http://a/b?x=1&y=2\r\ncount=99\r\nno equals sign\r\n[第二]\n标题=地址\n[info]\nlate=yes")));
        QCOMPARE(file.sections(), (QStringList{QStringLiteral("Info"), QStringLiteral("第二")}));
        QCOMPARE(file.keys(QStringLiteral("INFO")),
                 (QStringList{QStringLiteral("Count"), QStringLiteral("time"), QStringLiteral("bad"),
                              QStringLiteral("url"), QStringLiteral("late")}));
        QCOMPARE(file.readInteger(QStringLiteral("info"), QStringLiteral("COUNT"), 0), 3); // first line wins
        QCOMPARE(file.readInteger(QStringLiteral("info"), QStringLiteral("time"), 0), 20);
        QCOMPARE(file.readInteger(QStringLiteral("info"), QStringLiteral("bad"), 7), 7);
        QCOMPARE(file.readInteger(QStringLiteral("info"), QStringLiteral("missing"), 5000), 5000);
        QCOMPARE(file.readString(QStringLiteral("info"), QStringLiteral("url")),
                 QStringLiteral("http://a/b?x=1&y=2"));
        QCOMPARE(file.readString(QStringLiteral("第二"), QStringLiteral("标题")), QStringLiteral("地址"));
        QCOMPARE(file.readString(QStringLiteral("none"), QStringLiteral("x"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void writingKeepsPlacesAndOtherSections() {
        const QString path = env.path(QStringLiteral("keyed.dat"));
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::WriteOnly));
        raw.write(ansi::encode(QStringLiteral("[Other]\r\nk=v\r\n[History]\r\na.vbd=/x/a.vbd\r\n")));
        raw.close();

        KeyedFile file(path);
        file.writeString(QStringLiteral("history"), QStringLiteral("新.vbd"), QStringLiteral("/新/新.vbd"));
        file.writeString(QStringLiteral("History"), QStringLiteral("A.VBD"), QStringLiteral("/y/A.vbd"));
        file.save();
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readAll(),
                 ansi::encode(QStringLiteral(
                     "[Other]\r\nk=v\r\n[History]\r\na.vbd=/y/A.vbd\r\n新.vbd=/新/新.vbd\r\n")));
    }

    void unwritableFileRaisesItsPath() {
        const QString path = env.path(QStringLiteral("blocked.dat"));
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        KeyedFile file;
        file.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v"));
        try {
            file.saveAs(path);
            QFAIL("no error");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), QStringLiteral("Unable to write to ") + path);
        }
    }
};

QTEST_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
