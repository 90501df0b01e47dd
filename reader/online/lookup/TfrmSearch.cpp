#include "TfrmSearch.h"

#include "LookupAddresses.h"
#include "WebViewLoader.h"

#include "platform/ErrorGuard.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QVBoxLayout* tightColumn(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

TfrmSearch::TfrmSearch(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("在线查词"));
    resize(1000, 700);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    column->addLayout(top);

    edt_word = new QLineEdit(this);
    edt_word->setObjectName(QStringLiteral("edt_word"));
    edt_word->setAccessibleName(QStringLiteral("查词"));
    QFont wordFont(QStringLiteral("宋体"));
    wordFont.setPixelSize(24);
    wordFont.setBold(true);
    edt_word->setFont(wordFont);
    edt_word->setMinimumWidth(260);
    top->addWidget(edt_word);

    BtnSearch = new QPushButton(QStringLiteral("查词"), this);
    BtnSearch->setObjectName(QStringLiteral("BtnSearch"));
    BtnSearch->setAccessibleName(QStringLiteral("查词"));
    top->addWidget(BtnSearch);

    groupDictionaries = new QGroupBox(QStringLiteral("选择词典"), this);
    groupDictionaries->setObjectName(QStringLiteral("groupDictionaries"));
    auto* boxes = new QHBoxLayout(groupDictionaries);
    top->addWidget(groupDictionaries, 1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    column->addWidget(PageControl1, 1);

    QCheckBox** members[] = {&chk_haici, &chk_iciba, &chk_baidu, &chk_youdao, &chk_bing};
    for (std::size_t i = 0; i < lookup::services().size(); ++i) {
        const lookup::Service& service = lookup::services()[i];
        auto* box = new QCheckBox(service.caption, groupDictionaries);
        box->setObjectName(QStringLiteral("chk_") + service.name);
        box->setAccessibleName(service.caption);
        box->setChecked(true);
        boxes->addWidget(box);
        *members[i] = box;

        // The tab holds its web view once one is needed; an empty page until then.
        auto* tab = new QWidget(PageControl1);
        tab->setObjectName(QStringLiteral("Tab_") + service.name);
        tightColumn(tab);
        PageControl1->addTab(tab, service.caption);
        tabs_[i] = tab;
    }
    PageControl1->setCurrentIndex(2);

    connect(BtnSearch, &QPushButton::clicked, this, guard::slot([this] { suitempBitBtn1Click(); }));
    connect(edt_word, &QLineEdit::returnPressed, BtnSearch, &QPushButton::click);
}

TfrmSearch::~TfrmSearch() = default;

std::array<QCheckBox*, 5> TfrmSearch::checkBoxes() const {
    return {chk_haici, chk_iciba, chk_baidu, chk_youdao, chk_bing};
}

std::array<QWidget*, 5> TfrmSearch::webViews() const {
    return {Web_haici, Web_iciba, Web_baidu, Web_youdao, Web_bing};
}

void TfrmSearch::createWebViews() {
    if (Web_haici)
        return;
    // Starting the web engine is costly, so it waits until a page is first wanted.
    QWidget** members[] = {&Web_haici, &Web_iciba, &Web_baidu, &Web_youdao, &Web_bing};
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        QWidget* view = webview::create(tabs_[i]);
        view->setObjectName(QStringLiteral("Web_") + lookup::services()[i].name);
        view->setAccessibleName(lookup::services()[i].caption);
        tabs_[i]->layout()->addWidget(view);
        *members[i] = view;
    }
}

void TfrmSearch::showEvent(QShowEvent* event) {
    createWebViews();
    QWidget::showEvent(event);
}

void TfrmSearch::SearchWord(const QString& word) {
    edt_word->setText(word);
    createWebViews();
    const auto boxes = checkBoxes();
    const auto views = webViews();
    for (std::size_t i = 0; i < views.size(); ++i) {
        const QString target = boxes[i]->isChecked() ? lookup::address(lookup::services()[i], word)
                                                     : QStringLiteral("about:blank");
        webview::load(views[i], lookup::toEngineUrl(target));
    }
}

void TfrmSearch::suitempBitBtn1Click() {
    const QString word = lookup::trimmedWord(edt_word->text());
    if (!word.isEmpty())
        SearchWord(word);
}

void TfrmSearch::ShowWindow() {
    if (isHidden())
        showMaximized();
    else if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TfrmSearch::LookUpText(const QString& text) {
    const QString word = lookup::trimmedWord(text);
    if (!word.isEmpty())
        SearchWord(word);
    ShowWindow();
}
