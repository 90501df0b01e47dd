#include "DictFixture.h"

#include "core/Weekday.h"
#include "windows/Appearance.h"
#include "windows/GlossaWindows.h"
#include "windows/Messages.h"
#include "windows/RecordNavigator.h"
#include "windows/TAdd.h"
#include "windows/TLook.h"
#include "windows/TMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace glossa;

namespace {

struct Message {
    QString title;
    QString text;
};

QVector<Entry> sampleEntries() {
    return {
        {u"a"_qs, u"/ə/"_qs, u"art. 一个"_qs},
        {u"about"_qs, u"/əˈbaʊt/"_qs, u"prep. 关于\nadv. 大约"_qs},
        {u"apple"_qs, u"/ˈæpl/"_qs, u"n. 苹果"_qs},
        {u"cab"_qs, u"/kæb/"_qs, u"n. 出租车"_qs},
        {u"can't"_qs, u"/kɑːnt/"_qs, u"= cannot"_qs},
    };
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;
    QVector<Message> m_messages;
    std::unique_ptr<DictFixture> m_dict;
    std::unique_ptr<GlossaWindows> m_windows;

    GlossaWindows& start(const QString& path = {}) {
        const QString file = path.isEmpty() ? m_dict->path() : path;
        m_windows = std::make_unique<GlossaWindows>([file] { return file; });
        m_windows->main().show();
        if (!QTest::qWaitForWindowExposed(&m_windows->main()))
            qWarning("main window not exposed");
        return *m_windows;
    }

    TMain& main() { return m_windows->main(); }

    QStringList gridWords() {
        QStringList result;
        const auto* model = main().DBGrid1->model();
        for (int row = 0; row < model->rowCount(); ++row)
            result.append(model->index(row, 0).data(Qt::EditRole).toString());
        return result;
    }

    void clickGridRow(int row) {
        main().PageControl1->setCurrentIndex(1);
        QTableView* grid = main().DBGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        SetUpAppearance(*qApp);
        SetMessageHandler([this](QWidget*, const QString& title, const QString& text) {
            m_messages.append({title, text});
        });
    }

    void init() {
        m_messages.clear();
        m_dict = std::make_unique<DictFixture>(sampleEntries());
    }

    void cleanup() {
        m_windows.reset();
        m_dict.reset();
    }

    void startUpShowsTheFirstEntryOfTheWholeTable() {
        start();
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(main().windowTitle(), u"蓝岸英汉小词典 1.8"_qs);
        QCOMPARE(main().Edit1->text(), u"a"_qs);
        QVERIFY(!main().CheckBox1->isChecked());
        QCOMPARE(main().DBText1->text(), u"/ə/"_qs);
        QCOMPARE(main().DBMemo1->toPlainText(), u"art. 一个"_qs);
        QCOMPARE(gridWords(), m_dict->words());
        QCOMPARE(main().PageControl1->tabText(0), u"英汉查询"_qs);
        QCOMPARE(main().PageControl1->tabText(1), u"字典查看"_qs);
        QCOMPARE(main().StatusPanels[0]->text(), u"蓝岸软件"_qs);
        QCOMPARE(main().StatusPanels[2]->text(), WeekdayName(QDate::currentDate()));
        QVERIFY(!m_windows->add().isVisible());
        QVERIFY(!m_windows->look().isVisible());
    }

    void weekdayNames_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        const char16_t* names[] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                   u"星期四", u"星期五", u"星期六"};
        for (int i = 0; i < 7; ++i) // 2024-03-03 was a Sunday
            QTest::newRow(qPrintable(QString::number(i)))
                << QDate(2024, 3, 3).addDays(i) << QString::fromUtf16(names[i]);
    }

    void weekdayNames() {
        QFETCH(QDate, date);
        QFETCH(QString, name);
        QCOMPARE(WeekdayName(date), name);
    }

    void chineseTextUsesACjkFont() {
        QFont font(u"宋体"_qs);
        QVERIFY2(QFontInfo(font).family().contains(u"CJK"_qs), qPrintable(QFontInfo(font).family()));
        QCOMPARE(QApplication::font().pixelSize(), 12);
        QVERIFY(!qApp->styleSheet().isEmpty());
    }

    void enterInTheWordFieldLooksUp_data() {
        QTest::addColumn<bool>("partial");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("exact, letter case ignored") << false << u"APPLE"_qs << QStringList{u"apple"_qs};
        QTest::newRow("exact apostrophe") << false << u"can't"_qs << QStringList{u"can't"_qs};
        QTest::newRow("partial") << true << u"ab"_qs << QStringList{u"about"_qs, u"cab"_qs};
        QTest::newRow("nothing found") << false << u"ab"_qs << QStringList();
    }

    void enterInTheWordFieldLooksUp() {
        QFETCH(bool, partial);
        QFETCH(QString, word);
        QFETCH(QStringList, found);
        start();
        main().CheckBox1->setChecked(partial);
        main().Edit1->setText(word);
        QTest::keyClick(main().Edit1, Qt::Key_Return);
        QCOMPARE(gridWords(), found);
        QVERIFY(m_messages.isEmpty());
        if (found.isEmpty()) {
            QCOMPARE(main().DBText1->text(), QString());
            QCOMPARE(main().DBMemo1->toPlainText(), QString());
        } else {
            QCOMPARE(main().DBText1->text(), m_dict->entry(found.first())[1]);
        }
    }

    void clickingAGridRowShowsItInTheViewWindow() {
        start();
        clickGridRow(2);
        TLook& look = m_windows->look();
        QVERIFY(look.isVisible());
        QCOMPARE(look.DBEdit1->text(), u"apple"_qs);
        QCOMPARE(look.DBEdit2->text(), u"/ˈæpl/"_qs);
        QCOMPARE(main().DBText1->text(), u"/ˈæpl/"_qs); // every bound control follows
        clickGridRow(4);
        QCOMPARE(look.DBEdit1->text(), u"can't"_qs);
        main().DBNavigator1->priorButton()->click();
        QCOMPARE(look.DBEdit1->text(), u"cab"_qs);
    }

    void deleteRemovesTheEntryAndHidesTheViewWindow() {
        start();
        clickGridRow(1);
        m_windows->look().Button2->click();
        QVERIFY(!m_windows->look().isVisible());
        QVERIFY(!gridWords().contains(u"about"_qs));
        QVERIFY(!m_dict->words().contains(u"about"_qs));
        QCOMPARE(main().DBText1->text(), u"/ˈæpl/"_qs); // the next row is current
        QVERIFY(m_messages.isEmpty());
    }

    void changeWritesTheEntryAndHidesTheViewWindow() {
        start();
        clickGridRow(2);
        TLook& look = m_windows->look();
        look.DBEdit2->clear();
        QTest::keyClicks(look.DBEdit2, u"/aep(@)l/"_qs); // typed, so the edit goes through the binding
        look.Button1->click();
        QVERIFY(!look.isVisible());
        QCOMPARE(m_dict->entry(u"apple"_qs)[1], u"/aep(@)l/"_qs);
        QCOMPARE(main().DBText1->text(), u"/aep(@)l/"_qs);
    }

    void aFailedChangeOrDeleteKeepsTheViewWindowOpen() {
        start();
        clickGridRow(2);
        TLook& look = m_windows->look();
        look.DBEdit1->clear();
        look.Button1->click(); // an empty head word is refused by the database
        QVERIFY(look.isVisible());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].text.contains(u"constraint"_qs), qPrintable(m_messages[0].text));
        QCOMPARE(m_dict->entry(u"apple"_qs)[0], u"apple"_qs);

        main().Edit1->setText(u"zebra"_qs);
        main().Button1Click(); // nothing current any more
        look.Button2->click();
        QVERIFY(look.isVisible());
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(m_dict->words().size(), sampleEntries().size());
    }

    void addShowsSuccessKeepsItsTextAndAddsAgain() {
        start();
        main().N2->trigger();
        TAdd& add = m_windows->add();
        QVERIFY(add.isVisible());
        QTest::keyClicks(add.Edit1, u"zebra"_qs);
        add.Edit2->setText(u"/ˈziːbrə/"_qs);
        add.memo1->setPlainText(u"n. 斑马\n斑马线"_qs);
        add.Button1->click();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, u"添加成功！"_qs);
        QCOMPARE(m_messages[0].title, u"蓝岸英汉小词典"_qs);
        QVERIFY(add.isVisible());
        QCOMPARE(add.Edit1->text(), u"zebra"_qs);
        QCOMPARE(gridWords().last(), u"zebra"_qs);
        QCOMPARE(main().DBGrid1->currentIndex().row(), gridWords().size() - 1);
        QCOMPARE(main().DBMemo1->toPlainText(), u"n. 斑马\n斑马线"_qs);

        add.Button1->click();
        QCOMPARE(m_messages.last().text, u"添加成功！"_qs);
        QCOMPARE(m_dict->words(u"WHERE 单词 = 'zebra'"_qs).size(), 2);

        add.Edit1->clear();
        add.Button1->click();
        QCOMPARE(m_messages.last().text, u"添加失败！"_qs);
        QCOMPARE(m_dict->words().size(), sampleEntries().size() + 2);
    }

    void aMissingDatabaseShowsTheMessageAndAnEmptyWindowUntilALookUpSucceeds() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"dict.mdb"_qs);
        start(path);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].text.contains(u"unable to open database file"_qs),
                 qPrintable(m_messages[0].text));
        QCOMPARE(main().DBText1->text(), QString());
        QCOMPARE(main().DBMemo1->toPlainText(), QString());
        QCOMPARE(main().DBGrid1->model()->rowCount(), 0);
        QVERIFY(!main().DBNavigator1->isEnabled());
        m_windows->add().Edit1->setText(u"zebra"_qs);
        m_windows->add().Button1Click();
        QCOMPARE(m_messages.last().text, u"添加失败！"_qs);
        QVERIFY(!QFile::exists(path));

        QVERIFY(QFile::copy(m_dict->path(), path));
        main().CheckBox1->setChecked(true);
        main().Edit1->clear();
        main().Button1->click();
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(gridWords(), m_dict->words());
        QVERIFY(main().DBNavigator1->isEnabled());
        QCOMPARE(main().DBText1->text(), u"/ə/"_qs);
    }

    void aSecondCopyIsRefused() {
        start();
        QVERIFY(!main().startRefused());
        GlossaWindows second([path = m_dict->path()] { return path; });
        QVERIFY(second.main().startRefused());
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].title, u"提示"_qs);
        QCOMPARE(m_messages[0].text, u"软件已在运行中！"_qs);
        QCOMPARE(main().DBText1->text(), u"/ə/"_qs); // the first copy is untouched

        m_windows.reset();
        GlossaWindows third([path = m_dict->path()] { return path; });
        QVERIFY(!third.main().startRefused());
    }

    void theNavigatorMovesThroughTheRows() {
        start();
        RecordNavigator* nav = main().DBNavigator1;
        QVERIFY(!nav->firstButton()->isEnabled());
        QVERIFY(!nav->priorButton()->isEnabled());
        nav->lastButton()->click();
        QCOMPARE(main().DBText1->text(), u"/kɑːnt/"_qs);
        QVERIFY(!nav->nextButton()->isEnabled());
        QVERIFY(!nav->lastButton()->isEnabled());
        nav->priorButton()->click();
        QCOMPARE(main().DBGrid1->currentIndex().row(), 3);
        nav->firstButton()->click();
        nav->nextButton()->click();
        QCOMPARE(main().DBText1->text(), u"/əˈbaʊt/"_qs);
    }

    void thePopupMenuAddsAWordOrEndsTheProgram() {
        start();
        const QList<QAction*> actions = main().PopupMenu1->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0]->text(), u"添加单词"_qs);
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[2]->text(), u"退出程序"_qs);
        for (QWidget* w :
             std::initializer_list<QWidget*>{&main(), main().PageControl1, main().Button1, main().DBGrid1,
                                             main().DBNavigator1, main().statusBar()})
            QCOMPARE(w->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(main().Edit1->contextMenuPolicy(), Qt::DefaultContextMenu);
        actions[2]->trigger();
        QVERIFY(!main().isVisible());
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
