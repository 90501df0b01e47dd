#include "TfmMain.h"

#include "ReaderWindows.h"

#include "documents/DocumentCommands.h"

#include "platform/ErrorGuard.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QAction* addItem(QMenu* menu, const QString& caption, const QString& objectName) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

QToolButton* toolButton(QToolBar* bar, const QString& caption, const QString& objectName) {
    auto* button = new QToolButton(bar);
    button->setText(caption);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

QPushButton* pushButton(QWidget* parent, QLayout* layout, const QString& caption, const QString& objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    layout->addWidget(button);
    return button;
}

QPlainTextEdit* pane(QWidget* parent, const QString& objectName, const QString& accessibleName) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessibleName);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(16);
    edit->setFont(font);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(192, 220, 192));
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
    return edit;
}

QLabel* link(QWidget* parent, const QString& caption, const QString& objectName, const QColor& color) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->setAccessibleName(caption);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("color: %1; text-decoration: underline;").arg(color.name()));
    return label;
}

} // namespace

QString TfmMain::baseTitle() {
    return QStringLiteral("蓝岸英语阅读器 2012 Build 0320");
}

TfmMain::TfmMain(QStringList arguments, QWidget* parent)
    : QMainWindow(parent), arguments_(std::move(arguments)) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(baseTitle());
    resize(1024, 739);
    setMinimumWidth(130);

    buildMenus();
    buildToolBar();
    buildPages();
    buildBottomStrip();
    buildStatusStrip();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Each subsystem connects its controls; an error in one leaves the others working.
    guard::run([this] { wireDocuments(); });
    guard::run([this] { wireSettings(); });
    guard::run([this] { wireSpeech(); });
    guard::run([this] { wirePanes(); });
    guard::run([this] { wireOnline(); });
    guard::run([this] { wireLinks(); });
    guard::run([this] { wirePlayback(); });
    connect(N21, &QAction::triggered, this, &QWidget::close);

    FormCreate();
}

TfmMain::~TfmMain() = default;

void TfmMain::attachWindows(ReaderWindows& windows) {
    windows_ = &windows;
}

void TfmMain::setTitle(const QString& title) {
    setWindowTitle(title);
}

void TfmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    menuFile = bar->addMenu(QStringLiteral("文件"));
    N13 = addItem(menuFile, QStringLiteral("新建文件"), QStringLiteral("N13"));
    N13->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    N14 = addItem(menuFile, QStringLiteral("打开文件"), QStringLiteral("N14"));
    N15 = addItem(menuFile, QStringLiteral("保存文件"), QStringLiteral("N15"));
    N17 = addItem(menuFile, QStringLiteral("另存为..."), QStringLiteral("N17"));
    menuFile->addSeparator();
    XT2 = addItem(menuFile, QStringLiteral("导出为文本文件"), QStringLiteral("XT2"));
    N21 = addItem(menuFile, QStringLiteral("关闭阅读器"), QStringLiteral("N21"));

    menuEdit = bar->addMenu(QStringLiteral("编辑"));
    N25 = addItem(menuEdit, QStringLiteral("撤销"), QStringLiteral("N25"));
    menuEdit->addSeparator();
    N43 = addItem(menuEdit, QStringLiteral("剪切"), QStringLiteral("N43"));
    N44 = addItem(menuEdit, QStringLiteral("复制"), QStringLiteral("N44"));
    N45 = addItem(menuEdit, QStringLiteral("粘贴"), QStringLiteral("N45"));
    N46 = addItem(menuEdit, QStringLiteral("删除"), QStringLiteral("N46"));
    menuEdit->addSeparator();
    N48 = addItem(menuEdit, QStringLiteral("查找"), QStringLiteral("N48"));
    N49 = addItem(menuEdit, QStringLiteral("查找下一个"), QStringLiteral("N49"));
    N50 = addItem(menuEdit, QStringLiteral("替换"), QStringLiteral("N50"));
    menuEdit->addSeparator();
    N52 = addItem(menuEdit, QStringLiteral("全选"), QStringLiteral("N52"));
    N9 = addItem(menuEdit, QStringLiteral("转到"), QStringLiteral("N9"));

    menuSettings = bar->addMenu(QStringLiteral("设置"));
    QMenu* fonts = menuSettings->addMenu(QStringLiteral("字体设置"));
    N73 = addItem(fonts, QStringLiteral("左边文本"), QStringLiteral("N73"));
    N74 = addItem(fonts, QStringLiteral("右边文本"), QStringLiteral("N74"));
    N75 = addItem(fonts, QStringLiteral("附注文本"), QStringLiteral("N75"));
    QMenu* backgrounds = menuSettings->addMenu(QStringLiteral("背景设置"));
    N76 = addItem(backgrounds, QStringLiteral("左边文本"), QStringLiteral("N76"));
    N77 = addItem(backgrounds, QStringLiteral("右边文本"), QStringLiteral("N77"));
    N78 = addItem(backgrounds, QStringLiteral("附注文本"), QStringLiteral("N78"));

    menuView = bar->addMenu(QStringLiteral("查看"));
    N79 = addItem(menuView, QStringLiteral("语音播放和资讯窗口"), QStringLiteral("N79"));
    N79->setCheckable(true);
    N79->setChecked(true);

    menuSpeech = bar->addMenu(QStringLiteral("TTS语音"));
    N20 = addItem(menuSpeech, QStringLiteral("朗读"), QStringLiteral("N20"));
    N27 = addItem(menuSpeech, QStringLiteral("暂停"), QStringLiteral("N27"));
    N28 = addItem(menuSpeech, QStringLiteral("停止"), QStringLiteral("N28"));
    menuSpeech->addSeparator();
    QMenu* rate = menuSpeech->addMenu(QStringLiteral("语速调节"));
    N81 = addItem(rate, QStringLiteral("加快（+）"), QStringLiteral("N81"));
    N82 = addItem(rate, QStringLiteral("减慢（-）"), QStringLiteral("N82"));
    QMenu* volume = menuSpeech->addMenu(QStringLiteral("音量调节"));
    N83 = addItem(volume, QStringLiteral("增大（+）"), QStringLiteral("N83"));
    N84 = addItem(volume, QStringLiteral("减小（-）"), QStringLiteral("N84"));
    menuSpeech->addSeparator();
    N57 = addItem(menuSpeech, QStringLiteral("导出为语音文件"), QStringLiteral("N57"));

    menuOnline = bar->addMenu(QStringLiteral("在线资源"));
    N37 = addItem(menuOnline, QStringLiteral("在线英语学习资源"), QStringLiteral("N37"));

    menuTools = bar->addMenu(QStringLiteral("工具集"));
    N62 = addItem(menuTools, QStringLiteral("在线词典"), QStringLiteral("N62"));
    QMenu* external = menuTools->addMenu(QStringLiteral("外接词典 =>"));
    N61 = addItem(external, QStringLiteral("运行"), QStringLiteral("N61"));
    N63 = addItem(external, QStringLiteral("设置"), QStringLiteral("N63"));
    N39 = addItem(menuTools, QStringLiteral("录音机"), QStringLiteral("N39"));

    menuHelp = bar->addMenu(QStringLiteral("帮助"));
    N29 = addItem(menuHelp, QStringLiteral("查看 使用说明"), QStringLiteral("N29"));
    N30 = addItem(menuHelp, QStringLiteral("关于 蓝岸英语"), QStringLiteral("N30"));
    N31 = addItem(menuHelp, QStringLiteral("联系我们 => 邮件"), QStringLiteral("N31"));
    QQ1 = addItem(menuHelp, QStringLiteral("联系我们 => QQ"), QStringLiteral("QQ1"));

    menuShare = bar->addMenu(QStringLiteral("分享"));
    QQ2 = addItem(menuShare, QStringLiteral("通过QQ/论坛推荐"), QStringLiteral("QQ2"));
    N1 = addItem(menuShare, QStringLiteral("通过电子邮件推荐给朋友"), QStringLiteral("N1"));

    // The left pane's context menu; its shortcuts act while the left pane has the focus.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N10 = addItem(PopupMenu1, QStringLiteral("在线查词"), QStringLiteral("N10"));
    N10->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    PopOpen = addItem(PopupMenu1, QStringLiteral("打开文件"), QStringLiteral("PopOpen"));
    PopOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    PopupMenu1->addSeparator();
    PopCut = addItem(PopupMenu1, QStringLiteral("剪切"), QStringLiteral("PopCut"));
    PopCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    PopCopy = addItem(PopupMenu1, QStringLiteral("复制"), QStringLiteral("PopCopy"));
    PopCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    PopPaste = addItem(PopupMenu1, QStringLiteral("粘贴"), QStringLiteral("PopPaste"));
    PopPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    PopupMenu1->addSeparator();
    N11 = addItem(PopupMenu1, QStringLiteral("朗读选定部分"), QStringLiteral("N11"));
    N11->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    N11->setVisible(false);
    N6 = addItem(PopupMenu1, QStringLiteral("朗读"), QStringLiteral("N6"));
    N6->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    N7 = addItem(PopupMenu1, QStringLiteral("暂停"), QStringLiteral("N7"));
    N7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    N8 = addItem(PopupMenu1, QStringLiteral("停止"), QStringLiteral("N8"));
    N8->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    QMenu* popFonts = PopupMenu3->addMenu(QStringLiteral("字体设置"));
    popFonts->addAction(N73);
    popFonts->addAction(N74);
    popFonts->addAction(N75);
    QMenu* popBackgrounds = PopupMenu3->addMenu(QStringLiteral("背景设置"));
    popBackgrounds->addAction(N76);
    popBackgrounds->addAction(N77);
    popBackgrounds->addAction(N78);

    PopupMenuDict = new QMenu(this);
    PopupMenuDict->setObjectName(QStringLiteral("PopupMenuDict"));
    PopDictRun = addItem(PopupMenuDict, QStringLiteral("运行 英汉词典"), QStringLiteral("PopDictRun"));
    PopDictSet = addItem(PopupMenuDict, QStringLiteral("设置 词典路径"), QStringLiteral("PopDictSet"));
}

