#include "FindDialog.h"

#include "ScanText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("查找"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("查找内容(&N):"), this);
    FindText = new QLineEdit(this);
    FindText->setAccessibleName(QStringLiteral("查找内容"));
    label->setBuddy(FindText);
    MatchCase = new QCheckBox(QStringLiteral("区分大小写(&C)"), this);
    auto* direction = new QGroupBox(QStringLiteral("方向"), this);
    Up = new QRadioButton(QStringLiteral("向上(&U)"), direction);
    Down = new QRadioButton(QStringLiteral("向下(&D)"), direction);
    Down->setChecked(true);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(Up);
    directionRow->addWidget(Down);

    FindNext = new QPushButton(QStringLiteral("查找下一个(&F)"), this);
    FindNext->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("取消"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindText, 0, 1, 1, 2);
    grid->addWidget(MatchCase, 1, 0, 1, 2, Qt::AlignBottom);
    grid->addWidget(direction, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNext);
    buttons->addWidget(Cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // As the platform's dialog: nothing to look for, nothing to press.
    FindNext->setEnabled(false);
    connect(FindText, &QLineEdit::textChanged, FindNext,
            [this](const QString& text) { FindNext->setEnabled(!text.isEmpty()); });
    connect(FindNext, &QPushButton::clicked, this, &FindDialog::find);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString FindDialog::findText() const {
    return FindText->text();
}

unsigned FindDialog::options() const {
    return (Down->isChecked() ? FindOption::Down : 0u) |
           (MatchCase->isChecked() ? FindOption::MatchCase : 0u);
}

void FindDialog::showInFront() {
    show();
    raise();
    activateWindow();
    FindText->setFocus();
    FindText->selectAll();
}
