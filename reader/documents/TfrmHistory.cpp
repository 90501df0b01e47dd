#include "TfrmHistory.h"

#include "ReadingHistory.h"

#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("History");

QPushButton* button(QWidget* parent, const QString& caption, const QString& objectName) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfrmHistory::TfrmHistory(QWidget* parent, std::function<void()> reloadMain)
    : QDialog(parent), reloadMain_(std::move(reloadMain)) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("阅读历史记录管理"));
    resize(305, 368);
    setMinimumWidth(130);

    auto* box = new QGroupBox(this);
    List1 = new QListWidget(box);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(windowTitle());
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    List1->setFont(font);
    QPalette palette = List1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    List1->setPalette(palette);
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->hide();

    suiButton1 = button(box, QStringLiteral("删除"), QStringLiteral("suiButton1"));
    suiButton2 = button(box, QStringLiteral("清空记录"), QStringLiteral("suiButton2"));
    suiButton3 = button(this, QStringLiteral("确定"), QStringLiteral("suiButton3"));
    suiButton4 = button(this, QStringLiteral("关闭"), QStringLiteral("suiButton4"));

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(suiButton1);
    listButtons->addWidget(suiButton2);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(List1, 1);
    boxLayout->addLayout(listButtons);
    auto* side = new QVBoxLayout;
    side->addWidget(suiButton3);
    side->addWidget(suiButton4);
    side->addStretch();
    auto* row = new QHBoxLayout(this);
    row->addWidget(box, 1);
    row->addLayout(side);

    connect(suiButton1, &QPushButton::clicked, this, guard::slot([this] { suiButton1Click(); }));
    connect(suiButton2, &QPushButton::clicked, this, guard::slot([this] { suiButton2Click(); }));
    connect(suiButton3, &QPushButton::clicked, this, guard::slot([this] { suiButton3Click(); }));
    connect(suiButton4, &QPushButton::clicked, this, guard::slot([this] { suiButton4Click(); }));
}

void TfrmHistory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guard::run([this] { LoadHistoryList(); });
}

void TfrmHistory::LoadHistoryList() {
    List1->clear();
    List2->clear();
    if (!QFile::exists(HistoryFilePath()))
        return;
    const KeyedFile file(HistoryFilePath());
    for (const QString& name : file.keys(kSection)) {
        List1->addItem(name);
        List2->addItem(file.readString(kSection, name));
    }
}

void TfrmHistory::SaveHistoryList() {
    const QString path = HistoryFilePath();
    if (QFile::exists(path))
        QFile::remove(path);
    if (List1->count() == 0)
        return;
    KeyedFile file;
    for (int i = 0; i < List1->count(); ++i)
        file.writeString(kSection, List1->item(i)->text(),
                         i < List2->count() ? List2->item(i)->text() : QString());
    file.saveAs(path);
}

void TfrmHistory::suiButton1Click() {
    const int row = List1->currentRow();
    if (row < 0 || !List1->item(row)->isSelected())
        return;
    delete List2->takeItem(row);
    delete List1->takeItem(row);
}

void TfrmHistory::suiButton2Click() {
    List1->clear();
    List2->clear();
}

void TfrmHistory::suiButton3Click() {
    SaveHistoryList();
    if (reloadMain_)
        reloadMain_();
    accept();
}

void TfrmHistory::suiButton4Click() {
    reject();
}