void TfmMain::buildToolBar() {
    auto* bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFixedHeight(30);
    ToolButton1 = toolButton(bar, QStringLiteral("新建文件"), QStringLiteral("ToolButton1"));
    ToolButton2 = toolButton(bar, QStringLiteral("打开文件"), QStringLiteral("ToolButton2"));
    ToolButton3 = toolButton(bar, QStringLiteral("保存文件"), QStringLiteral("ToolButton3"));
    bar->addSeparator();
    auto* voiceLabel = new QLabel(QStringLiteral("语音选择:"), bar);
    bar->addWidget(voiceLabel);
    cmbEngines = new QComboBox(bar);
    cmbEngines->setObjectName(QStringLiteral("cmbEngines"));
    cmbEngines->setMinimumWidth(180);
    voiceLabel->setBuddy(cmbEngines);
    cmbEngines->setAccessibleName(voiceLabel->text());
    bar->addWidget(cmbEngines);
    bar->addSeparator();
    ToolButton4 = toolButton(bar, QStringLiteral("朗读"), QStringLiteral("ToolButton4"));
    ToolButton5 = toolButton(bar, QStringLiteral("暂停||继续"), QStringLiteral("ToolButton5"));
    ToolButton5->setCheckable(true);
    ToolButton6 = toolButton(bar, QStringLiteral("停止"), QStringLiteral("ToolButton6"));
    ToolButtonReading = toolButton(bar, QStringLiteral("阅读设置"), QStringLiteral("ToolButtonReading"));
    ToolButtonReading->setMenu(PopupMenu3);
    ToolButtonReading->setPopupMode(QToolButton::InstantPopup);
    ToolButtonDict = toolButton(bar, QStringLiteral("英汉词典"), QStringLiteral("ToolButtonDict"));
    ToolButtonDict->setMenu(PopupMenuDict);
    ToolButtonDict->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButtonHelp = toolButton(bar, QStringLiteral("帮助"), QStringLiteral("ToolButtonHelp"));
    ToolButtonSite = toolButton(bar, QStringLiteral("蓝岸英语官网"), QStringLiteral("ToolButtonSite"));
    bar->addSeparator();
    LabelHistory =
        link(bar, QStringLiteral("阅读历史记录管理"), QStringLiteral("LabelHistory"), QColor(0, 0, 255));
    bar->addWidget(LabelHistory);
    cbxhistorywz = new QComboBox(bar);
    cbxhistorywz->setObjectName(QStringLiteral("cbxhistorywz"));
    cbxhistorywz->setAccessibleName(LabelHistory->text());
    cbxhistorywz->setMinimumWidth(200);
    bar->addWidget(cbxhistorywz);
    listhistorywzurl = new QListWidget(this);
    listhistorywzurl->setObjectName(QStringLiteral("listhistorywzurl"));
    listhistorywzurl->hide();
    Panelad = new QWidget(bar);
    Panelad->setObjectName(QStringLiteral("Panelad"));
    Panelad->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* adLayout = new QHBoxLayout(Panelad);
    adLayout->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(Panelad);
}

