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
        w.MemMain->setPlainText(QStringLiteral("one\ntwo\nthree"));
        dialogs->answerText(QStringLiteral("3"));
        w.N9->trigger();
        QCOMPARE(w.MemMain->textCursor().blockNumber(), 2);
        QCOMPARE(dialogs->inputTitles.last(), QStringLiteral("转到以下行"));
        dialogs->answerText(QStringLiteral("9"));
        w.N9->trigger();
        QCOMPARE(dialogs->messages.last(), QStringLiteral("行号超出范围！"));
        dialogs->answerText(QStringLiteral("x"));
        w.N9->trigger();
        QVERIFY(dialogs->messages.last().contains(QStringLiteral("is not a valid integer value")));
    }
};

QTEST_MAIN(PanesTest)
#include "tst_panes.moc"
