#include "TLook.h"

#include "Bindings.h"
#include "Messages.h"
#include "core/DictionaryFile.h"
#include "core/WordStore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace glossa {

TLook::TLook(WordStore& store, QWidget* mainWindow)
    : Companion(QStringLiteral("查看"), QSize(208, 130), mainWindow), m_store(store) {
    setObjectName(QStringLiteral("Look"));
    auto* layout = new QGridLayout(this);
    const auto field = [this, layout](const QString& caption, const char* name, int row) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        auto* l = new QLabel(caption, this);
        l->setBuddy(edit);
        edit->setAccessibleName(QString(caption).remove(QStringLiteral("：")));
        layout->addWidget(l, row, 0);
        layout->addWidget(edit, row, 1);
        return edit;
    };
    DBEdit1 = field(QStringLiteral("单词："), "DBEdit1", 0);
    DBEdit2 = field(QStringLiteral("音标："), "DBEdit2", 1);
    DBEdit3 = field(QStringLiteral("解释："), "DBEdit3", 2);
    BindField(DBEdit1, m_store, QString::fromUtf16(kWordColumn));
    BindField(DBEdit2, m_store, QString::fromUtf16(kPhoneticColumn));
    BindField(DBEdit3, m_store, QString::fromUtf16(kExplanationColumn));

    auto* buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("删除"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("修改"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton* b : {Button2, Button1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons, 3, 0, 1, 2);
    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, DBEdit3);
    setTabOrder(DBEdit3, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, &TLook::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TLook::Button2Click);
}

// After a failed change or delete the error is shown and the window stays open.
void TLook::Button1Click() {
    Guarded(this, [this] {
        m_store.updateCurrentWord(DBEdit1->text(), DBEdit2->text(), DBEdit3->text());
        hide();
    });
}

void TLook::Button2Click() {
    Guarded(this, [this] {
        m_store.deleteCurrentWord();
        hide();
    });
}

} // namespace glossa
