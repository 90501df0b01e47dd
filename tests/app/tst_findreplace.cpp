#include "app/TfmMain.h"
#include "panes/FindDialog.h"
#include "panes/ReplaceDialog.h"
#include "panes/ScanText.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>

namespace {

void select(QPlainTextEdit* pane, int start, int end) {
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
}

QPair<int, int> selection(const QPlainTextEdit* pane) {
    return {pane->textCursor().selectionStart(), pane->textCursor().selectionEnd()};
}

} // namespace

class FindReplaceTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::shared_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TfmMain> w;
    FindDialog* find = nullptr;
    ReplaceDialog* replace = nullptr;

    void setText(const QString& text, int start = 0, int end = 0) {
        w->MemMain->setPlainText(text);
        select(w->MemMain, start, end);
    }

private slots:
    void init() {
        dialogs = ScriptedDialogs::install();
        w = std::make_unique<TfmMain>(QStringList());
        find = w->findChild<FindDialog*>();
        replace = w->findChild<ReplaceDialog*>();
        QVERIFY(find && replace);
    }
    void cleanup() { w.reset(); }

    void findDownWithAndWithoutCase() {
        setText(QStringLiteral("Hello world, hello World"));
        w->N48->trigger();
        QVERIFY(find->isVisible() && !find->isModal());
        QVERIFY(!find->FindNext->isEnabled()); // nothing to look for yet
        find->FindText->setText(QStringLiteral("world"));
        find->FindNext->click();
        QCOMPARE(selection(w->MemMain), qMakePair(6, 11));
        find->FindNext->click();
        QCOMPARE(selection(w->MemMain), qMakePair(19, 24)); // World: case is ignored
        find->FindNext->click();
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("找不到\"world\"")});
        QCOMPARE(selection(w->MemMain), qMakePair(19, 24)); // not found leaves the selection

        find->MatchCase->setChecked(true);
        select(w->MemMain, 7, 7);
        find->FindNext->click();
        QCOMPARE(dialogs->messages.size(), 2);
        QCOMPARE(selection(w->MemMain), qMakePair(7, 7));
    }

    void findUpReachesTheStart() {
        setText(QStringLiteral("hello there hello"), 17, 17);
        w->N48->trigger();
        find->FindText->setText(QStringLiteral("hello"));
        find->Up->setChecked(true);
        find->FindNext->click();
        QCOMPARE(selection(w->MemMain), qMakePair(12, 17));
        w->N49->trigger(); // find next keeps the dialog's direction
        QCOMPARE(selection(w->MemMain), qMakePair(0, 5));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void findNextWithoutTextOpensTheDialog() {
        setText(QStringLiteral("abc abc"));
        w->N49->trigger();
        QVERIFY(find->isVisible());
        QVERIFY(dialogs->messages.isEmpty());
        find->FindText->setText(QStringLiteral("abc"));
        find->hide();
        w->N49->trigger();
        w->N49->trigger();
        QCOMPARE(selection(w->MemMain), qMakePair(4, 7));
        QVERIFY(!find->isVisible());
    }

    // The left pane out of sight: the match still lands and the pane is brought into view.
    void matchInAHiddenPaneIsShown() {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        setText(QStringLiteral("left text with a word"));
        find->FindText->setText(QStringLiteral("word"));

        w->PageControl1->setCurrentWidget(w->TabSheet3);
        w->N49->trigger();
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
        QVERIFY(w->MemMain->isVisible());
        QCOMPARE(selection(w->MemMain), qMakePair(17, 21));
        QCOMPARE(QApplication::focusWidget(), w->MemMain);

        select(w->MemMain, 0, 0);
        w->suiRadioButton2->click();
        QVERIFY(!w->MemMain->isVisible());
        w->N49->trigger();
        QVERIFY(w->MemMain->isVisible() && w->Memo2->isVisible());
        QVERIFY(w->suiRadioButton3->isChecked());
        QCOMPARE(selection(w->MemMain), qMakePair(17, 21));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void replaceIgnoresCaseOfTheSelectionThenSearchesWithCase() {
        setText(QStringLiteral("ABC abc ABC"), 0, 3);
        w->N50->trigger();
        QVERIFY(replace->isVisible() && !replace->isModal());
        QVERIFY(!replace->Replace->isEnabled() && !replace->ReplaceAll->isEnabled());
        replace->FindText->setText(QStringLiteral("abc"));
        replace->ReplaceText->setText(QStringLiteral("x"));
        replace->MatchCase->setChecked(true);
        replace->Replace->click();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("x abc ABC"));
        QCOMPARE(selection(w->MemMain), qMakePair(2, 5)); // the next match, with case
        replace->Replace->click();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("x x ABC"));
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("找不到\"abc\"")});
        QCOMPARE(selection(w->MemMain), qMakePair(3, 3)); // the caret after the replacement
        // Find next of the replace dialog only selects.
        select(w->MemMain, 0, 0);
        replace->MatchCase->setChecked(false);
        replace->FindNext->click();
        QCOMPARE(selection(w->MemMain), qMakePair(4, 7));
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("x x ABC"));
    }

    void replaceAllIsOnePassAndOneUndoStep() {
        setText(QStringLiteral("banana\nAnna"));
        replace->FindText->setText(QStringLiteral("a"));
        replace->ReplaceText->setText(QStringLiteral("aa"));
        replace->ReplaceAll->click();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("baanaanaa\naannaa"));
        QCOMPARE(selection(w->MemMain), qMakePair(16, 16));
        QVERIFY(dialogs->messages.isEmpty()); // replace all ends without a message
        w->N25->trigger();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("banana\nAnna"));
        w->N25->trigger(); // the second undo takes the first back
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("baanaanaa\naannaa"));

        // The matching selection is replaced too, in the same undo step.
        setText(QStringLiteral("cat concat cat cats"), 0, 3);
        replace->FindText->setText(QStringLiteral("CAT"));
        replace->ReplaceText->setText(QString());
        replace->WholeWord->setChecked(true);
        replace->ReplaceAll->click();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral(" concat  cats"));
        w->N25->trigger();
        QCOMPARE(w->MemMain->toPlainText(), QStringLiteral("cat concat cat cats"));
        QVERIFY(dialogs->messages.isEmpty());
    }

    // Replace all puts the result in at once; it must equal replacing match after match.
    void replaceAllEqualsOneReplaceAfterAnother() {
        const QString alphabet = QStringLiteral("aAb 中");
        const QString replacements[] = {QString(), QStringLiteral("a"), QStringLiteral("b "),
                                        QStringLiteral("中a")};
        QRandomGenerator random(7);
        const auto randomText = [&](int length) {
            QString text;
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(int(alphabet.size()))];
            return text;
        };
        for (int round = 0; round < 300; ++round) {
            const QString text = randomText(random.bounded(1, 24));
            const QString what = randomText(random.bounded(1, 3));
            const QString with = replacements[random.bounded(4)];
            const int start = random.bounded(int(text.size()) + 1);
            const int end = start + random.bounded(int(text.size()) - start + 1);
            const bool matchCase = random.bounded(2), wholeWord = random.bounded(2);
            unsigned options = FindOption::Down | FindOption::ReplaceAll;
            options |= (matchCase ? FindOption::MatchCase : 0u) | (wholeWord ? FindOption::WholeWord : 0u);

            QString expected = text;
            qsizetype from = start, length = end - start;
            if (expected.mid(from, length).compare(what, Qt::CaseInsensitive) == 0) {
                expected.replace(from, length, with);
                from += with.size();
                length = 0;
            }
            while (const auto match = ScanText(expected, from, length, what, options)) {
                expected.replace(*match, what.size(), with);
                from = *match + with.size();
                length = 0;
            }

            setText(text, start, end);
            replace->FindText->setText(what);
            replace->ReplaceText->setText(with);
            replace->MatchCase->setChecked(matchCase);
            replace->WholeWord->setChecked(wholeWord);
            replace->ReplaceAll->click();
            const QString context = QStringLiteral("%1 [%2,%3) %4 -> %5 case %6 word %7")
                                        .arg(text)
                                        .arg(start)
                                        .arg(end)
                                        .arg(what, with)
                                        .arg(matchCase)
                                        .arg(wholeWord);
            QVERIFY2(w->MemMain->toPlainText() == expected, qPrintable(context));
            QVERIFY2(selection(w->MemMain) == qMakePair(int(from), int(from + length)), qPrintable(context));
        }
    }
};

QTEST_MAIN(FindReplaceTest)
#include "tst_findreplace.moc"
