// Wiring of the external programs and links, and of the online look-up window.
#include "TfmMain.h"

#include "ReaderWindows.h"

#include "online/links/ExternalLinks.h"
#include "online/lookup/TfrmSearch.h"

#include "platform/ErrorGuard.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// A label that acts as a link: a left click on it runs the handler.
class LabelClick : public QObject {
public:
    LabelClick(QLabel* label, std::function<void()> handler) : QObject(label), handler_(std::move(handler)) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            handler_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

void TfmMain::wireLinks() {
    links = new ExternalLinks(
        {*this, *Edit3, ExternalDictionaryPath},
        [this] {
            if (windows_)
                windows_->showRecorderModal();
        },
        this);
    const auto on = [this](auto* sender, auto signal, void (ExternalLinks::*handler)()) {
        connect(sender, signal, links, guard::slot([this, handler] { (links->*handler)(); }));
    };

    for (QAction* action : {N61, PopDictRun})
        on(action, &QAction::triggered, &ExternalLinks::N61Click);
    on(BtnDict, &QPushButton::clicked, &ExternalLinks::N61Click);
    for (QAction* action : {N63, PopDictSet})
        on(action, &QAction::triggered, &ExternalLinks::N63Click);
    on(N39, &QAction::triggered, &ExternalLinks::N39Click);
    on(N29, &QAction::triggered, &ExternalLinks::N29Click);
    on(ToolButtonHelp, &QToolButton::clicked, &ExternalLinks::N29Click);
    on(N30, &QAction::triggered, &ExternalLinks::N30Click);
    on(ToolButtonSite, &QToolButton::clicked, &ExternalLinks::N30Click);
    on(N31, &QAction::triggered, &ExternalLinks::N31Click);
    on(QQ1, &QAction::triggered, &ExternalLinks::QQ1Click);
    on(QQ2, &QAction::triggered, &ExternalLinks::QQ2Click);
    on(N1, &QAction::triggered, &ExternalLinks::N1Click);
    on(BtnSearch, &QPushButton::clicked, &ExternalLinks::BtnSearchClick);
    connect(Edit3, &QLineEdit::returnPressed, BtnSearch, &QPushButton::click);

    new LabelClick(Label3, guard::slot([this] { links->Label3Click(); }));
    new LabelClick(Label7, guard::slot([this] { links->Label7Click(); }));
    new LabelClick(LabelFeedback, guard::slot([this] { links->N31Click(); }));

    // The look-up window is handed in after the main window exists, so it is found at click time.
    const auto searchWindow = [this]() -> TfrmSearch* {
        return windows_ ? qobject_cast<TfrmSearch*>(&windows_->search()) : nullptr;
    };
    const auto N62Click = guard::slot([searchWindow] {
        if (TfrmSearch* search = searchWindow())
            search->ShowWindow();
    });
    connect(N62, &QAction::triggered, this, N62Click);
    connect(BtnLookup, &QPushButton::clicked, this, N62Click);
    connect(N10, &QAction::triggered, this, guard::slot([this, searchWindow] {
                if (TfrmSearch* search = searchWindow())
                    search->LookUpText(MemMain->textCursor().selectedText());
            }));
}
