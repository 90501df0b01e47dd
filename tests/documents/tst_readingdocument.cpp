#include "documents/ReadingDocument.h"

#include "platform/ErrorGuard.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

class ReadingDocumentTest : public QObject {
    Q_OBJECT
    TestEnvironment env;

private slots:
    void emptyDocumentIsFiveShortLines() {
        const QByteArray file = EncodeDocument({});
        const QList<QByteArray> lines = file.split('\n');
        QCOMPARE(lines.size(), 6); // five lines and nothing after the last CR LF
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(lines[i].size(), 17);
            QVERIFY(lines[i].endsWith('\r'));
        }
        QCOMPARE(lines[5], QByteArray());
        QCOMPARE(DecodeDocument(file), ReadingDocument{});
    }

    void roundTripKeepsEveryCharacter() {
        const ReadingDocument d{QStringLiteral("Line one\nline\ttwo\n"), QStringLiteral("中文翻译\n第二行"),
                                QStringLiteral("笔记 😀 and 𠀀 outside GBK"), QStringLiteral("http://x/a b.mp3"),
                                QStringLiteral("/home/u/朗读.wav")};
        const QString path = env.path(QStringLiteral("round.vbd"));
        WriteDocumentFile(path, d);
        QCOMPARE(ReadDocumentFile(path), d);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& line : file.readAll().split('\n')) {
            for (char c : line)
                QVERIFY((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == '\r');
        }
    }

    void lineEndingsOnRead_data() {
        QTest::addColumn<QByteArray>("separator");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF only") << QByteArray("\n");
    }
    void lineEndingsOnRead() {
        QFETCH(QByteArray, separator);
        const ReadingDocument d{QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("notes"), {}, {}};
        QByteArray file = EncodeDocument(d);
        file.replace("\r\n", separator);
        QCOMPARE(DecodeDocument(file), d);
    }

    void shortAndLongFiles() {
        const ReadingDocument d{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                QStringLiteral("d"), QStringLiteral("e")};
        const QByteArray full = EncodeDocument(d);
        const QList<QByteArray> lines = full.split('\n');
        // Two lines only, the second without its line end: the rest reads as empty.
        const ReadingDocument two = DecodeDocument(lines[0] + '\n' + lines[1].chopped(1));
        QCOMPARE(two.left, d.left);
        QCOMPARE(two.right, d.right);
        QVERIFY(two.notes.isEmpty() && two.audioFile.isEmpty());
        QCOMPARE(DecodeDocument(full + "ABCDEF\r\nextra\r\n"), d);
        // A plain text file is no document: every field reads as empty, nothing fails.
        QCOMPARE(DecodeDocument("This is not\r\na document\r\n"), ReadingDocument{});
    }

    void failedWriteKeepsTheOldFile() {
        const QString path = env.path(QStringLiteral("keep.vbd"));
        const ReadingDocument old{QStringLiteral("old text"), {}, {}, {}, {}};
        WriteDocumentFile(path, old);
        // The folder refuses new files, so the temporary copy cannot be made.
        QFile::setPermissions(env.programFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(env.programFolder()).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        QVERIFY_THROWS_EXCEPTION(UserError, WriteDocumentFile(path, {QStringLiteral("new"), {}, {}, {}, {}}));
        QFile::setPermissions(env.programFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                       QFileDevice::ExeOwner);
        QCOMPARE(ReadDocumentFile(path), old);
    }

    void missingFileRaises() {
        QVERIFY_THROWS_EXCEPTION(UserError, ReadDocumentFile(env.path(QStringLiteral("none.vbd"))));
        QVERIFY_THROWS_EXCEPTION(UserError, WriteDocumentFile(env.path(QStringLiteral("no/such/dir.vbd")), {}));
    }
};

QTEST_GUILESS_MAIN(ReadingDocumentTest)
#include "tst_readingdocument.moc"
