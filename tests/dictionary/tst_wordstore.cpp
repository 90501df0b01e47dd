#include "DictFixture.h"

#include "core/DatabaseError.h"
#include "core/DictionaryFile.h"
#include "core/WordStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using glossa::DatabaseError;
using glossa::WordStore;

namespace {

const QString kWord = QStringLiteral("单词");
const QString kPhonetic = QStringLiteral("音标");
const QString kExplanation = QStringLiteral("解释");

QVector<Entry> sampleEntries() {
    return {
        {QStringLiteral("a"), QStringLiteral("/ə/"), QStringLiteral("art. 一个")},
        {QStringLiteral("about"), QStringLiteral("/əˈbaʊt/"), QStringLiteral("prep. 关于\nadv. 大约")},
        {QStringLiteral("apple"), QStringLiteral("/ˈæpl/"), QStringLiteral("n. 苹果")},
        {QStringLiteral("cab"), QStringLiteral("/kæb/"), QStringLiteral("n. 出租车")},
        {QStringLiteral("Abbey"), QStringLiteral("/ˈæbi/"), QStringLiteral("n. 修道院")},
        {QStringLiteral("can't"), QStringLiteral("/kɑːnt/"), QStringLiteral("= cannot")},
        {QStringLiteral("say \"hi\""), QString(), QStringLiteral("打招呼")},
        {QStringLiteral("a;b"), QString(), QStringLiteral("分号")},
        {QStringLiteral("50%"), QString(), QStringLiteral("一半")},
        {QStringLiteral("back\\slash"), QString(), QStringLiteral("反斜杠")},
    };
}

QStringList shownWords(const WordStore& store) {
    QStringList words;
    const int column = store.columnIndex(kWord);
    for (int row = 0; row < store.rowCount(); ++row)
        words.append(store.data(store.index(row, column), Qt::EditRole).toString());
    return words;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class WordStoreTest : public QObject {
    Q_OBJECT

private slots:
    void openListsTheWholeTableWithTheFirstEntryCurrent() {
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        QCOMPARE(shownWords(store), fx.words());
        QCOMPARE(store.currentRow(), 0);
        QCOMPARE(store.currentValue(kPhonetic), QStringLiteral("/ə/"));
        QVERIFY(store.columnIndex(kExplanation) >= 0);
    }

    void lookUpTakesTheWordAsText_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<QStringList>("found");
        const auto words = [](std::initializer_list<const char16_t*> list) {
            QStringList result;
            for (const char16_t* w : list)
                result.append(QString::fromUtf16(w));
            return result;
        };
        QTest::newRow("exact") << u"apple"_qs << false << words({u"apple"});
        QTest::newRow("exact ignores case") << u"APPLE"_qs << false << words({u"apple"});
        QTest::newRow("exact apostrophe") << u"can't"_qs << false << words({u"can't"});
        QTest::newRow("exact double quotes") << u"say \"hi\""_qs << false << words({u"say \"hi\""});
        QTest::newRow("exact semicolon") << u"a;b"_qs << false << words({u"a;b"});
        QTest::newRow("exact percent is no wildcard") << u"50%"_qs << false << words({u"50%"});
        QTest::newRow("exact keeps blanks") << u" apple "_qs << false << QStringList();
        QTest::newRow("exact not found") << u"zebra"_qs << false << QStringList();
        QTest::newRow("exact empty") << QString() << false << QStringList();
        QTest::newRow("injection exact") << u"x' OR '1'='1"_qs << false << QStringList();
        QTest::newRow("injection statement") << u"'; DELETE FROM 英语单词; --"_qs << false << QStringList();
        QTest::newRow("partial two letters anywhere")
            << u"ab"_qs << true << words({u"about", u"cab", u"Abbey"});
        QTest::newRow("partial empty lists all")
            << QString() << true
            << words({u"a", u"about", u"apple", u"cab", u"Abbey", u"can't", u"say \"hi\"", u"a;b", u"50%",
                      u"back\\slash"});
        QTest::newRow("partial apostrophe") << u"'"_qs << true << words({u"can't"});
        QTest::newRow("partial underscore wildcard") << u"a_b"_qs << true << words({u"a;b", u"Abbey"});
        QTest::newRow("partial percent wildcard") << u"5%"_qs << true << words({u"50%"});
        QTest::newRow("partial quote") << u"\"hi"_qs << true << words({u"say \"hi\""});
        QTest::newRow("partial backslash") << u"\\"_qs << true << words({u"back\\slash"});
        QTest::newRow("partial injection") << u"%' OR 1=1 --"_qs << true << QStringList();
    }

    void lookUpTakesTheWordAsText() {
        QFETCH(QString, word);
        QFETCH(bool, partial);
        QFETCH(QStringList, found);
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.lookUpWord(word, partial);
        QCOMPARE(sorted(shownWords(store)), sorted(found));
        QCOMPARE(store.currentRow(), found.isEmpty() ? -1 : 0);
        if (found.isEmpty())
            QCOMPARE(store.currentValue(kExplanation), QString());
        QCOMPARE(fx.words().size(), sampleEntries().size()); // nothing was run but the look-up
    }

    void addAppendsToTheCurrentRowsAndBecomesCurrent() {
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.lookUpWord(QStringLiteral("apple"), false);
        QSignalSpy moved(&store, &WordStore::currentRowChanged);
        QVERIFY(store.addWord(QStringLiteral("zebra"), QStringLiteral("/ˈziːbrə/"),
                              QStringLiteral("n. 斑马\n斑马线")));
        QCOMPARE(shownWords(store), (QStringList{QStringLiteral("apple"), QStringLiteral("zebra")}));
        QCOMPARE(store.currentRow(), 1);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(store.currentValue(kExplanation), QStringLiteral("n. 斑马\n斑马线"));
        QCOMPARE(
            fx.entry(QStringLiteral("zebra")),
            (Entry{QStringLiteral("zebra"), QStringLiteral("/ˈziːbrə/"), QStringLiteral("n. 斑马\n斑马线")}));
        // The same entry again is not prevented.
        QVERIFY(store.addWord(QStringLiteral("zebra"), QStringLiteral("/ˈziːbrə/"),
                              QStringLiteral("n. 斑马\n斑马线")));
        QCOMPARE(store.rowCount(), 3);
        QCOMPARE(fx.words(QStringLiteral("WHERE 单词 = 'zebra'")).size(), 2);
    }

    void refusedAddChangesNothing_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("empty word") << QString() << false << false;
        QTest::newRow("blank word") << u"   "_qs << false << false;
        QTest::newRow("closed result set") << u"zebra"_qs << true << false;
        QTest::newRow("read-only file") << u"zebra"_qs << false << true;
    }

