#include "support/TestSupport.h"

#include "documents/DocumentCommands.h"
#include "documents/ReadingHistory.h"
#include "documents/TfrmHistory.h"
#include "platform/AnsiCodec.h"
#include "platform/ErrorGuard.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList texts(const QComboBox& box) {
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

QStringList texts(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::shared_ptr<ScriptedDialogs> dialogs;

    // A main window of plain widgets.
    QWidget window;
    QPlainTextEdit left, right, notes;
    QLineEdit audioUrl, audioFile;
    QPushButton readButton;
    QComboBox box;
    QListWidget addresses;
    QString title;
    std::unique_ptr<DocumentCommands> documents;
    std::unique_ptr<ReadingHistory> history;
    // The download the history is given: what it should deliver, or nothing for a failure.
    std::optional<ReadingDocument> served;
    QStringList downloads;

    QString document(const QString& relative, const QString& text) {
        const QString path = env.path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteDocumentFile(path, {text, QStringLiteral("译文"), QString(), QString(), QString()});
        return path;
    }

    void choose(int index) {
        box.setCurrentIndex(index);
        history->cbxhistorywzChange();
    }

private slots:
    void initTestCase() { dialogs = ScriptedDialogs::install(); }

    void init() {
        QFile::remove(HistoryFilePath());
        documents = std::make_unique<DocumentCommands>(
            DocumentView{window, left, right, notes, audioUrl, audioFile, readButton,
                         [this](const QString& t) { title = t; }},
            DocumentHooks{{}, [this](const QString& n, const QString& a) { history->AddToHistory(n, a); }});
        history = std::make_unique<ReadingHistory>(
            HistoryView{window, box, addresses, [this](const QString& t) { title = t; }}, *documents,
            [this](const QString& url, const QString& path) {
                downloads << url;
                if (!served)
                    return false;
                WriteDocumentFile(path, *served);
                return true;
            });
        history->LoadHistory();
        served.reset();
        downloads.clear();
        dialogs->messages.clear();
        title.clear();
    }

    void openedDocumentsAreAddedOnceByAddress() {
        const QString a = document(QStringLiteral("one/课文.vbd"), QStringLiteral("first"));
        const QString b = document(QStringLiteral("two/课文.vbd"), QStringLiteral("second"));
        documents->OpenDocument(a);
        QCOMPARE(fileBytes(HistoryFilePath()),
                 ansi::encode(QStringLiteral("[History]\r\n课文.vbd=") + a + QStringLiteral("\r\n")));
        documents->OpenDocument(a);
        documents->OpenDocument(b);
        QCOMPARE(texts(box), (QStringList{QStringLiteral("课文.vbd"), QStringLiteral("课文.vbd")}));
        QCOMPARE(texts(addresses), (QStringList{a, b}));

        // Names are the keys of the file: after a reload only the later address is left.
        history->LoadHistory();
        QCOMPARE(texts(box), QStringList{QStringLiteral("课文.vbd")});
        QCOMPARE(texts(addresses), QStringList{b});
        QCOMPARE(box.currentIndex(), -1);
    }

    void loadKeepsFileOrderAndSplitsAtTheFirstEquals() {
        QFile file(HistoryFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            ansi::encode(QStringLiteral("[Other]\r\nx=y\r\n[History]\r\nb=2\r\na=1=one\r\nempty=\r\n")));
        file.close();
        history->LoadHistory();
        QCOMPARE(texts(box),
                 (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("empty")}));
        QCOMPARE(texts(addresses), (QStringList{QStringLiteral("2"), QStringLiteral("1=one"), QString()}));
    }

    void choosingALocalEntry() {
        const QString a = document(QStringLiteral("local/a.vbd"), QStringLiteral("text of a"));
        history->AddToHistory(QStringLiteral("a.vbd"), a);
        history->AddToHistory(QStringLiteral("gone.vbd"), env.path(QStringLiteral("gone.vbd")));
        history->AddToHistory(QStringLiteral("upper"), QStringLiteral("HTTP://127.0.0.1/x.vbd"));
        choose(0);
        QCOMPARE(left.toPlainText(), QStringLiteral("text of a"));
        QCOMPARE(title, QStringLiteral("蓝岸英语阅读器 2012 Build 0320   a.vbd"));
        QCOMPARE(documents->CurrentFileName, a);
        QCOMPARE(documents->dialogFolder, QFileInfo(a).absolutePath());

        title.clear();
        choose(1); // the file was deleted
        choose(2); // not "http" as written: a local path that does not exist
        QCOMPARE(title, QString());
        QCOMPARE(left.toPlainText(), QStringLiteral("text of a"));
        QVERIFY(downloads.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void choosingAnOnlineEntry() {
        const QString a = document(QStringLiteral("local/a.vbd"), QStringLiteral("local text"));
        documents->OpenDocument(a);
        history->AddToHistory(QStringLiteral("在线文章"), QStringLiteral("http://127.0.0.1/article.vbd"));

        choose(1); // the download fails
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("选定文章载入失败，请重试或检查网络连接！")});
        QCOMPARE(left.toPlainText(), QStringLiteral("local text"));

        served = ReadingDocument{QStringLiteral("online text"), {}, {}, {}, {}};
        choose(1);
        QCOMPARE(downloads.last(), QStringLiteral("http://127.0.0.1/article.vbd"));
        QCOMPARE(left.toPlainText(), QStringLiteral("online text"));
        QCOMPARE(title, QStringLiteral("蓝岸英语阅读器 2012 Build 0320   在线文章"));
        QCOMPARE(documents->CurrentFileName, a);
        QCOMPARE(texts(box).size(), 2); // opening an entry does not change the history
    }

    void emptyHistoryDeletesTheFile() {
        history->AddToHistory(QStringLiteral("a"), QStringLiteral("/a"));
        QVERIFY(QFile::exists(HistoryFilePath()));
        box.clear();
        addresses.clear();
        history->SaveHistory();
        QVERIFY(!QFile::exists(HistoryFilePath()));
    }

    void unwritableHistoryIsReportedAndKept() {
        QVERIFY(QDir().mkpath(HistoryFilePath())); // a folder where the file should be
        QVERIFY_THROWS_EXCEPTION(UserError, history->AddToHistory(QStringLiteral("a"), QStringLiteral("/a")));
        QCOMPARE(texts(box), QStringList{QStringLiteral("a")});
        try {
            history->SaveHistory();
            QFAIL("no error");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), QStringLiteral("Unable to write to ") + HistoryFilePath());
        }
        QDir(HistoryFilePath()).removeRecursively();
    }

    void managerDeletesAndClearsOnlyOnConfirm() {
        history->AddToHistory(QStringLiteral("a"), QStringLiteral("/a"));
        history->AddToHistory(QStringLiteral("b"), QStringLiteral("/b"));
        const QByteArray before = fileBytes(HistoryFilePath());
        int reloads = 0;
        {
            TfrmHistory manager(&window, [&] { ++reloads; });
            manager.show();
            QCOMPARE(manager.List1->count(), 2);
            manager.suiButton1->click(); // nothing selected
            QCOMPARE(manager.List1->count(), 2);
            manager.List1->setCurrentRow(0);
            manager.suiButton1->click();
            QCOMPARE(texts(*manager.List1), QStringList{QStringLiteral("b")});
            QCOMPARE(texts(*manager.List2), QStringList{QStringLiteral("/b")});
            manager.suiButton4->click();
        }
        QCOMPARE(fileBytes(HistoryFilePath()), before);
        QCOMPARE(reloads, 0);

        TfrmHistory manager(&window, [&] { history->LoadHistory(); });
        manager.show();
        manager.List1->setCurrentRow(1);
        manager.suiButton1->click();
        manager.suiButton3->click();
        QCOMPARE(fileBytes(HistoryFilePath()), QByteArray("[History]\r\na=/a\r\n"));
        QCOMPARE(texts(box), QStringList{QStringLiteral("a")});

        manager.show(); // each showing starts from the file
        QCOMPARE(manager.List1->count(), 1);
        manager.suiButton2->click();
        manager.suiButton3->click();
        QVERIFY(!QFile::exists(HistoryFilePath()));
        QCOMPARE(box.count(), 0);
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
