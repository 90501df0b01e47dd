#include "DictFixture.h"

#include "core/WordImport.h"
#include "core/WordList.h"

#include <QProcess>
#include <QStringEncoder>
#include <QtTest>

using glossa::ParseWordList;
using glossa::WordList;

namespace {

QByteArray encode(const QString& text, const char* encoding) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::Default);
    return encoder(text);
}

QStringList words(const WordList& list) {
    QStringList result;
    for (const glossa::WordEntry& e : list.entries)
        result.append(e.word);
    return result;
}

QString refusals(const WordList& list) {
    QStringList lines;
    for (const glossa::RefusedLine& r : list.refused)
        lines.append(QStringLiteral("%1:%2").arg(r.line).arg(r.reason));
    return lines.join(QLatin1Char('|'));
}

} // namespace

class WordListTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheShippedFormat() {
        const WordList list = ParseWordList(QStringLiteral("word\tphonetic\texplanation\n"
                                                           "about\t/əˈbaʊt/\tprep. 关于\\nadv. 大约\n"
                                                           "\n"
                                                           "can't\t/kɑːnt/\t= cannot; C:\\\\dir\r\n")
                                                .toUtf8());
        QCOMPARE(list.encoding, QStringLiteral("UTF-8"));
        QCOMPARE(list.delimiter, QLatin1Char('\t'));
        QCOMPARE(list.entries.size(), 2);
        QCOMPARE(list.entries[0].explanation, QStringLiteral("prep. 关于\nadv. 大约"));
        QCOMPARE(list.entries[1].word, QStringLiteral("can't"));
        QCOMPARE(list.entries[1].explanation, QStringLiteral("= cannot; C:\\dir"));
        QCOMPARE(list.entries[1].line, 4);
        QVERIFY(list.refused.isEmpty());
    }

    void detectsTheEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        const QString text = QStringLiteral("单词\t音标\t解释\n苹果词\t/x/\t中文解释：苹果\n");
        QTest::newRow("utf-8") << text.toUtf8() << u"UTF-8"_qs;
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << u"UTF-8"_qs;
        QTest::newRow("gb18030") << encode(text, "GB18030") << u"GB18030"_qs;
        QTest::newRow("utf-16 with bom") << QByteArray("\xFF\xFE") + encode(text, "UTF-16LE") << u"UTF-16"_qs;
    }

    void detectsTheEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        const WordList list = ParseWordList(bytes);
        QCOMPARE(list.encoding, encoding);
        QCOMPARE(words(list), QStringList{QStringLiteral("苹果词")});
        QCOMPARE(list.entries[0].explanation, QStringLiteral("中文解释：苹果"));
    }

    void readsCsvWithQuotesAndAnyColumnOrder() {
        const WordList list = ParseWordList(QStringLiteral("解释,Word,Notes\n"
                                                           "\"n. 书，本子, 卷\",book,x\n"
                                                           "\"say \"\"hi\"\"\nto me\",greet,y\n"
                                                           "v. 读,read,z\n")
                                                .toUtf8());
        QCOMPARE(list.delimiter, QLatin1Char(','));
        QCOMPARE(list.ignoredColumns, QStringList{QStringLiteral("Notes")});
        QCOMPARE(words(list), (QStringList{u"book"_qs, u"greet"_qs, u"read"_qs}));
        QCOMPARE(list.entries[0].explanation, QStringLiteral("n. 书，本子, 卷"));
        QCOMPARE(list.entries[1].explanation, QStringLiteral("say \"hi\"\nto me"));
        QCOMPARE(list.entries[1].phonetic, QString());
        QCOMPARE(list.entries[2].line, 5); // the quoted line break counts
    }

    void refusesLinesItCannotUseAndSaysWhy() {
        const WordList list = ParseWordList(QStringLiteral("word\tphonetic\texplanation\n"
                                                           "good\t/ɡʊd/\tadj. 好的\n"
                                                           "\t/x/\t没有单词\n"
                                                           "short\t/x/\n"
                                                           "long\t/x/\ta\tb\n"
                                                           "fine\t\t\n"
                                                           "\"open\t/x/\t引号\n")
                                                .toUtf8());
        QCOMPARE(words(list), (QStringList{u"good"_qs, u"fine"_qs}));
        QCOMPARE(refusals(list),
                 QStringLiteral("3:单词为空|4:有 2 个字段，表头有 3 个|5:有 4 个字段，表头有 3 个|"
                                "7:引号没有闭合"));
    }

    void aListWithoutAHeaderIsRejected() {
        QVERIFY_THROWS_EXCEPTION(glossa::WordListError, ParseWordList("apple\t/x/\tn. 苹果\n"));
        QVERIFY_THROWS_EXCEPTION(glossa::WordListError, ParseWordList(QByteArray()));
    }

    void aSecondImportAddsNothingUnlessAsked() {
        DictFixture fx({{u"apple"_qs, u"/ˈæpl/"_qs, u"n. 苹果"_qs}});
        const WordList list = ParseWordList(QStringLiteral("word,phonetic,explanation\n"
                                                           "apple,/ˈæpl/,n. 苹果\n"
                                                           "Apple,/ˈæpl/,n. 苹果公司\n"
                                                           "pear,/peə/,n. 梨\n"
                                                           "pear,/peə/,n. 梨\n")
                                                .toUtf8());
        glossa::ImportResult first = glossa::ImportWords(fx.path(), list.entries, false);
        QCOMPARE(first.added, 2); // Apple (another meaning) and one pear
        QCOMPARE(first.alreadyPresent, 2);
        glossa::ImportResult second = glossa::ImportWords(fx.path(), list.entries, false);
        QCOMPARE(second.added, 0);
        QCOMPARE(second.alreadyPresent, 4);
        glossa::ImportResult forced = glossa::ImportWords(fx.path(), list.entries, true);
        QCOMPARE(forced.added, 4);
        QCOMPARE(fx.words().size(), 1 + 2 + 4);
    }

    void theToolReportsWhatItAddedAndRefused() {
        DictFixture fx;
        QTemporaryDir dir;
        const QString listPath = dir.filePath(u"mine.csv"_qs);
        QFile file(listPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(encode(QStringLiteral("单词,音标,解释\nbook,/bʊk/,n. 书\n,/x/,无\nread,/riːd/,v. 读\n"),
                          "GB18030"));
        file.close();

        const auto run = [&](const QStringList& args, QString* out) {
            QProcess tool;
            tool.start(QStringLiteral(GLOSSA_IMPORT), args);
            tool.waitForFinished(30000);
            *out = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
            return tool.exitCode();
        };
        QString out;
        QCOMPARE(run({u"--db"_qs, fx.path(), listPath}, &out), 0);
        QVERIFY2(out.contains(u"GB18030"_qs) && out.contains(u"添加 2 条"_qs) &&
                     out.contains(u"第 3 行未添加：单词为空"_qs),
                 qPrintable(out));
        QCOMPARE(run({u"--db"_qs, fx.path(), listPath}, &out), 0);
        QVERIFY2(out.contains(u"添加 0 条，已有而未重复添加 2 条"_qs), qPrintable(out));
        QCOMPARE(fx.words(), (QStringList{u"book"_qs, u"read"_qs}));

        // A database that is not there is not made up.
        const QString missing = dir.filePath(u"none.mdb"_qs);
        QCOMPARE(run({u"--db"_qs, missing, listPath}, &out), 1);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(run({u"--new"_qs, u"--db"_qs, missing, listPath}, &out), 0);
        QVERIFY(QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(WordListTest)
#include "tst_wordlist.moc"