    void refusedAddChangesNothing() {
        QFETCH(QString, word);
        QFETCH(bool, closed);
        QFETCH(bool, readOnly);
        DictFixture fx(sampleEntries());
        if (readOnly)
            QFile::setPermissions(fx.path(), QFile::ReadOwner | QFile::ReadUser);
        if (readOnly && QFileInfo(fx.path()).isWritable())
            QSKIP("running with rights that ignore file permissions");
        bool missing = closed;
        WordStore store([&] { return missing ? fx.folder() + QStringLiteral("/none.mdb") : fx.path(); });
        if (closed)
            QVERIFY_THROWS_EXCEPTION(DatabaseError, store.openWordStore());
        else
            store.openWordStore();
        const int rows = store.rowCount();
        QVERIFY(!store.addWord(word, QStringLiteral("/x/"), QStringLiteral("x")));
        QCOMPARE(store.rowCount(), rows);
        QCOMPARE(fx.words().size(), sampleEntries().size());
        // A refused entry is dropped at once: the next add succeeds on its own.
        if (!closed && !readOnly)
            QVERIFY(store.addWord(QStringLiteral("zebra"), QString(), QString()));
    }

    void deleteMakesTheNeighbourCurrent_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("currentWord");
        QTest::newRow("first") << 3 << 0 << 0 << u"w1"_qs;
        QTest::newRow("middle") << 3 << 1 << 1 << u"w2"_qs;
        QTest::newRow("last makes previous current") << 3 << 2 << 1 << u"w1"_qs;
        QTest::newRow("only row leaves empty") << 1 << 0 << -1 << QString();
    }

    void deleteMakesTheNeighbourCurrent() {
        QFETCH(int, rows);
        QFETCH(int, deleted);
        QFETCH(int, current);
        QFETCH(QString, currentWord);
        QVector<Entry> entries;
        for (int i = 0; i < rows; ++i)
            entries.append({QStringLiteral("w%1").arg(i), QString(), QString()});
        DictFixture fx(entries);
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.setCurrentRow(deleted);
        const QString gone = store.currentValue(kWord);
        store.deleteCurrentWord();
        QCOMPARE(store.currentRow(), current);
        QCOMPARE(store.currentValue(kWord), currentWord);
        QCOMPARE(store.rowCount(), rows - 1);
        QVERIFY(!fx.words().contains(gone));
        QVERIFY(!shownWords(store).contains(gone));
    }

    void updateWritesTheCurrentRecord() {
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.lookUpWord(QStringLiteral("can't"), false);
        store.updateCurrentWord(QStringLiteral("cannot"), QStringLiteral("/ˈkænɒt/"),
                                QStringLiteral("v. 不能"));
        QCOMPARE(store.currentValue(kWord), QStringLiteral("cannot"));
        QCOMPARE(fx.entry(QStringLiteral("cannot")),
                 (Entry{QStringLiteral("cannot"), QStringLiteral("/ˈkænɒt/"), QStringLiteral("v. 不能")}));
        QVERIFY(fx.entry(QStringLiteral("can't"))[0].isEmpty());

        // A refused change raises the engine's error and leaves the record as it was.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, store.updateCurrentWord(QString(), QString(), QString()));
        QCOMPARE(store.currentValue(kWord), QStringLiteral("cannot"));
        QCOMPARE(fx.entry(QStringLiteral("cannot"))[1], QStringLiteral("/ˈkænɒt/"));
    }

    void changeAndDeleteNeedACurrentRecord() {
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.lookUpWord(QStringLiteral("zebra"), false);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, store.updateCurrentWord(u"x"_qs, u"y"_qs, u"z"_qs));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, store.deleteCurrentWord());
        QCOMPARE(fx.words().size(), sampleEntries().size());
    }

    void pendingValuesArePostedByAMoveAndDroppedByALookUp() {
        DictFixture fx(sampleEntries());
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.setPendingValue(kExplanation, QStringLiteral("冠词"));
        QCOMPARE(store.state(), WordStore::State::Editing);
        QCOMPARE(store.currentValue(kExplanation), QStringLiteral("冠词"));
        QCOMPARE(fx.entry(QStringLiteral("a"))[2], QStringLiteral("art. 一个")); // not yet written
        store.next();
        QCOMPARE(store.state(), WordStore::State::Browsing);
        QCOMPARE(fx.entry(QStringLiteral("a"))[2], QStringLiteral("冠词"));

        store.setPendingValue(kExplanation, QStringLiteral("丢弃"));
        store.lookUpWord(QStringLiteral("about"), false);
        QCOMPARE(store.currentValue(kExplanation), QStringLiteral("prep. 关于\nadv. 大约"));
        QCOMPARE(fx.entry(QStringLiteral("about"))[2], QStringLiteral("prep. 关于\nadv. 大约"));
    }

    void aMissingOrDamagedFileFailsUntilItIsThere_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << u"unable to open database file"_qs;
        QTest::newRow("damaged") << QByteArray(4096, 'x') << u"file is not a database"_qs;
    }

    void aMissingOrDamagedFileFailsUntilItIsThere() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        DictFixture good(sampleEntries());
        QTemporaryDir folder;
        CurrentFolder cwd(folder.path());
        if (!content.isEmpty()) {
            QFile file(QStringLiteral("dict.mdb"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        WordStore store;
        try {
            store.openWordStore();
            QFAIL("the open should fail");
        } catch (const DatabaseError& error) {
            QVERIFY2(error.text().contains(message), qPrintable(error.text()));
        }
        QVERIFY(!store.isOpen());
        QCOMPARE(store.rowCount(), 0);
        QCOMPARE(QFile::exists(QStringLiteral("dict.mdb")), !content.isEmpty()); // never created
        QVERIFY(!store.addWord(u"zebra"_qs, QString(), QString()));

        QFile::remove(QStringLiteral("dict.mdb"));
        QVERIFY(QFile::copy(good.path(), QStringLiteral("dict.mdb")));
        store.lookUpWord(QString(), true);
        QCOMPARE(store.rowCount(), sampleEntries().size());
    }

    void theFileIsLookedForHereThenBesideTheProgram() {
        QTemporaryDir here, program;
        const QString inHere = QDir(here.path()).filePath(u"dict.mdb"_qs);
        const QString inProgram = QDir(program.path()).filePath(u"dict.mdb"_qs);
        QCOMPARE(glossa::LocateDictionary(here.path(), program.path()), inHere); // neither: as specified
        QFile(inProgram).open(QIODevice::WriteOnly);
        QCOMPARE(glossa::LocateDictionary(here.path(), program.path()), inProgram);
        QFile(inHere).open(QIODevice::WriteOnly);
        QCOMPARE(glossa::LocateDictionary(here.path(), program.path()), inHere);
    }

    void aLargeResultArrivesWhileTheEventLoopRuns() {
        constexpr int kRows = 60000;
        QVector<Entry> entries;
        entries.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            entries.append(
                {QStringLiteral("ab%1").arg(i), QStringLiteral("/x/"), QStringLiteral("解释 %1").arg(i)});
        DictFixture fx(entries);
        WordStore store([&] { return fx.path(); });
        store.openWordStore();
        store.lookUpWord(QStringLiteral("ab"), true);
        // The look-up returns with the first rows; the rest follow in slices.
        QVERIFY(store.isFetching());
        QVERIFY(store.rowCount() > 0 && store.rowCount() < kRows);
        QCOMPARE(store.currentRow(), 0);
        QVERIFY(!store.atLast());
        // Rows shown meanwhile are read beside the running id statement.
        QCOMPARE(store.data(store.index(10, store.columnIndex(kExplanation))).toString(),
                 QStringLiteral("解释 10"));
        QTRY_COMPARE_WITH_TIMEOUT(store.rowCount(), kRows, 20000);
        QVERIFY(!store.isFetching());
        QCOMPARE(store.data(store.index(kRows - 1, store.columnIndex(kExplanation))).toString(),
                 QStringLiteral("解释 %1").arg(kRows - 1));

        // A change while rows are still arriving reads the rest first, then acts on the right row.
        store.lookUpWord(QStringLiteral("ab"), true);
        QVERIFY(store.isFetching());
        store.setCurrentRow(1);
        store.deleteCurrentWord();
        QCOMPARE(store.rowCount(), kRows - 1);
        QCOMPARE(store.currentValue(kWord), QStringLiteral("ab2"));
        QVERIFY(!fx.entry(QStringLiteral("ab1"))[0].size());
        store.last();
        QCOMPARE(store.currentValue(kWord), QStringLiteral("ab%1").arg(kRows - 1));
    }
};

QTEST_GUILESS_MAIN(WordStoreTest)
#include "tst_wordstore.moc"
