#include "TfrmEngOnlineData.h"

#include "Download.h"
#include "ResourceList.h"

#include "platform/Configuration.h"
#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QListWidget* resourceList(QWidget* parent, const QString& objectName, const QString& accessibleName) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setAccessibleName(accessibleName);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    list->setFont(font);
    list->setUniformItemSizes(true);
    list->setStyleSheet(
        QStringLiteral("QListWidget { background: #ffffe1; } QListWidget::item { height: 18px; }"));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

QGroupBox* group(QWidget* parent, const QString& caption, QWidget* content) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

TfrmEngOnlineData::TfrmEngOnlineData(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint), isOnline(IsOnline) {
    setObjectName(QStringLiteral("frmEngOnlineData"));
    setWindowTitle(QStringLiteral("在线学习资源"));
    setFixedSize(620, 440);

    Listfenlei = resourceList(this, QStringLiteral("Listfenlei"), QStringLiteral("分类列表"));
    Listwenzhang = resourceList(this, QStringLiteral("Listwenzhang"), QStringLiteral("学习内容（双击打开）"));
    Listwenzhangurl = new QListWidget(this);
    Listwenzhangurl->setObjectName(QStringLiteral("Listwenzhangurl"));
    Listwenzhangurl->hide();

    suiButton1 = new QPushButton(QStringLiteral("刷新"), this);
    suiButton1->setObjectName(QStringLiteral("suiButton1"));
    suiButton1->setAccessibleName(suiButton1->text());
    suiButton1->setToolTip(QStringLiteral("刷新在线学习资源列表"));

    auto* reminder = new QLabel(
        QStringLiteral("蓝岸英语提醒您：英语学习如逆水行舟，不进则退。坚持每天学习，才是学好英语的关键。"
                       "以上学习资料均可到官方网站下载。"),
        this);
    reminder->setWordWrap(true);
    reminder->setStyleSheet(QStringLiteral("color: blue;"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(group(this, QStringLiteral("分类列表"), Listfenlei), 1);
    lists->addWidget(group(this, QStringLiteral("学习内容（双击打开）"), Listwenzhang), 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(suiButton1);
    buttons->addStretch();
    lists->addLayout(buttons);
    auto* column = new QVBoxLayout(this);
    column->addLayout(lists, 1);
    column->addWidget(reminder);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("下载"));
    N1->setObjectName(QStringLiteral("N1"));
    PopupMenu2 = new QMenu(this);
    N2 = PopupMenu2->addAction(QStringLiteral("打开"));
    N2->setObjectName(QStringLiteral("N2"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connect(Timer1, &QTimer::timeout, this, guard::slot([this] { Timer1Timer(); }));
    connect(suiButton1, &QPushButton::clicked, this, guard::slot([this] { suiButton1Click(); }));
    connect(Listfenlei, &QListWidget::currentRowChanged, this, guard::slot([this] { ListfenleiClick(); }));
    connect(Listwenzhang, &QListWidget::itemDoubleClicked, this,
            guard::slot([this] { ListwenzhangDblClick(); }));
    connect(N1, &QAction::triggered, this, guard::slot([this] { N1Click(); }));
    connect(N2, &QAction::triggered, this, guard::slot([this] { ListwenzhangDblClick(); }));
    connect(Listfenlei, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Listfenlei->viewport()->mapToGlobal(at)); });
    connect(Listwenzhang, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(Listwenzhang->viewport()->mapToGlobal(at)); });

    FormCreate();
}

void TfrmEngOnlineData::FormCreate() {
    Timer1->start();
}

QString TfrmEngOnlineData::listPath() {
    return ProgramFolder() + QStringLiteral("article.dat");
}

void TfrmEngOnlineData::Timer1Timer() {
    if (!isOnline())
        return;
    Timer1->stop();
    LoadArticleList();
}

void TfrmEngOnlineData::LoadArticleList() {
    const QString path = listPath();
    if (!DownloadFile(config::makerServer() + QStringLiteral("/softinfo/article.htm"), path,
                      {download::kListLimit})) {
        ShowMessage(QStringLiteral("在线英语阅读材料载入错误，请刷新重试或检查网络连接！"), this);
        return;
    }
    if (!QFile::exists(path))
        return;
    const KeyedFile list(path);
    {
        const QSignalBlocker blocker(Listfenlei);
        Listfenlei->clear();
        Listfenlei->addItems(Categories(list));
        Listfenlei->setCurrentRow(0);
    }
    Listwenzhang->clear();
    Listwenzhangurl->clear();
    if (Listfenlei->count() == 0)
        return;
    fillArticles(Listfenlei->item(0)->text());
}

void TfrmEngOnlineData::fillArticles(const QString& category) {
    Listwenzhang->clear();
    Listwenzhangurl->clear();
    for (const Article& article : ArticlesOf(KeyedFile(listPath()), category)) {
        Listwenzhang->addItem(article.title);
        Listwenzhangurl->addItem(article.address);
    }
}

void TfrmEngOnlineData::ListfenleiClick() {
    if (Listfenlei->currentRow() < 0)
        return;
    fillArticles(Listfenlei->currentItem()->text());
}

void TfrmEngOnlineData::ListwenzhangDblClick() {
    const int row = Listwenzhang->currentRow();
    if (row < 0)
        return;
    hide();
    const QString title = Listwenzhang->item(row)->text();
    const QString address = row < Listwenzhangurl->count() ? Listwenzhangurl->item(row)->text() : QString();
    if (DownloadFile(address, ProgramFolder() + QStringLiteral("curwz.vbd"), {download::kDocumentLimit})) {
        if (openArticle_)
            openArticle_(title, address);
        return;
    }
    ShowMessage(QStringLiteral("选定文章载入错误，请重试或检查网络连接！"), this);
    show();
}

void TfrmEngOnlineData::N1Click() {
    if (Listfenlei->currentRow() < 0)
        return;
    shell::open(config::downloadSite() + QStringLiteral("/search.asp?word=") +
                Listfenlei->currentItem()->text());
}