void TfmMain::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet3 = new QWidget(PageControl1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet1, QStringLiteral("阅读"));
    PageControl1->addTab(TabSheet3, QStringLiteral("附注"));

    MemMain = pane(TabSheet1, QStringLiteral("MemMain"), QStringLiteral("左边文本"));
    Memo2 = pane(TabSheet1, QStringLiteral("Memo2"), QStringLiteral("右边文本"));
    auto* reading = new QHBoxLayout(TabSheet1);
    reading->setContentsMargins(0, 0, 0, 0);
    reading->setSpacing(0);
    reading->addWidget(MemMain, 1);
    reading->addWidget(Memo2, 1);
    Memo3 = pane(TabSheet3, QStringLiteral("Memo3"), QStringLiteral("附注文本"));
    auto* notes = new QVBoxLayout(TabSheet3);
    notes->setContentsMargins(0, 0, 0, 0);
    notes->addWidget(Memo3);

    // The tab row: view buttons, read button, shortcuts and the autorun box.
    auto* row = new QWidget(PageControl1);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(8, 0, 4, 0);
    suiRadioButton1 = new QRadioButton(QStringLiteral("左边"), row);
    suiRadioButton1->setObjectName(QStringLiteral("suiRadioButton1"));
    suiRadioButton1->setChecked(true);
    suiRadioButton2 = new QRadioButton(QStringLiteral("右边"), row);
    suiRadioButton2->setObjectName(QStringLiteral("suiRadioButton2"));
    suiRadioButton3 = new QRadioButton(QStringLiteral("左右对照"), row);
    suiRadioButton3->setObjectName(QStringLiteral("suiRadioButton3"));
    for (QRadioButton* button : {suiRadioButton1, suiRadioButton2, suiRadioButton3}) {
        button->setAccessibleName(button->text());
        rowLayout->addWidget(button);
    }
    BtnRead = pushButton(row, rowLayout, QStringLiteral("朗读 => TTS语音"), QStringLiteral("BtnRead"));
    BtnOnline = pushButton(row, rowLayout, QStringLiteral("在线学习"), QStringLiteral("BtnOnline"));
    BtnDict = pushButton(row, rowLayout, QStringLiteral("英汉词典"), QStringLiteral("BtnDict"));
    BtnLookup = pushButton(row, rowLayout, QStringLiteral("在线词典"), QStringLiteral("BtnLookup"));
    Edit3 = new QLineEdit(row);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setAccessibleName(QStringLiteral("资料搜索"));
    Edit3->setMinimumWidth(140);
    rowLayout->addWidget(Edit3);
    BtnSearch = pushButton(row, rowLayout, QStringLiteral("资料搜索"), QStringLiteral("BtnSearch"));
    rowLayout->addSpacing(12);
    chkAutoRun = new QCheckBox(QStringLiteral("开机自运行"), row);
    chkAutoRun->setObjectName(QStringLiteral("chkAutoRun"));
    chkAutoRun->setAccessibleName(chkAutoRun->text());
    rowLayout->addWidget(chkAutoRun);
    PageControl1->setCornerWidget(row, Qt::TopRightCorner);
}

