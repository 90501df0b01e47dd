#include "TMain.h"

#include "Bindings.h"
#include "Messages.h"
#include "RecordNavigator.h"
#include "TAdd.h"
#include "TLook.h"
#include "core/DictionaryFile.h"
#include "core/Weekday.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace glossa {

namespace {

// The pop-up menu belongs to the window and the listed controls; text fields keep their own menus.
void attachMenu(QWidget* widget, QMenu* menu) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, menu, [widget, menu](const QPoint& pos) {
        const auto* area = qobject_cast<QAbstractScrollArea*>(widget);
        menu->popup(area ? area->viewport()->mapToGlobal(pos) : widget->mapToGlobal(pos));
    });
}

} // namespace

TMain::TMain(WordStore::Locator locate, QWidget* parent)
    : QMainWindow(parent), ADOQuery1(new WordStore(std::move(locate), this)),
      m_instance(QString::fromUtf16(kApplicationTitle)) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("蓝岸英汉小词典 1.8"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(PageControl1);
    buildLookUpPage();
    buildBrowsingPage();
    buildStatusBar();
    buildPopupMenu();

    setFixedSize(398, 370);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

void TMain::buildLookUpPage() {
    auto* page = new QWidget(PageControl1);
    auto* layout = new QVBoxLayout(page);

    GroupBox1 = new QGroupBox(page);
    auto* top = new QHBoxLayout(GroupBox1);
    auto* wordLabel = new QLabel(QStringLiteral("英文单词："), GroupBox1);
    Edit1 = new QLineEdit(QStringLiteral("a"), GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    wordLabel->setBuddy(Edit1);
    Edit1->setAccessibleName(QStringLiteral("英文单词"));
    CheckBox1 = new QCheckBox(QStringLiteral("模糊查询"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Button1 = new QPushButton(QStringLiteral("查询"), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    top->addWidget(wordLabel);
    top->addWidget(Edit1, 1);
    top->addWidget(CheckBox1);
    top->addWidget(Button1);
    layout->addWidget(GroupBox1);

    auto* phoneticRow = new QHBoxLayout;
    auto* phoneticLabel = new QLabel(QStringLiteral("音标："), page);
    DBText1 = new QLabel(page);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setToolTip(QStringLiteral("音标"));
    DBText1->setAccessibleName(QStringLiteral("音标"));
    DBText1->setTextFormat(Qt::PlainText);
    DBText1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DBText1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    phoneticRow->addWidget(phoneticLabel);
    phoneticRow->addWidget(DBText1);
    phoneticRow->addStretch(1);
    layout->addLayout(phoneticRow);

    auto* explanationLabel = new QLabel(QStringLiteral("中文解释："), page);
    DBMemo1 = new QPlainTextEdit(page);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setReadOnly(true);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setToolTip(QStringLiteral("解释"));
    explanationLabel->setBuddy(DBMemo1);
    DBMemo1->setAccessibleName(QStringLiteral("中文解释"));
    layout->addWidget(explanationLabel);
    layout->addWidget(DBMemo1, 1);

    PageControl1->addTab(page, QStringLiteral("英汉查询"));

    BindField(DBText1, *ADOQuery1, QString::fromUtf16(kPhoneticColumn));
    BindField(DBMemo1, *ADOQuery1, QString::fromUtf16(kExplanationColumn));
    connect(Button1, &QPushButton::clicked, this, &TMain::Button1Click);
    // Edit1KeyPress: Enter runs the same look-up as the button.
    connect(Edit1, &QLineEdit::returnPressed, this, &TMain::Button1Click);
}

void TMain::buildBrowsingPage() {
    auto* page = new QWidget(PageControl1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    DBGrid1 = new QTableView(page);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("字典查看"));
    DBGrid1->setModel(ADOQuery1);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setWordWrap(false);
    // Fixed row heights: the view never measures rows, so a result of any size scrolls at once.
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setDefaultSectionSize(120);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(DBGrid1, 1);

    DBNavigator1 = new RecordNavigator(*ADOQuery1, page);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    layout->addWidget(DBNavigator1);

    PageControl1->addTab(page, QStringLiteral("字典查看"));

    connect(DBGrid1, &QTableView::clicked, this, &TMain::DBGrid1CellClick);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncingGrid || !current.isValid())
                    return;
                Guarded(this, [&] { ADOQuery1->setCurrentRow(current.row()); });
                followCurrentRow(ADOQuery1->currentRow()); // back to the store's row if the move failed
            });
    connect(ADOQuery1, &WordStore::currentRowChanged, this, &TMain::followCurrentRow);
    connect(ADOQuery1, &WordStore::fetchFailed, this,
            [this](const QString& message) { ShowMessage(message, this); });
}

void TMain::followCurrentRow(int row) {
    m_syncingGrid = true;
    if (row < 0) {
        DBGrid1->selectionModel()->clear();
    } else {
        const QModelIndex index = ADOQuery1->index(row, std::max(0, DBGrid1->currentIndex().column()));
        DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        DBGrid1->scrollTo(index);
    }
    m_syncingGrid = false;
}

void TMain::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    const int widths[3] = {120, 200, 50};
    const QString texts[3] = {QStringLiteral("蓝岸软件"), QString(), QString()};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(texts[i], statusBar());
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setAlignment(Qt::AlignCenter);
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(StatusPanels[i]);
    }
}

void TMain::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N2 = PopupMenu1->addAction(QStringLiteral("添加单词"));
    PopupMenu1->addSeparator();
    N1 = PopupMenu1->addAction(QStringLiteral("退出程序"));
    connect(N2, &QAction::triggered, this, &TMain::N2Click);
    connect(N1, &QAction::triggered, this, &TMain::N1Click);
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(PageControl1),
                       static_cast<QWidget*>(Button1), static_cast<QWidget*>(DBGrid1),
                       static_cast<QWidget*>(DBNavigator1), static_cast<QWidget*>(statusBar())})
        attachMenu(w, PopupMenu1);
}

void TMain::FormCreate() {
    if (!m_instance.acquire()) {
        ShowMessage(QStringLiteral("软件已在运行中！"), this, QStringLiteral("提示"));
        m_startRefused = true;
        return;
    }
    StatusPanels[2]->setText(WeekdayName(QDate::currentDate()));
    Guarded(this, [this] { ADOQuery1->openWordStore(); });
}

void TMain::setCompanions(TAdd* add, TLook* look) {
    m_add = add;
    m_look = look;
}

void TMain::Button1Click() {
    Guarded(this, [this] { ADOQuery1->lookUpWord(Edit1->text(), CheckBox1->isChecked()); });
}

void TMain::N2Click() {
    if (m_add) {
        m_add->show();
        m_add->raise();
        m_add->activateWindow();
    }
}

void TMain::N1Click() {
    close();
}

void TMain::DBGrid1CellClick(const QModelIndex& index) {
    if (!index.isValid() || ADOQuery1->currentRow() != index.row())
        return; // the move to the clicked row failed and was reported
    if (m_look) {
        m_look->show();
        m_look->raise();
        m_look->activateWindow();
    }
}

} // namespace glossa
