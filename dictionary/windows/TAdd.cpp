#include "TAdd.h"

#include "Messages.h"
#include "core/WordStore.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace glossa {

TAdd::TAdd(WordStore& store, QWidget* mainWindow)
    : Companion(QStringLiteral("添加"), QSize(197, 216), mainWindow), m_store(store) {
    setObjectName(QStringLiteral("Add"));
    auto* layout = new QGridLayout(this);
    const auto label = [this, layout](const QString& text, int row, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        buddy->setAccessibleName(QString(text).remove(QStringLiteral("：")));
        layout->addWidget(l, row, 0, Qt::AlignTop);
        layout->addWidget(buddy, row, 1);
    };
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    memo1 = new QPlainTextEdit(this);
    memo1->setObjectName(QStringLiteral("memo1"));
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1->setTabChangesFocus(true);
    label(QStringLiteral("单词："), 0, Edit1);
    label(QStringLiteral("音标："), 1, Edit2);
    label(QStringLiteral("解释："), 2, memo1);
    layout->setRowStretch(2, 1);
    Button1 = new QPushButton(QStringLiteral("添加"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    layout->addWidget(Button1, 3, 0, 1, 2, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &TAdd::Button1Click);
}

void TAdd::Button1Click() {
    // The fields keep their text either way, so the same entry can be added again or corrected.
    const bool added = m_store.addWord(Edit1->text(), Edit2->text(), memo1->toPlainText());
    ShowMessage(added ? QStringLiteral("添加成功！") : QStringLiteral("添加失败！"), this);
}

} // namespace glossa