void TfmMain::buildBottomStrip() {
    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedHeight(75);
    auto* strip = new QHBoxLayout(Panel4);
    strip->setContentsMargins(4, 2, 4, 2);
    auto* left = new QWidget(Panel4);
    left->setFixedWidth(412);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    auto* fileRow = new QHBoxLayout;
    auto* fileLabel = new QLabel(QStringLiteral("本地语音文件："), left);
    Edit2 = new QLineEdit(left);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    fileLabel->setBuddy(Edit2);
    Edit2->setAccessibleName(fileLabel->text());
    SpeedButton1 = new QToolButton(left);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setToolTip(QStringLiteral("打开并关联本地音频文件"));
    SpeedButton1->setAccessibleName(SpeedButton1->toolTip());
    SpeedButton2 = new QToolButton(left);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("↓"));
    SpeedButton2->setToolTip(QStringLiteral("下载当前音频文件"));
    SpeedButton2->setAccessibleName(SpeedButton2->toolTip());
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(Edit2, 1);
    fileRow->addWidget(SpeedButton1);
    fileRow->addWidget(SpeedButton2);
    leftLayout->addLayout(fileRow);
    playerHost = new QWidget(left);
    playerHost->setObjectName(QStringLiteral("playerHost"));
    auto* playerLayout = new QHBoxLayout(playerHost);
    playerLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(playerHost, 1);
    strip->addWidget(left);
    strip->addStretch(1);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(PageControl1, 1);
    column->addWidget(Panel4);
    setCentralWidget(central);
}

void TfmMain::buildStatusStrip() {
    QStatusBar* status = statusBar();
    status->setFixedHeight(21);
    Label3 = link(status, QStringLiteral("蓝岸英语软件"), QStringLiteral("Label3"), QColor(0, 0, 255));
    Label7 = link(status, QStringLiteral("英语学习资料下载"), QStringLiteral("Label7"), QColor(0, 0, 255));
    LabelFeedback =
        link(status, QStringLiteral("用户反馈"), QStringLiteral("LabelFeedback"), QColor(255, 0, 0));
    status->addWidget(Label3);
    status->addWidget(Label7);
    status->addWidget(LabelFeedback);
}

void TfmMain::FormCreate() {
    // Each step is guarded: a failed step is reported and the next one still runs, so the
    // history is always loaded before the window can be closed.
    guard::run([this] { firstRunAndAutoRunStep(); });
    guard::run([this] { initVoicesStep(); });
    guard::run([this] { fileAssociationStep(); });
    guard::run([this] { initialPaneLayoutStep(); });
    guard::run([this] { scrollCouplingStep(); });
    guard::run([this] { commandLineDocumentStep(); });
    guard::run([this] { loadHistoryStep(); });
    guard::run([this] { externalDictionaryStep(); });
    guard::run([this] { clearLeftoversStep(); });
    Timer1->start();
}

void TfmMain::clearLeftoversStep() {
    if (documents)
        documents->CurrentFileName.clear();
    for (const char* name : {"info.dat", "article.dat", "curwz.vbd"}) {
        const QString path = ProgramFolder() + QLatin1String(name);
        if (QFile::exists(path))
            QFile::remove(path);
    }
}

bool TfmMain::FormCloseQuery() {
    guard::run([this] { saveHistoryOnClose(); });
    return true;
}

void TfmMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
        // Closing the main window ends the program, whatever other windows are open.
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    } else {
        event->ignore();
    }
}
