#include "panes/ScanText.h"

#include <QTest>

using namespace FindOption;

class ScanTextTest : public QObject {
    Q_OBJECT
private slots:
    void scan_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("what");
        QTest::addColumn<unsigned>("options");
        QTest::addColumn<int>("expected"); // -1: none

        const auto row = [](const char* name, const QString& text, int start, int length, const QString& what,
                            unsigned options, int expected) {
            QTest::newRow(name) << text << start << length << what << options << expected;
        };
        const QString two = QStringLiteral("one two one");
        row("down from the caret", two, 0, 0, QStringLiteral("one"), Down, 0);
        row("down from the far end of the selection", two, 0, 3, QStringLiteral("one"), Down, 8);
        row("down: a match that ends the text", QStringLiteral("hello world"), 1, 0, QStringLiteral("world"),
            Down, 6);
        row("down: the whole text", QStringLiteral("abc"), 0, 0, QStringLiteral("abc"), Down, 0);
        row("down: the caret past the last fit", QStringLiteral("abc"), 2, 0, QStringLiteral("bc"), Down, -1);
        row("down: the caret at the end", two, 11, 0, QStringLiteral("one"), Down, -1);
        row("up: a match at the start", two, 8, 3, QStringLiteral("one"), 0, 0);
        row("up: a match ending at the selection start", QStringLiteral("abcabc"), 3, 0,
            QStringLiteral("abc"), 0, 0);
        row("up: an overlap with the selection is not a match", QStringLiteral("abcabc"), 2, 0,
            QStringLiteral("abc"), 0, -1);
        row("up from the end", two, 11, 0, QStringLiteral("one"), 0, 8);
        row("without case", QStringLiteral("Hello World"), 0, 0, QStringLiteral("world"), Down, 6);
        row("with case", QStringLiteral("Hello World"), 0, 0, QStringLiteral("world"), Down | MatchCase, -1);
        row("with case, up", QStringLiteral("World world"), 11, 0, QStringLiteral("World"), MatchCase, 0);
        row("longer than the text", QStringLiteral("ab"), 0, 0, QStringLiteral("abc"), Down, -1);
        row("empty text", QString(), 0, 0, QStringLiteral("a"), Down, -1);
        row("empty search text", two, 0, 0, QString(), Down, -1);
        row("Chinese text", QStringLiteral("这是中文"), 0, 0, QStringLiteral("中文"), Down, 2);

        const unsigned word = Down | WholeWord;
        row("whole word: not inside a longer word", QStringLiteral("concat"), 0, 0, QStringLiteral("cat"),
            word, -1);
        row("whole word: not the start of a longer word", QStringLiteral("cats cat"), 0, 0,
            QStringLiteral("cat"), word, 5);
        row("whole word: the word at the caret", QStringLiteral("cat sat"), 0, 0, QStringLiteral("cat"), word,
            0);
        row("whole word: the caret inside a word", QStringLiteral("cat cat"), 1, 0, QStringLiteral("cat"),
            word, 4);
        row("whole word: the caret inside concat", QStringLiteral("concat"), 3, 0, QStringLiteral("cat"),
            word, -1);
        row("whole word: at the end of the text", QStringLiteral("a cat"), 0, 0, QStringLiteral("cat"), word,
            2);
        row("whole word: digits belong to words", QStringLiteral("cat9 cat"), 0, 0, QStringLiteral("cat"),
            word, 5);
        row("whole word: underscore parts words", QStringLiteral("my_cat"), 0, 0, QStringLiteral("cat"), word,
            3);
        row("whole word: Chinese parts words", QStringLiteral("中文cat中文"), 0, 0, QStringLiteral("cat"),
            word, 2);
        row("whole word: accented letters part words", QStringLiteral("écat"), 0, 0, QStringLiteral("cat"),
            word, 1);
        row("whole word: without case", QStringLiteral("xx CAT"), 0, 0, QStringLiteral("cat"), word, 3);
        row("whole word, up", QStringLiteral("cat concat x"), 12, 0, QStringLiteral("cat"), WholeWord, 0);
    }

    void scan() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, what);
        QFETCH(unsigned, options);
        QFETCH(int, expected);
        const auto match = ScanText(text, selStart, selLength, what, options);
        QCOMPARE(match ? int(*match) : -1, expected);
    }

    void nextWordStart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("expected");
        QTest::newRow("from a word start") << QStringLiteral("abc def") << 0 << 4;
        QTest::newRow("from inside a word") << QStringLiteral("abc def") << 1 << 4;
        QTest::newRow("from delimiters") << QStringLiteral("  def") << 0 << 2;
        QTest::newRow("Chinese between words") << QStringLiteral("ab中文cd") << 0 << 4;
        QTest::newRow("no word follows") << QStringLiteral("abc ") << 1 << 4;
    }

    void nextWordStart() {
        QFETCH(QString, text);
        QFETCH(int, pos);
        QFETCH(int, expected);
        QCOMPARE(int(NextWordStart(text, pos)), expected);
    }
};

QTEST_GUILESS_MAIN(ScanTextTest)
#include "tst_scantext.moc"
