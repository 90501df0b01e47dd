#include "ReplaceDialog.h"

#include "ScanText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setWindowTitle(QStringLiteral("替换"));
    setModal(false);

    auto* findLabel = new QLabel(QStringLiteral("查找内容(&N):"), this);
    FindText = new QLineEdit(this);
    FindText->setAccessibleName(QStringLiteral("查找内容"));
    findLabel->setBuddy(FindText);
    auto* replaceLabel = new QLabel(QStringLiteral("替换为(&P):"), this);
    ReplaceText = new QLineEdit(this);
    ReplaceText->setAccessibleName(QStringLiteral("替换为"));
    replaceLabel->setBuddy(ReplaceText);
    WholeWord = new QCheckBox(QStringLiteral("全字匹配(&W)"), this);
    MatchCase = new QCheckBox(QStringLiteral("区分大小写(&C)"), this);

    FindNext = new QPushButton(QStringLiteral("查找下一个(&F)"), this);
    FindNext->setDefault(true);
    Replace = new QPushButton(QStringLiteral("替换(&R)"), this);
    ReplaceAll = new QPushButton(QStringLiteral("全部替换(&A)"), this);
    Cancel = new QPushButton(QStringLiteral("取消"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(FindText, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(ReplaceText, 1, 1);
    grid->addWidget(WholeWord, 2, 0, 1, 2);
    grid->addWidget(MatchCase, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {FindNext, Replace, ReplaceAll, Cancel})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // As the platform's dialog: nothing to look for, nothing to press.
    const auto enableButtons = [this] {
        for (QPushButton* button : {FindNext, Replace, ReplaceAll})
            button->setEnabled(!FindText->text().isEmpty());
    };
    enableButtons();
    connect(FindText, &QLineEdit::textChanged, this, enableButtons);

    const auto emitWith = [this](unsigned action, void (ReplaceDialog::*signal)()) {
        return [this, action, signal] {
            action_ = action;
            emit(this->*signal)();
            action_ = 0;
        };
    };
    connect(FindNext, &QPushButton::clicked, this, emitWith(0, &ReplaceDialog::find));
    connect(Replace, &QPushButton::clicked, this, emitWith(FindOption::ReplaceOne, &ReplaceDialog::replace));
    connect(ReplaceAll, &QPushButton::clicked, this,
            emitWith(FindOption::ReplaceAll, &ReplaceDialog::replace));
    connect(Cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString ReplaceDialog::findText() const {
    return FindText->text();
}

QString ReplaceDialog::replaceText() const {
    return ReplaceText->text();
}

unsigned ReplaceDialog::options() const {
    return FindOption::Down | (MatchCase->isChecked() ? FindOption::MatchCase : 0u) |
           (WholeWord->isChecked() ? FindOption::WholeWord : 0u) | action_;
}

void ReplaceDialog::showInFront() {
    show();
    raise();
    activateWindow();
    FindText->setFocus();
    FindText->selectAll();
}
