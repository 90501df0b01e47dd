#include "app/TfmMain.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

class PanesTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::shared_ptr<ScriptedDialogs> dialogs;

    static QString longText() {
        QStringList lines;
        for (int i = 1; i <= 400; ++i)
            lines << QStringLiteral("Line %1 of a long reading text").arg(i);
        return lines.join(QLatin1Char('\n'));
    }

private slots:
    void init() { dialogs = ScriptedDialogs::install(); }

    void viewsAndEqualHalves() {
        TfmMain w({});
        w.resize(1001, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.MemMain->isVisible() && !w.Memo2->isVisible());
        w.suiRadioButton3->click();
        QTRY_VERIFY(w.Memo2->isVisible());
        for (int width : {1001, 800, 1300}) {
            w.resize(width, 700);
            QTRY_VERIFY(qAbs(w.MemMain->width() - w.Memo2->width()) <= 1);
        }
        w.suiRadioButton2->click();
        QTRY_VERIFY(!w.MemMain->isVisible() && w.Memo2->isVisible());
        w.suiRadioButton1->click();
        QTRY_VERIFY(w.MemMain->isVisible() && !w.Memo2->isVisible());
        // The bottom strip switch gives its height to the pages.
        const int before = w.PageControl1->height();
        w.N79->trigger();
        QTRY_VERIFY(w.PageControl1->height() > before);
        QVERIFY(!w.Panel4->isVisible());
    }

    void scrollingCarriesOverOnlyFromTheUser() {
        TfmMain w({});
        w.resize(900, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.MemMain->setPlainText(longText());
        w.Memo2->setPlainText(longText());
        QApplication::processEvents();
        QScrollBar* left = w.MemMain->verticalScrollBar();
        QScrollBar* right = w.Memo2->verticalScrollBar();
        QVERIFY(left->maximum() > 0);
        // The right pane is hidden in the left view and still follows the scroll bar.
        left->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QVERIFY(right->value() > 0);
        left->setSliderPosition(50);
        left->triggerAction(QAbstractSlider::SliderMove);
        QCOMPARE(right->value(), 50);
        // Keyboard scrolling of the left pane stays in the left pane; the right never moves the left.
        w.MemMain->setFocus();
        const int rightBefore = right->value();
        QTest::keyClick(w.MemMain, Qt::Key_PageDown);
        QCOMPARE(right->value(), rightBefore);
        right->triggerAction(QAbstractSlider::SliderToMaximum);
        QVERIFY(left->value() != left->maximum() || left->maximum() == right->maximum());
    }

    void fontAndBackgroundPerPane() {
        TfmMain w({});
        QFont big(QStringLiteral("Noto Sans CJK SC"));
        big.setPixelSize(30);
        dialogs->answerFont(big);
        w.N73->trigger();
        QCOMPARE(w.MemMain->font().pixelSize(), 30);
        QCOMPARE(w.Memo2->font().pixelSize(), 16);
        QCOMPARE(w.Memo3->font().pixelSize(), 16);
        dialogs->answerColor(QColor(255, 255, 200));
        w.N77->trigger();
        QCOMPARE(w.Memo2->palette().color(QPalette::Base), QColor(255, 255, 200));
        QCOMPARE(w.MemMain->palette().color(QPalette::Base), QColor(192, 220, 192));
        w.N78->trigger(); // cancelled
        QCOMPARE(w.Memo3->palette().color(QPalette::Base), QColor(192, 220, 192));
    }

    void editCommandsActOnTheLeftPane() {
        TfmMain w({});
        w.MemMain->setPlainText(QStringLiteral("abc"));
        w.Memo2->setFocus();
        w.N52->trigger();
        QCOMPARE(w.MemMain->textCursor().selectedText(), QStringLiteral("abc"));
        w.N46->trigger();
        QVERIFY(w.MemMain->toPlainText().isEmpty());
        w.N25->trigger();
        QCOMPARE(w.MemMain->toPlainText(), QStringLiteral("abc"));
        w.N25->trigger(); // the second undo takes the first back
        QVERIFY(w.MemMain->toPlainText().isEmpty());
    }

    void goToLine() {
        TfmMain w({});
        w.MemMain->setPlainText(QStringLiteral("one\ntwo\nthree\n"));
        const auto caretAt = [&](int position) {
            QTextCursor cursor = w.MemMain->textCursor();
            cursor.setPosition(position);
            w.MemMain->setTextCursor(cursor);
        };
        // Lines count from 0; the empty last line is not counted, one past the last is the end.
        const struct {
            const char* answer; // nullptr: cancelled, which answers the filled-in caret line
            int expected;
            bool outOfRange;
        } cases[] = {{nullptr, 4, false}, {"0", 0, false}, {"2", 8, false},
                     {"3", 14, false},    {"4", 0, true},  {"-1", 0, true}};
        for (const auto& c : cases) {
            caretAt(6);
            dialogs->messages.clear();
            if (c.answer)
                dialogs->answerText(QLatin1String(c.answer));
            w.N9->trigger();
            QCOMPARE(dialogs->inputTitles.last(), QStringLiteral("转到以下行"));
            QCOMPARE(w.MemMain->textCursor().position(), c.expected);
            QCOMPARE(dialogs->messages,
                     c.outOfRange ? QStringList{QStringLiteral("行号超出范围！")} : QStringList{});
        }
        caretAt(6);
        dialogs->answerText(QStringLiteral("x"));
        w.N9->trigger();
        QVERIFY(dialogs->messages.last().contains(QStringLiteral("'x' is not a valid integer value")));
        QCOMPARE(w.MemMain->textCursor().position(), 6);
    }

    void goToLineCountsWrappedLines() {
        TfmMain w({});
        w.resize(800, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.MemMain->setPlainText(QStringLiteral("word ").repeated(400) + QStringLiteral("\nlast"));
        dialogs->answerText(QStringLiteral("1"));
        w.N9->trigger();
        QVERIFY2(w.MemMain->textCursor().position() > 0 && w.MemMain->textCursor().position() < 2000,
                 "line 1 is the second display line of the wrapped paragraph");
        // The filled-in number is the caret's display line: going there again stays put.
        const int before = w.MemMain->textCursor().position();
        w.N9->trigger();
        QCOMPARE(w.MemMain->textCursor().position(), before);
    }
};

QTEST_MAIN(PanesTest)
#include "tst_panes.moc"
