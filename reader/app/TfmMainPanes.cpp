// Wiring of the reading panes and the editing commands.
#include "TfmMain.h"

#include "panes/EditCommands.h"
#include "panes/FindCommands.h"
#include "panes/PaneLayout.h"
#include "platform/ErrorGuard.h"
#include "speech/SpeechController.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

// Double-click first selects the word the pane itself picks, then runs the given command.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(std::function<void()> command, QObject* parent)
        : QObject(parent), command_(std::move(command)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Q_UNUSED(watched);
        // Queued, so the pane's own handling has selected the word first.
        if (event->type() == QEvent::MouseButtonDblClick)
            QTimer::singleShot(0, this, [this] { guard::run(command_); });
        return false;
    }

private:
    std::function<void()> command_;
};

} // namespace

void TfmMain::wirePanes() {
    auto* layout = new PaneLayout(*this, *MemMain, *Memo2, *Panel4, this);
    auto* edit = new EditCommands(*this, *MemMain, this);

    connect(suiRadioButton1, &QRadioButton::clicked, layout, [layout] { layout->showLeft(); });
    connect(suiRadioButton2, &QRadioButton::clicked, layout, [layout] { layout->showRight(); });
    connect(suiRadioButton3, &QRadioButton::clicked, layout, [layout] { layout->showSideBySide(); });
    const std::pair<QAction*, QPlainTextEdit*> fonts[] = {{N73, MemMain}, {N74, Memo2}, {N75, Memo3}};
    for (const auto& [action, pane] : fonts)
        connect(action, &QAction::triggered, layout,
                guard::slot([layout, p = pane] { layout->chooseFont(*p); }));
    const std::pair<QAction*, QPlainTextEdit*> backgrounds[] = {{N76, MemMain}, {N77, Memo2}, {N78, Memo3}};
    for (const auto& [action, pane] : backgrounds)
        connect(action, &QAction::triggered, layout,
                guard::slot([layout, p = pane] { layout->chooseBackground(*p); }));
    connect(N79, &QAction::toggled, layout, [layout](bool on) { layout->setBottomStripVisible(on); });

    const std::pair<QAction*, void (EditCommands::*)()> commands[] = {
        {N25, &EditCommands::N25Click},     {N43, &EditCommands::N43Click},
        {N44, &EditCommands::N44Click},     {N45, &EditCommands::N45Click},
        {N46, &EditCommands::N46Click},     {N52, &EditCommands::N52Click},
        {N9, &EditCommands::N9Click},       {PopCut, &EditCommands::N43Click},
        {PopCopy, &EditCommands::N44Click}, {PopPaste, &EditCommands::N45Click}};
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, edit, guard::slot([edit, h = handler] { (edit->*h)(); }));

    // A match found while the left pane is out of sight brings it back: the reading page in front,
    // and from the right-only view both texts side by side.
    auto* find = new FindCommands(
        *this, *MemMain,
        [this] {
            PageControl1->setCurrentWidget(TabSheet1);
            if (!MemMain->isVisibleTo(this))
                suiRadioButton3->click();
        },
        this);
    const std::pair<QAction*, void (FindCommands::*)()> findCommands[] = {
        {N48, &FindCommands::N48Click}, {N49, &FindCommands::N49Click}, {N50, &FindCommands::N50Click}};
    for (const auto& [action, handler] : findCommands)
        connect(action, &QAction::triggered, find, guard::slot([find, h = handler] { (find->*h)(); }));

    // The context menu's shortcuts act while the left pane has the focus, also for hidden items.
    for (QAction* action : PopupMenu1->actions()) {
        if (!action->isSeparator()) {
            action->setShortcutContext(Qt::WidgetShortcut);
            MemMain->addAction(action);
        }
    }
    MemMain->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MemMain, &QWidget::customContextMenuRequested, this, guard::slot([this] {
                if (speech)
                    speech->PopupMenu1Popup();
                PopupMenu1->popup(QCursor::pos());
            }));
    MemMain->viewport()->installEventFilter(new DoubleClickFilter(
        [this] {
            if (speech)
                speech->N11Click();
        },
        this));
    panes = layout;
}

void TfmMain::initialPaneLayoutStep() {
    panes->showLeft();
}

void TfmMain::scrollCouplingStep() {
    panes->installScrollCoupling();
}
