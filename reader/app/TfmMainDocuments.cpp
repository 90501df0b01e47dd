// Wiring of the document commands.
#include "TfmMain.h"

#include "documents/DocumentCommands.h"
#include "platform/ErrorGuard.h"

#include <QAction>
#include <QToolButton>

void TfmMain::wireDocuments() {
    DocumentView view{*this,  *MemMain, *Memo2,   *Memo3,
                      *Edit1, *Edit2,   *BtnRead, [this](const QString& title) { setTitle(title); }};
    DocumentHooks hooks{[this] { StopReading(); },
                        [this](const QString& name, const QString& address) { addToHistory(name, address); }};
    documents = new DocumentCommands(std::move(view), std::move(hooks), this);

    connect(N13, &QAction::triggered, documents, guard::slot([d = documents] { d->N13Click(); }));
    connect(ToolButton1, &QToolButton::clicked, documents, guard::slot([d = documents] { d->N13Click(); }));
    connect(N14, &QAction::triggered, documents, guard::slot([d = documents] { d->N14Click(); }));
    connect(ToolButton2, &QToolButton::clicked, documents, guard::slot([d = documents] { d->N14Click(); }));
    connect(PopOpen, &QAction::triggered, documents, guard::slot([d = documents] { d->N14Click(); }));
    connect(N15, &QAction::triggered, documents, guard::slot([d = documents] { d->N15Click(); }));
    connect(ToolButton3, &QToolButton::clicked, documents, guard::slot([d = documents] { d->N15Click(); }));
    connect(N17, &QAction::triggered, documents, guard::slot([d = documents] { d->N17Click(); }));
    connect(XT2, &QAction::triggered, documents, guard::slot([d = documents] { d->XT2Click(); }));
}

void TfmMain::commandLineDocumentStep() {
    if (!arguments_.isEmpty())
        documents->OpenDocument(arguments_.constFirst());
}

void TfmMain::StopReading() {
    ToolButton6->click();
    stopPlayback();
}
